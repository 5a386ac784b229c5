"""The real-window suite: the built program under Xvfb, driven through the accessibility bus.

Each case starts the program in a session of its own and uses it as a teacher would: the buttons and
menu entries are pressed by the names a person reads, the messages are answered, and what the windows
show is read back. The first case points the thrown-ball sample and saves the study that the others
open from the command line.

    ui_suite.py CASE --program build/src/app/kinoval --work build/test-tmp/ui
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kinoval_ui as ui  # noqa: E402

G = 9.81


def check(condition, message):
    if not condition:
        raise ui.UiFailure(message)


def shared(args, *names):
    path = os.path.join(args.work, "shared", *names)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    return path


def study_path(args):
    return shared(args, "ball.kvl")


def truth_rows(tmp):
    rows = []
    with open(os.path.join(tmp, "parabole.txt")) as f:
        for line in f:
            if line[:1].isdigit():
                n, t, xp, yp, x, y = line.split()
                rows.append((int(n), float(t), float(xp), float(yp), float(x), float(y)))
    return rows


def fit_parabola(ts, ys):
    """Least squares y = a t^2 + b t + c; answers (a, b, c)."""
    n = len(ts)
    s = [sum(t ** k for t in ts) for k in range(5)]
    r = [sum(y * t ** k for t, y in zip(ts, ys)) for k in range(3)]
    m = [[s[4], s[3], s[2], r[2]], [s[3], s[2], s[1], r[1]], [s[2], s[1], n, r[0]]]
    for i in range(3):
        p = max(range(i, 3), key=lambda k: abs(m[k][i]))
        m[i], m[p] = m[p], m[i]
        for k in range(3):
            if k != i:
                f = m[k][i] / m[i][i]
                m[k] = [a - f * b for a, b in zip(m[k], m[i])]
    return tuple(m[i][3] / m[i][i] for i in range(3))


def number(text):
    return float(text.replace(",", "."))


def start_with_study(session, study=None):
    program = session.launch([study] if study else [])
    main = program.frame()
    ui.wait_for(lambda: ui.find_all(main, ("push button",), "Tableau des mesures")
                and ui.is_enabled(ui.find(main, ("push button",), "Tableau des mesures")), 30, "a video open")
    return program, main


def open_table(program, main, via_menu=False):
    """The results window on its table page, past the naming hint."""
    if via_menu:
        program.menu(main, "Résultats", "Tableau des mesures")
    else:
        ui.press(program.button(main, "Tableau des mesures"))
    return results_window(program, "Tableau des valeurs")


def results_window(program, caption):
    """The results window once it shows the page of that caption, past the naming hint."""
    deadline = time.time() + 20
    while time.time() < deadline:
        for d in program.dialogs():
            text = " ".join(ui.dialog_text(d))
            if "nom d'un objet" in text:
                box = ui.find_all(d, ("check box",), "Ne plus afficher cette boîte de dialogue")
                if box and not ui.is_checked(box[0]):
                    ui.press(box[0])
                program.answer("Ignorer", d)
            else:
                raise ui.UiFailure("unexpected message before the table: %s" % text)
        results = [w for w in program.windows() if w.name == caption]
        if results:
            return results[0]
        time.sleep(0.1)
    raise ui.UiFailure("the results window did not appear")


def read_table(program, results):
    grid = ui.find(results, ("table",), "Tableau des valeurs")
    return ui.wait_for(lambda: (lambda cells: cells if len(cells) > 4 else None)(program.table_cells(grid)),
                       20, "the table's lines")


def columns(cells):
    """The table by its symbols: {symbol: [values of the data lines]} (the row number column left out)."""
    symbols = cells[1]
    out = {}
    for c, symbol in enumerate(symbols):
        if c == 0 or not symbol:
            continue
        out[symbol] = [line[c] for line in cells[4:]]
    return out


def check_ball(values, marks):
    t = [number(v) for v in values["t"]]
    check(len(t) == marks, "%d lines in the table, %d marks" % (len(t), marks))
    for k, tk in enumerate(t):
        check(abs(tk - 0.04 * k) < 1e-9, "t of line %d is %s" % (k, tk))
    y = [number(v) for v in values["y"]]
    x = [number(v) for v in values["x"]]
    a, b, c = fit_parabola(t, y)
    check(abs(-2 * a - G) < 0.01 * G, "g from the table is %.4f" % (-2 * a))
    check(abs(b - 4.6) < 0.05 * 4.6, "vy0 from the table is %.4f" % b)
    vx = (x[-1] - x[0]) / (t[-1] - t[0])
    check(abs(vx - 1.6) < 0.01 * 1.6, "vx from the table is %.4f" % vx)


def quit_program(session, program, main, answer=None):
    program.menu(main, "Fichier", "Quitter")
    if answer:
        program.answer(answer)
    ui.wait_for(lambda: not session.alive(), 20, "the program to end")
    return session.app_process.returncode if session.app_process else 0


# ---------------------------------------------------------------------------------------------- cases


def case_point_and_save(session, args):
    """A new user points the thrown ball from the start: scale, origin, 26 marks, then Ctrl+S."""
    if os.path.exists(study_path(args)):
        os.remove(study_path(args))
    program, main = start_with_study(session)
    tmp = os.path.join(session.work, "tmp")
    view = ui.find(main, None, "Image de la vidéo")
    vx, vy, vw, vh = ui.extents(view)
    fx, fy = vw / 640.0, vh / 480.0

    def picture(x, y):
        session.click(vx + x * fx, vy + y * fy)
        time.sleep(0.05)

    ui.press(program.button(main, "Echelle"))
    check(ui.is_checked(program.button(main, "Echelle")), "the scale tool is not chosen")
    picture(60, 462)
    picture(360, 462)
    program.menu(main, "Mesures", "Longueur de l'échelle")
    length = program.dialog()
    check(length.name == "Etalonner un segment", "the length dialog is %r" % length.name)
    program.type_into(ui.find(length, ("text",)), "1")
    program.answer("Ok", length)
    ui.press(program.button(main, "Repère"))
    picture(70, 360)
    ui.press(program.button(main, "Marques"))
    for row in truth_rows(tmp):
        picture(row[2], row[3])
    check(ui.find(main, ("text",), "Numéro de l'image").queryText().getText(0, -1) == "26 / 26",
          "the view did not follow the marks")
    check("*" in main.name, "the title %r shows no unsaved change" % main.name)

    program.keys(main, "ctrl+s")
    files = program.dialog()
    check(files.name == "Enregistrer un travail dans un fichier KVL", "the save dialog is %r" % files.name)
    program.choose_file(study_path(args))
    lines = program.answer("Ok")
    check("Le fichier a été enregistré avec succès :" in lines, "the save said %s" % lines)
    check(os.path.isfile(study_path(args)), "no study file")
    ui.wait_for(lambda: main.name == "ball.kvl — Kinoval", 10, "the title to name the study")
    # Nothing changed since the save: the program ends without a question.
    check(quit_program(session, program, main) == 0, "the program did not end cleanly")


def case_table_from_command_line(session, args):
    """The study given on the command line; its table, closed and opened again from the menu."""
    program, main = start_with_study(session, study_path(args))
    check(main.name == "ball.kvl — Kinoval", "the title is %r" % main.name)
    results = open_table(program, main)
    cells = read_table(program, results)
    check(cells[1][1:4] == ["t", "x", "y"], "the symbols are %s" % cells[1][:6])
    check(cells[2][1:4] == ["s", "m", "m"], "the units are %s" % cells[2][:6])
    values = columns(cells)
    check_ball(values, 26)
    check("vx" in values and "a" in values, "velocity and acceleration columns missing: %s" % list(values))
    # Closed by its menu, the window comes back from the main window's menu.
    program.menu(results, "Fichier", "Fermer")
    ui.wait_for(lambda: not any(w.name == "Tableau des valeurs" for w in program.windows()), 10,
                "the results window to close")
    results = open_table(program, main, via_menu=True)
    check(len(read_table(program, results)) == 4 + 26, "the table came back with another size")


def fake_program(folder, name, record):
    path = os.path.join(folder, name)
    with open(path, "w") as f:
        f.write("#!/bin/sh\nfor a in \"$@\"; do printf '%%s\\n' \"$a\" >> '%s'; done\n" % record)
    os.chmod(path, 0o755)


def read_workbook(path):
    script = ("import openpyxl, sys\n"
              "wb = openpyxl.load_workbook(sys.argv[1])\n"
              "ws = wb['Kinoval']\n"
              "for row in ws.iter_rows(values_only=True):\n"
              "    print('\\t'.join('' if v is None else repr(v) for v in row))\n")
    out = subprocess.run(["/usr/bin/python3", "-c", script, path], capture_output=True, text=True, timeout=60)
    check(out.returncode == 0, "openpyxl could not read %s: %s" % (path, out.stderr))
    return [line.split("\t") for line in out.stdout.splitlines()]


def case_copy_and_export(session, args):
    """The table leaves the program: clipboard, Python, a text file, a workbook for two spreadsheets."""
    bin_dir = os.path.join(session.work, "bin")
    os.makedirs(bin_dir)
    opened = os.path.join(session.work, "opened.txt")
    started = os.path.join(session.work, "started.txt")
    fake_program(bin_dir, "xdg-open", opened)
    fake_program(bin_dir, "soffice", started)
    program = session.launch([study_path(args)], extra_env={"PATH": bin_dir + ":" + os.environ["PATH"]})
    main = program.frame()
    results = open_table(program, main)

    program.menu(results, "Edition", "Copier le tableau dans le presse-papier")
    program.answer("Ok") if program.dialogs() else None
    copied = ui.wait_for(lambda: (lambda t: t if t.count("\n") > 20 else None)(session.clipboard()), 10,
                         "the table on the clipboard")
    lines = copied.splitlines()
    check(lines[0] == os.path.realpath(session.program), "the first line is %r" % lines[0])
    check(lines[2].startswith("Angle de rotation du repère dans le sens trigonométrique"), lines[2])
    check(lines[3].split("\t")[:3] == ["t", "x", "y"], "symbols %r" % lines[3])
    data = [line.split("\t") for line in lines[6:]]
    check(len(data) == 26, "%d data lines on the clipboard" % len(data))
    check_ball({"t": [d[0] for d in data], "x": [d[1] for d in data], "y": [d[2] for d in data]}, 26)

    program.menu(results, "Edition", "Copier le tableau dans le presse-papier pour Python")
    program.answer("Ok") if program.dialogs() else None
    python = ui.wait_for(lambda: (lambda t: t if "= [" in t else None)(session.clipboard()), 10, "the Python copy")
    out = subprocess.run(["/usr/bin/python3", "-c", python + "\nprint(len(t), y[0], round(t[-1], 9))"],
                         capture_output=True, text=True, timeout=30)
    check(out.stdout.split() == ["26", "0.0", "1.0"], "Python read %r %r" % (out.stdout, out.stderr))

    exported = shared(args, "export-%d.txt" % os.getpid())
    program.menu(results, "Fichier", "Exporter")
    program.choose_file(exported)
    ui.wait_for(lambda: os.path.isfile(exported), 10, "the text file")
    with open(exported, encoding="utf-8") as f:
        written = f.read().splitlines()
    check(written[3:] == lines[3:], "the text file differs from the clipboard copy")
    program.no_dialog(3) if not program.dialogs() else program.answer("Ok")

    program.menu(results, "Edition", "Copier et lancer", "Excel")
    path = ui.wait_for(lambda: open(opened).read().split("\n")[0] if os.path.exists(opened) else None, 20,
                       "the desktop asked to open the workbook")
    # The desktop is handed the workbook as a file URL.
    check(path.startswith("file://"), "the desktop was handed %r" % path)
    from urllib.parse import unquote, urlparse
    sheet = read_workbook(unquote(urlparse(path).path))
    check(sheet[1][:3] == ["'t'", "'x'", "'y'"], "the workbook's symbols are %s" % sheet[1][:3])
    check(abs(float(sheet[5][2]) - number(data[1][2])) < 1e-9, "the workbook's y differs: %s" % sheet[5])
    check(len(sheet) == 4 + 26, "%d lines in the workbook" % len(sheet))

    program.menu(results, "Edition", "Copier et lancer", "LibreOffice")
    arguments = ui.wait_for(lambda: open(started).read().split("\n") if os.path.exists(started) else None, 20,
                            "LibreOffice started")
    check(arguments[0] == "--calc", "soffice was given %s" % arguments)
    check(len(read_workbook(arguments[1])) == 4 + 26, "the LibreOffice workbook is incomplete")


def case_undo_save_reopen(session, args):
    """Ctrl+Z undoes an erasure, Ctrl+S writes the study to its own file, and it reopens so."""
    own = os.path.join(session.work, "ball-undo.kvl")
    shutil.copy(study_path(args), own)
    program, main = start_with_study(session, own)
    program.menu(main, "Affichage", "Effacer", "Les marques")
    ui.wait_for(lambda: "*" in main.name, 10, "the title to show the change")
    undo = [a for a in program.menu_entries(main) if a.name.startswith("Annuler")][0]
    check(undo.name.startswith("Annuler Supprimer"), "the undo entry reads %r" % undo.name)
    program.keys(main, "ctrl+z")
    ui.wait_for(lambda: undo.name.startswith("Annuler  "), 10, "the undo")
    cells = read_table(program, open_table(program, main))
    check(len(cells) == 4 + 26, "%d lines after the undo" % len(cells))

    # The right button of the erase tool takes the current frame's mark away.
    ui.press(program.button(main, "Effacer des marques"))
    vx, vy, vw, vh = ui.extents(ui.find(main, None, "Image de la vidéo"))
    session.click(vx + vw / 2, vy + vh / 2, button=3)
    ui.wait_for(lambda: len(read_table(program, ui.find(program.app, ("frame",), "Tableau des valeurs"))) == 4 + 25,
                10, "the table to lose a line")
    program.keys(main, "ctrl+s")
    ui.wait_for(lambda: "*" not in main.name, 10, "the save to the study's own file")
    check(not program.dialogs(), "the save to the study's own file asked something")
    check(quit_program(session, program, main) == 0, "the program did not end cleanly")

    program, main = start_with_study(session, own)
    cells = read_table(program, open_table(program, main))
    check(len(cells) == 4 + 25, "%d lines after reopening, not 4 + 25" % len(cells))


def case_failed_open_keeps_the_study(session, args):
    """A text file named .avi is refused with its reason; the study stays as it was."""
    letter = os.path.join(session.work, "lettre.avi")
    with open(letter, "w") as f:
        f.write("Ceci n'est pas une vidéo.\n")
    program, main = start_with_study(session, study_path(args))
    program.menu(main, "Fichier", "Ouvrir une vidéo ou une étude")
    program.choose_file(letter)
    lines = program.answer("Ok")
    check(letter in lines, "the message does not name the file: %s" % lines)
    # The players' own reason when they have one, else that none of them recognises the file.
    check(any("ce n'est pas une vidéo" in line or "ne reconnaît le contenu de ce fichier" in line for line in lines),
          "no reason given: %s" % lines)
    check(main.name == "ball.kvl — Kinoval", "the title is now %r" % main.name)
    check(ui.is_enabled(program.button(main, "Marques")), "the tools were greyed")
    cells = read_table(program, open_table(program, main))
    check(len(cells) == 4 + 26, "the study lost marks")


def case_help_without_a_browser(session, args):
    """With nothing to show HTML on the desktop, F1 opens the help in the program's own window."""
    empty = os.path.join(session.work, "nothing")
    os.makedirs(empty)
    program = session.launch([study_path(args)], extra_env={"PATH": empty})
    main = program.frame()
    ui.wait_for(lambda: ui.is_enabled(program.button(main, "Marques")), 30, "the study")
    program.keys(main, "F1")
    help_window = program.window("Aide de Kinoval")
    page = ui.find(help_window, None, "Page d'aide")
    text = ui.text_of(page)
    check("Kinoval" in text and "échelle" in text.lower(), "the help page reads %r" % text[:200])


def case_track_the_ball(session, args):
    """The automatic pointing: the scale and the origin, an outline drawn round the ball, a run by its
    colours at the default radius, another by its pattern, the positions kept as marks, and the table and
    g they give."""
    program, main = start_with_study(session)
    tmp = os.path.join(session.work, "tmp")
    rows = truth_rows(tmp)
    view = ui.find(main, None, "Image de la vidéo")
    vx, vy, vw, vh = ui.extents(view)
    fx, fy = vw / 640.0, vh / 480.0
    # The scale on the ruler and the origin on the ball's start, as for pointing by hand.
    ui.press(program.button(main, "Echelle"))
    session.click(vx + 60 * fx, vy + 462 * fy)
    session.click(vx + 360 * fx, vy + 462 * fy)
    program.menu(main, "Mesures", "Longueur de l'échelle")
    length = program.dialog()
    program.type_into(ui.find(length, ("text",)), "1")
    program.answer("Ok", length)
    ui.press(program.button(main, "Repère"))
    session.click(vx + 70 * fx, vy + 360 * fy)

    ui.press(program.button(main, "Suivi automatique"))
    ui.wait_for(lambda: ui.is_checked(program.button(main, "Suivi automatique")), 10, "the tracking mode")
    tools = ui.find(main, ("tool bar",), "Outils")
    frame_box = ui.find(main, ("text",), "Numéro de l'image")

    # A circle round the ball of the first frame: its centre, then a point 16 pixels away.
    ui.press(program.button(tools, "Contour"))
    check(ui.is_checked(program.button(tools, "Contour")), "the outline tool is not chosen")
    cx, cy = rows[0][2], rows[0][3]
    session.click(vx + cx * fx, vy + cy * fy)
    time.sleep(0.2)
    session.click(vx + (cx + 16) * fx, vy + cy * fy)
    time.sleep(0.3)

    def run_to_the_end():
        ui.press(program.button(tools, "Suivi"))
        ui.wait_for(lambda: ui.text_of(frame_box) == "26 / 26" and ui.is_enabled(program.button(tools, "Contour")),
                    30, "the run to reach the last frame")
        check(not program.dialogs(), "the run stopped with %s" % [ui.dialog_text(d) for d in program.dialogs()])

    run_to_the_end()
    session.screenshot("tracked-colours")

    # Again by the ball's pattern: the method's list (labelled "Méthode :"), opened, one step down.
    method = ui.find(tools, ("combo box",))
    labels = [r.getTarget(i).name for r in method.getRelationSet() for i in range(r.getNTargets())]
    check("Méthode :" in labels, "the method's list is labelled %s" % labels)
    check(method.name == "Couleurs", "the method is %r" % method.name)
    ui.press(method)
    time.sleep(0.5)
    session.keys("Down", "Return")
    ui.wait_for(lambda: method.name == "Motif", 10, "the pattern method")
    ui.press(program.button(tools, "Effacer suivi"))
    ui.wait_for(lambda: ui.text_of(frame_box) == "1 / 26", 10, "the view back on the outline's frame")
    run_to_the_end()
    session.screenshot("tracked-pattern")

    # Leaving the mode offers the positions; kept, they are the study's marks and give the ball's g.
    ui.press(program.button(main, "Repère fixe"))
    lines = program.answer("Enregistrer")
    check("Un pointage automatique a été effectué." in lines, "leaving the mode said %s" % lines)
    program.no_dialog()
    results = open_table(program, main)
    check_ball(columns(read_table(program, results)), 26)

    program.menu(main, "Fichier", "Quitter")
    ui.wait_for(lambda: program.dialogs() or not session.alive(), 20, "the question or the end")
    if session.alive():
        program.answer("Quitter")
    ui.wait_for(lambda: not session.alive(), 20, "the program to end")
    with open(os.path.join(session.work, "config", "Kinoval.ini"), encoding="utf-8") as f:
        check("TrackingMethod_Value=1" in f.read(), "the settings do not keep the pattern method")


def formula_columns(cells):
    """The formulas table by its formula lines: {line 1 text: [values of the data lines]}."""
    return {cells[1][c]: [line[c] for line in cells[4:]] for c in range(2, len(cells[1])) if cells[1][c]}


def add_entry(program, window, fields, button):
    for name, text in fields:
        program.type_into(ui.find(window, ("text",), name), text)
    ui.press(program.button(window, button))


def case_formulas_in_the_window(session, args):
    """A teacher types a mass and the energies of the thrown ball in the formulas window: their columns
    show values, the mechanical energy stays constant, and the right button takes a formula away."""
    program, main = start_with_study(session, study_path(args))
    results = open_table(program, main)
    # The velocities smoothed, as for a study of the energies.
    program.menu(results, "Calculs", "Lisser les valeurs de la vitesse")
    program.menu(results, "Calculs", "Saisir des formules ou des constantes")
    window = program.window("Formules et constantes")
    add_entry(program, window, [("Nom de la constante", "m"), ("Valeur de la constante", "0,1"),
                                ("Unité de la constante", "kg")], "Ajouter la constante")
    check(not program.dialogs(), "the constant was refused: %s" % [ui.dialog_text(d) for d in program.dialogs()])
    constants = program.table_cells(ui.find(window, ("table",), "Tableau des constantes"))
    check(constants[1][:3] == ["m", "0,1", "kg"] or constants[1][:3] == ["m", "0.1", "kg"],
          "the constants table reads %s" % constants[:2])
    for text, unit in (("Ec = 0.5*m*v^2", "J"), ("Ep = m*9.81*y", "J"), ("Em = Ec + Ep", "J")):
        add_entry(program, window, [("Nouvelle formule", text), ("Unité de la formule", unit)], "Ajouter la formule")
        check(not program.dialogs(), "%s was refused: %s" % (text, [ui.dialog_text(d) for d in program.dialogs()]))
    # The formulas belong to the study: the main window's title shows it has changes to save.
    ui.wait_for(lambda: "*" in main.name, 10, "the title to show the change")
    table = ui.find(window, ("table",), "Tableau des formules")
    cells = ui.wait_for(lambda: (lambda c: c if len(c[1]) >= 6 else None)(program.table_cells(table)), 10,
                        "three formula columns")
    check(cells[1][1] == "t", "the time column reads %s" % cells[1][:3])
    values = formula_columns(cells)
    names = [k.split("=")[0] for k in values]
    check(names == ["Ec", "Ep", "Em"], "the formula columns are %s" % list(values))
    ec = list(values.values())[0]
    check(len(ec) == 26 and all(v for v in ec), "Ec has empty cells: %s" % ec)
    check(cells[2][2] == "J", "the unit line reads %s" % cells[2][:4])
    session.screenshot("formulas")

    # The full values through the Python copy of the formulas table: Em keeps within 1 %.
    program.menu(window, "Edition", "Copier le tableau dans le presse-papier pour Python")
    program.answer("Ok") if program.dialogs() else None
    python = ui.wait_for(lambda: (lambda t: t if "Em = [" in t else None)(session.clipboard()), 10,
                         "the formulas' Python copy")
    # The first and last velocities are one-sided; the study was pointed by clicks on whole pixels, which
    # the command-line test of the same formulas does without (1 % there).
    out = subprocess.run(["/usr/bin/python3", "-c", python + "\ninner = Em[1:-1]\nmean = sum(inner) / len(inner)\n"
                          "print(len(Em), mean, max(abs(e - mean) for e in inner))"],
                         capture_output=True, text=True, timeout=30)
    n, mean, worst = out.stdout.split()
    check(n == "26", "the Python copy has %s values of Em" % n)
    check(float(worst) < 0.015 * float(mean), "Em strays by %s J from its mean %s J" % (worst, mean))
    thrown = 0.5 * 0.1 * (1.6 ** 2 + 4.6 ** 2)
    check(abs(float(mean) - thrown) < 0.02 * thrown, "Em is %s J, the ball was thrown with %.4f J" % (mean, thrown))

    # The formula page of the results window plots them: Ec against time first, then Em, then Em against Ec.
    ui.press(program.button(results, "Formules"))
    ui.wait_for(lambda: results.name == "Formules personnelles", 10, "the formula page")
    graph, shown = graph_of(results)
    check(shown["curves"] == 1 and shown["points"] == 26, "the formula graph shows %s" % shown["text"])
    check(shown["plotted"] == "Ec en fonction de t", "the formula graph plots %s" % shown["plotted"])
    check(shown["t"][0] == 0, "the time axis starts at %s" % (shown["t"],))
    # The two lists, told apart by what they offer (a combo box is named after its current entry).
    def formula_list(with_time):
        return next((c for c in ui.find_all(results, ("combo box",))
                     if "Em" in [i.name for i in ui.walk(c)]
                     and ("t (temps)" in [i.name for i in ui.walk(c)]) == with_time), None)
    formula = ui.wait_for(lambda: formula_list(False), 10, "the formula list")
    program.focus(formula)
    program.keys(results, "Down", "Down")
    ui.wait_for(lambda: "Em en fonction de t" in (graph.description or ""), 10, "the graph of Em")
    # The abscissa's list comes next in the keyboard's order.
    ui.wait_for(lambda: formula_list(True), 10, "the abscissa list")
    program.focus(formula_list(False))
    program.keys(results, "Tab", "Down")
    ui.wait_for(lambda: "Em en fonction de Ec" in (graph.description or ""), 10, "Em against Ec")
    check(describe(graph.description)["points"] == 26, "Em against Ec: %s" % graph.description)
    session.screenshot("formula_page")

    # A faulty formula is refused with the message that names the unknown name.
    add_entry(program, window, [("Nouvelle formule", "E2 = zz*2")], "Ajouter la formule")
    lines = program.answer("Ok")
    check(any("inconnue : zz" in line for line in lines), "the refusal said %s" % lines)

    # The right button on the control line of Ep takes it away.
    t = table.queryTable()
    x, y, w, h = ui.extents(t.getAccessibleAt(0, 3))
    session.click(x + w / 2, y + h / 2, button=3)
    cells = ui.wait_for(lambda: (lambda c: c if len(c[1]) == 5 else None)(program.table_cells(table)), 10,
                        "one formula column less")
    check([k.split("=")[0] for k in formula_columns(cells)] == ["Ec", "Em"],
          "after the deletion the columns are %s" % list(formula_columns(cells)))


def case_calculator(session, args):
    """The calculator from the main window: Sqrt(2), 2/3 typed, an unknown name, then degrees."""
    program, main = start_with_study(session, study_path(args))
    program.menu(main, "Mesures", "Calculatrice")
    # Its caption is the program's name; its field tells it from a message.
    calc = ui.wait_for(lambda: next((w for w in program.dialogs()
                                     if w.name == "Kinoval" and ui.find_all(w, ("text",), "Expression à calculer")),
                                    None), 10, "the calculator")
    field = ui.find(calc, ("text",), "Expression à calculer")
    program.type_into(field, "Sqrt(2)")
    ui.press(program.button(calc, "Calculer"))
    shown = ui.wait_for(lambda: (lambda t: t if t != "Sqrt(2)" else None)(ui.text_of(field)), 10, "a result")
    check(shown.replace(",", ".") == "1.4142135623731", "Sqrt(2) gives %r" % shown)
    session.screenshot("calculator")
    # Typed keys: "/" divides.
    program.type_into(field, "")
    program.keys(calc, "2", "slash", "3", "Return")
    shown = ui.wait_for(lambda: (lambda t: t if t.startswith("0") else None)(ui.text_of(field)), 10, "2/3")
    check(abs(float(shown.replace(",", ".")) - 2 / 3) < 1e-12, "2/3 gives %r" % shown)
    # An unknown name: its message; then a digit starts a new expression.
    program.type_into(field, "x+1")
    ui.press(program.button(calc, "Calculer"))
    shown = ui.wait_for(lambda: (lambda t: t if "inconnue" in t else None)(ui.text_of(field)), 10, "the message")
    check(shown == "La formule contient une variable ou une constante inconnue : x", "x+1 shows %r" % shown)
    ui.press(program.button(calc, "7"))
    ui.wait_for(lambda: ui.text_of(field) == "7", 10, "a new expression")
    # Sin(90) in degrees.
    ui.press(ui.find(calc, ("radio button",), "Degrés"))
    ui.press(program.button(calc, "Tout effacer"))
    for key in ("Sinus", "9", "0"):
        ui.press(program.button(calc, key))
    check(ui.text_of(field) == "Sin(90)", "the pad wrote %r" % ui.text_of(field))
    ui.press(program.button(calc, "Calculer"))
    ui.wait_for(lambda: ui.text_of(field) == "1", 10, "Sin(90) = 1 in degrees")


def case_formula_keyboard(session, args):
    """The formula keyboard from the results window: v, then the i-1 key, a unit kept once among the
    favourites, the formula validated into the formulas window, and the favourites back at the next start."""
    program, main = start_with_study(session, study_path(args))
    results = open_table(program, main)
    ui.press(program.button(results, "Aide à la saisie"))
    keyboard = program.window("Aide à la saisie")
    formula = ui.find(keyboard, ("text",), "Formule")
    program.type_into(formula, "dv = v - v")
    ui.press(program.button(keyboard, "Indice i-1"))
    check(ui.text_of(formula) == "dv = v - v[i-1]", "the keyboard wrote %r" % ui.text_of(formula))
    ui.press(ui.find(keyboard, ("page tab",), "Commentaire et unité"))
    program.type_into(ui.find(keyboard, ("text",), "Unité"), "m/s")
    for _ in range(2):
        ui.press(program.button(keyboard, "Ajouter l'unité saisie à la liste"))
    settings = os.path.join(session.work, "config", "Kinoval.ini")
    with open(settings, encoding="utf-8") as f:
        kept = f.read()
    check("Unit0=m/s" in kept and "Unit1" not in kept, "the settings keep the units so: %s" % kept[-200:])
    ui.press(ui.find(keyboard, ("page tab",), "Formule"))
    ui.press(program.button(keyboard, "Valider la saisie"))
    window = program.window("Formules et constantes")
    table = ui.find(window, ("table",), "Tableau des formules")
    cells = ui.wait_for(lambda: (lambda c: c if len(c[1]) >= 4 else None)(program.table_cells(table)), 10,
                        "the formula's column")
    check(cells[1][2] == "dv=v-v[i-1]" and cells[2][2] == "m/s", "the column reads %s" % [c[2] for c in cells[:4]])
    dv = [line[2] for line in cells[4:]]
    check(dv[0] == "" and all(dv[1:]), "dv has no value on the first row only: %s" % dv)
    session.screenshot("keyboard")
    # The formula is a change of the study: quitting asks, and is told not to save it.
    program.menu(main, "Fichier", "Quitter")
    question = ui.wait_for(lambda: next((d for d in program.dialogs() if d.name != "Aide à la saisie"), None), 20,
                           "the question")
    program.answer("Quitter", question)
    ui.wait_for(lambda: not session.alive(), 20, "the program to end")

    # The next start offers the unit again.
    program, main = start_with_study(session, study_path(args))
    results = open_table(program, main)
    ui.press(program.button(results, "Aide à la saisie"))
    keyboard = program.window("Aide à la saisie")
    ui.press(ui.find(keyboard, ("page tab",), "Commentaire et unité"))
    # A list that holds items is named after the one it shows: the units' list is the third.
    lists = [a for a in ui.walk(keyboard) if ui.role(a) == "combo box"]
    check(len(lists) == 3 and lists[2].name == "m/s", "the lists offer %s" % [a.name for a in lists])
    items = [a.name for a in ui.walk(lists[2]) if ui.role(a) in ("list item", "menu item")]
    check(items in ([], ["m/s"]), "the units offered are %s" % items)


CLOSING = ("Annuler", "Cancel", "Ignorer", "Fermer", "Close", "Ok", "OK", "Non", "No")


def dismiss_dialogs(program, budget=8):
    """Answers whatever windows a press opened, the way that changes least."""
    for _ in range(budget):
        dialogs = program.dialogs()
        if not dialogs:
            return
        for d in dialogs:
            buttons = {(b.name or "").replace("&", ""): b for b in ui.find_all(d, ("push button",))
                       if ui.is_showing(b) and ui.is_enabled(b)}
            for name in CLOSING:
                if name in buttons:
                    ui.press(buttons[name])
                    break
            else:
                program.session.keys("Escape")
        time.sleep(0.3)
    raise ui.UiFailure("a dialog would not close: %s" % [d.name for d in program.dialogs()])


def case_press_everything(session, args):
    """Every enabled button and menu entry of the windows, pressed once: no crash, no hang."""
    # A copy of its own: the presses save the study, and the other cases open the shared one as pointed.
    own = os.path.join(session.work, "ball-pressed.kvl")
    shutil.copy(study_path(args), own)
    program, main = start_with_study(session, own)
    results = open_table(program, main)
    never = ("Quitter", "Fermer")
    pressed = []

    def in_mode_bar(a):
        node = a.parent
        while node is not None:
            if ui.role(node) == "tool bar":
                return node.name == "Modes"
            node = node.parent
        return False

    def opens_another_study(name):
        return name.startswith(("Ouvrir", "Balle lancée", "Cylindre")) or name[:2].rstrip().isdigit()

    def press_all(window, label):
        targets = []
        for a in ui.walk(window):
            r = ui.role(a)
            if r in ("push button", "check box", "toggle button") or r.endswith("menu item"):
                targets.append(a)
        # The modes change the bars and another video changes the study: those come last.
        targets.sort(key=lambda a: (in_mode_bar(a), opens_another_study(a.name or "")))
        for a in targets:
            try:
                if not (ui.is_enabled(a) and (ui.is_showing(a) or ui.role(a).endswith("menu item"))):
                    continue
                name = a.name or ""
                if not name or any(name.startswith(n) for n in never):
                    continue
                if ui.role(a).endswith("menu item") and a.childCount > 0:
                    continue  # a submenu: its entries are pressed
            except Exception:
                continue  # gone with a mode change
            ui.press(a)
            pressed.append("%s: %s" % (label, name))
            dismiss_dialogs(program)
            check(session.alive(), "the program died after %s" % pressed[-1])
            ui.wait_for(lambda: program.frame(), 10, "the program to answer after %s" % pressed[-1])

    press_all(results, "résultats")
    # The formulas window that the results window opened, with a formula in it for its exports.
    formulas = program.window("Formules et constantes")
    add_entry(program, formulas, [("Nouvelle formule", "d = 2*x")], "Ajouter la formule")
    press_all(formulas, "formules")
    press_all(main, "principale")
    # Each mode's own panel, then back to pointing.
    for mode in ("Suivi automatique", "Montage"):
        ui.press(program.button(main, mode))
        ui.wait_for(lambda: ui.is_checked(program.button(main, mode)), 10, "the mode %s" % mode)
        press_all(ui.find(main, ("tool bar",), "Outils"), mode)
        ui.press(program.button(main, "Repère fixe"))
        dismiss_dialogs(program)
    # Still answering: the results button gives its table or says what is missing.
    ui.press(program.button(main, "Tableau des mesures"))
    dismiss_dialogs(program)
    check(len(pressed) > 85, "only %d controls pressed: %s" % (len(pressed), pressed))
    ui.log("pressed %d controls" % len(pressed))
    with open(os.path.join(session.work, "pressed.txt"), "w") as f:
        f.write("\n".join(pressed) + "\n")
    program.menu(main, "Fichier", "Quitter")
    # The study may have changed: the program asks, and is told to quit without saving.
    ui.wait_for(lambda: program.dialogs() or not session.alive(), 20, "the question or the end")
    if session.alive():
        program.answer("Quitter")
    ui.wait_for(lambda: not session.alive(), 20, "the program to end")


def graph_of(results):
    """The graph control and what it says it shows."""
    graph = ui.find(results, None, "Graphe")
    text = ui.wait_for(lambda: graph.description or None, 10, "the graph's description")
    return graph, describe(text)


def describe(text):
    """'1 courbe : y en fonction de t (balle), 26 points ; t de 0 à 1.05 s ; y de -0.2 à 1.3 m' as a dict:
    the curve count, what is plotted, the point count, and (low, high) per axis."""
    head, first, second = text.split(" ; ")
    out = {"text": text, "curves": int(head.split()[0]), "plotted": head.split(" : ")[1].split(" (")[0],
           "points": int(head.rsplit(", ", 1)[1].split()[0])}
    for part in (first, second):
        name, rest = part.split(" de ", 1)
        low, high = rest.split(" à ")
        out[name] = (number(low), number(high.split()[0]))
    return out


def red_pixels(png):
    """How many pixels of a picture are the first object's red."""
    out = subprocess.run(["convert", png, "-format", "%c", "histogram:info:-"], capture_output=True, text=True,
                         timeout=60)
    count = 0
    for line in out.stdout.splitlines():
        # "   123: (255,  0,  0) #FF0000 red"
        try:
            n, rest = line.split(":", 1)
            rgb = [float(v) for v in rest.split("(")[1].split(")")[0].split(",")[:3]]
        except (ValueError, IndexError):
            continue
        if rgb[0] > 200 and rgb[1] < 80 and rgb[2] < 80:
            count += int(n)
    return count


def clipboard_targets(session):
    out = subprocess.run(["xclip", "-selection", "clipboard", "-t", "TARGETS", "-o"], env=session.env,
                         capture_output=True, timeout=10)
    return out.stdout.decode("utf-8", "replace")


def case_graphs(session, args):
    """The time graph and the trajectory: their buttons, what they plot, zoom and restore, the picture under
    the trajectory, the copy, the picture and PDF files, the print preview."""
    program, main = start_with_study(session, study_path(args))
    # The ground truth that the first case pointed from.
    truth = truth_rows(os.path.join(args.work, "point_and_save", "tmp"))
    ui.press(program.button(main, "Graphes en fonction du temps"))
    results = results_window(program, "Evolution en fonction du temps")
    graph, shown = graph_of(results)
    check(shown["curves"] == 1 and shown["points"] == 26, "the time graph shows %s" % shown["text"])
    check(shown["plotted"] == "x en fonction de t", "the time graph plots %s" % shown["plotted"])
    check(shown["t"][0] == 0 and abs(shown["t"][1] - 1.05) < 0.01, "t from %s to %s" % shown["t"])

    # y: the heights of the ball, with 5 % of room on each side.
    # The quantity list: the combo box (named after its current entry) that offers vx.
    combo = ui.wait_for(lambda: next((c for c in ui.find_all(results, ("combo box",))
                                      if "vx" in [i.name for i in ui.walk(c)]), None), 10, "the quantity list")
    program.focus(combo)
    program.keys(results, "Down")
    ui.wait_for(lambda: "y en fonction de t" in (graph.description or ""), 10, "the graph of y")
    shown = describe(graph.description)
    heights = [row[5] for row in truth][:26]
    low, high = min(heights), max(heights)
    room = 0.05 * (high - low)
    check(abs(shown["y"][0] - (low - room)) < 0.02 and abs(shown["y"][1] - (high + room)) < 0.02,
          "y from %s to %s; the ball from %.3f to %.3f" % (shown["y"] + (low, high)))

    # The zoom: a click in the middle of the plot zooms in about it; "Restaurer le graphe" comes back.
    before = shown
    ui.press(program.button(results, "Zoomer"))
    x, y, w, h = ui.extents(graph)
    session.click(x + 140 + (w - 170) / 2, y + 15 + (h - 115) / 2)
    ui.wait_for(lambda: describe(graph.description)["y"] != before["y"], 10, "the zoom")
    zoomed = describe(graph.description)
    check(zoomed["y"][1] - zoomed["y"][0] < 0.8 * (before["y"][1] - before["y"][0]),
          "zoomed in, y spans %s" % (zoomed["y"],))
    program.menu(results, "Edition", "Restaurer le graphe")
    ui.wait_for(lambda: describe(graph.description)["y"] == before["y"], 10, "the graph restored")
    ui.press(program.button(results, "Zoomer"))

    # The pan: a drag to the right brings earlier instants in; "Restaurer le graphe" comes back.
    ui.press(program.button(results, "Déplacer le graphe"))
    cx, cy = x + 140 + (w - 170) / 2, y + 15 + (h - 115) / 2
    subprocess.run(["xdotool", "mousemove", str(int(cx)), str(int(cy)), "mousedown", "1", "mousemove",
                    str(int(cx + 40)), str(int(cy)), "mousemove", str(int(cx + 80)), str(int(cy)), "mouseup", "1"],
                   env=session.env, check=True)
    ui.wait_for(lambda: describe(graph.description)["t"][0] < -0.05, 10, "the pan")
    panned = describe(graph.description)
    check(abs((panned["t"][1] - panned["t"][0]) - (before["t"][1] - before["t"][0])) < 0.01,
          "the pan changed the range of t: %s" % (panned["t"],))
    program.menu(results, "Edition", "Restaurer le graphe")
    ui.wait_for(lambda: describe(graph.description)["t"] == before["t"], 10, "the graph restored")
    ui.press(program.button(results, "Déplacer le graphe"))
    session.screenshot("time-graph")

    # The copy: a picture in two flavours, with the curve's red in it.
    program.menu(results, "Edition", "Copier l'image dans le presse-papier")
    targets = ui.wait_for(lambda: (lambda t: t if "image/png" in t else None)(clipboard_targets(session)), 10,
                          "a picture on the clipboard")
    check("image/svg+xml" in targets, "the clipboard offers %s" % targets.split())
    copied = os.path.join(session.work, "copied.png")
    with open(copied, "wb") as f:
        f.write(subprocess.run(["xclip", "-selection", "clipboard", "-t", "image/png", "-o"], env=session.env,
                               capture_output=True, timeout=10).stdout)
    check(red_pixels(copied) > 100, "the copied picture has no curve")

    # The files: a PNG and an SVG picture, and a PDF that a reader turns into a page with the curve on it.
    png = shared(args, "graph-%d.png" % os.getpid())
    program.menu(results, "Fichier", "Exporter")
    program.choose_file(png)
    ui.wait_for(lambda: os.path.isfile(png), 10, "the PNG file")
    check(red_pixels(png) > 100, "the exported picture has no curve")
    svg = shared(args, "graph-%d.svg" % os.getpid())
    program.menu(results, "Fichier", "Exporter")
    program.choose_file(svg)
    ui.wait_for(lambda: os.path.isfile(svg) and os.path.getsize(svg) > 0, 10, "the SVG file")
    with open(svg, encoding="utf-8") as f:
        check("<svg" in f.read(), "the SVG file is no drawing")
    pdf = shared(args, "graph-%d.pdf" % os.getpid())
    program.menu(results, "Fichier", "Exporter en PDF")
    program.choose_file(pdf)
    ui.wait_for(lambda: os.path.isfile(pdf) and os.path.getsize(pdf) > 0, 20, "the PDF file")
    page = os.path.join(session.work, "page")
    subprocess.run(["pdftoppm", "-png", "-r", "60", "-singlefile", pdf, page], check=True, timeout=60)
    check(red_pixels(page + ".png") > 50, "the PDF page has no curve")

    # The trajectory: y against x, one world unit as long on both axes.
    ui.press(program.button(results, "Trajectoire"))
    ui.wait_for(lambda: results.name == "Trajectoire dans un référentiel", 10, "the trajectory page")
    graph = ui.find(results, None, "Graphe")
    ui.wait_for(lambda: "y en fonction de x" in (graph.description or ""), 10, "the trajectory")
    shown = describe(graph.description)
    check(shown["points"] == 26, "the trajectory shows %s" % shown["text"])
    xs = [row[4] for row in truth][:26]
    check(shown["x"][0] < min(xs) and shown["x"][1] > max(xs), "x from %s to %s" % shown["x"])
    check(shown["y"][0] < low and shown["y"][1] > high, "y from %s to %s" % shown["y"])
    x, y, w, h = ui.extents(graph)
    per_x = (shown["x"][1] - shown["x"][0]) / (w - 170)
    per_y = (shown["y"][1] - shown["y"][0]) / (h - 115)
    check(abs(per_x - per_y) < 0.02 * per_x, "%.5f m per pixel across, %.5f up" % (per_x, per_y))
    program.menu(results, "Affichage", "Dessiner", "l'image de la vidéo")
    time.sleep(1)
    session.screenshot("trajectory-over-the-video")
    check(describe(graph.description)["x"] == shown["x"], "the picture changed the window")

    # The print preview opens on the graph and closes.
    program.menu(results, "Fichier", "Imprimer")
    preview = ui.wait_for(lambda: [w for w in program.windows() if w.name == "Aperçu avant impression"] or None,
                          20, "the print preview")[0]
    program.keys(preview, "Escape")
    ui.wait_for(lambda: not [w for w in program.windows() if w.name == "Aperçu avant impression"], 10,
                "the preview to close")


def case_phone_video_times(session, args):
    """A phone's video whose frames last 40, 30 and 50 ms in turn: the program says so once, the time
    dialog shows the average duration and offers the frames' own times, and once chosen the table's t
    column holds the frames' instants."""
    phone = os.path.join(session.work, "telephone.mp4")
    subprocess.run(["ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25",
                    "-frames:v", "12", "-vf",
                    "settb=1/1000,setpts=(120*floor(N/3)+40*eq(mod(N\\,3)\\,1)+70*eq(mod(N\\,3)\\,2))/1000/TB",
                    "-fps_mode", "vfr", "-enc_time_base", "1/1000", "-video_track_timescale", "90000", "-c:v",
                    "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", phone], check=True)
    program, main = start_with_study(session)
    program.menu(main, "Fichier", "Ouvrir une vidéo ou une étude")
    program.choose_file(phone)
    lines = program.answer("Ok")
    check("La durée d'affichage des images de cette vidéo est variable." in lines, "no notice: %s" % lines)
    check(any(line.startswith("Durée moyenne d'une image : 0.03") for line in lines), "no average: %s" % lines)
    program.no_dialog()
    check(ui.find(main, ("text",), "Numéro de l'image").queryText().getText(0, -1) == "1 / 12",
          "the video did not open")

    program.menu(main, "Mesures", "Temps entre deux images")
    times = program.dialog()
    check(times.name == "Durée entre deux images", "the time dialog is %r" % times.name)
    check(ui.find_all(times, ("label",), "Durée moyenne d'une image :"), "the dialog shows no average duration")
    box = ui.find(times, ("check box",), "Temps selon l'horodatage des images")
    check(ui.is_enabled(box) and not ui.is_checked(box), "the choice is not offered unticked")
    ui.press(box)
    ui.wait_for(lambda: ui.is_checked(box), 5, "the choice to be ticked")
    program.answer("Ok", times)

    view = ui.find(main, None, "Image de la vidéo")
    vx, vy, vw, vh = ui.extents(view)
    fx, fy = vw / 320.0, vh / 240.0

    def picture(x, y):
        session.click(vx + x * fx, vy + y * fy)
        time.sleep(0.05)

    ui.press(program.button(main, "Echelle"))
    picture(20, 220)
    picture(220, 220)
    program.menu(main, "Mesures", "Longueur de l'échelle")
    length = program.dialog()
    program.type_into(ui.find(length, ("text",)), "1")
    program.answer("Ok", length)
    ui.press(program.button(main, "Repère"))
    picture(30, 200)
    ui.press(program.button(main, "Marques"))
    for k in range(5):
        picture(40 + 30 * k, 120)
    t = [number(v) for v in columns(read_table(program, open_table(program, main)))["t"]]
    check(len(t) == 5, "%d lines in the table" % len(t))
    for got, want in zip(t, (0, 0.04, 0.07, 0.12, 0.16)):
        check(abs(got - want) < 1e-9, "t is %s, the frames' instants are 0, 0.04, 0.07, 0.12, 0.16" % t)


def recovery_copies(session):
    data = os.path.join(session.work, "data")
    if not os.path.isdir(data):
        return []
    return [os.path.join(data, n) for n in os.listdir(data) if n.startswith("recovery-") and n.endswith(".kvl")]


def marks_of(path):
    """The marks a study file holds: {key: value} of its fixed-frame mark lines."""
    marks = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            key, _, value = line.strip().partition("=")
            if key.startswith(("MarkXCoordinate_Grid_", "MarkYCoordinate_Grid_", "MarkOrderNumber_Grid_",
                               "MarksContainerFrameNumber_Grid_", "MarksContainersNumber_Grid")):
                marks[key] = value
    return marks


def case_kill_while_pointing(session, args):
    """Killed (SIGKILL) in the middle of pointing, the program offers the unsaved study at the next start
    and gives back every mark."""
    extra = {"KINOVAL_AUTOSAVE_SECONDS": "1"}
    program = session.launch([], extra_env=extra)
    main = program.frame()
    ui.wait_for(lambda: ui.is_enabled(program.button(main, "Marques")), 30, "the sample video")
    view = ui.find(main, None, "Image de la vidéo")
    vx, vy, vw, vh = ui.extents(view)
    fx, fy = vw / 640.0, vh / 480.0
    ui.press(program.button(main, "Marques"))
    rows = truth_rows(os.path.join(session.work, "tmp"))[:12]
    for row in rows:
        session.click(vx + row[2] * fx, vy + row[3] * fy)
        time.sleep(0.05)
    check("*" in main.name, "the title %r shows no unsaved change" % main.name)

    # Within a couple of seconds the copy holds all twelve marks; then the program is killed.
    def complete_copy():
        for path in recovery_copies(session):
            marks = marks_of(path)
            if marks.get("MarksContainersNumber_Grid") == str(len(rows)):
                return path, marks
        return None
    copy, before = ui.wait_for(complete_copy, 20, "a copy of the twelve marks")
    pid = session.app_process.pid
    os.kill(pid, signal.SIGKILL)
    ui.wait_for(lambda: not session.alive(), 10, "the program to die")
    check(session.app_process.returncode == -signal.SIGKILL, "the program ended with %s" % session.app_process.returncode)
    check(os.path.isfile(copy), "the kill took the copy with it")

    # The next start asks first, and restoring gives the study back, unsaved.
    program = session.launch([], extra_env=extra)
    question = program.dialog(30)
    lines = ui.dialog_text(question)
    session.screenshot("restore_question")
    check(any(line.startswith("Restaurer le travail non enregistré du ") for line in lines),
          "the start asked: %s" % lines)
    program.answer("Restaurer", question)
    main = program.frame()
    ui.wait_for(lambda: ui.find(main, ("text",), "Numéro de l'image").queryText().getText(0, -1)
                == "%d / 26" % (len(rows) + 1), 20, "the view on the frame after the last mark")
    check("*" in main.name, "the restored study %r is not shown as unsaved" % main.name)
    check(not os.path.exists(copy), "the old copy stayed beside the new one")

    # Saved, the study holds every mark as it was placed before the kill.
    saved = shared(args, "restored.kvl")
    if os.path.exists(saved):
        os.remove(saved)
    program.keys(main, "ctrl+s")
    program.choose_file(saved, program.dialog())
    program.answer("Ok")
    check(marks_of(saved) == before, "the restored study differs from the copy: %s" %
          sorted(set(marks_of(saved).items()) ^ set(before.items()))[:6])
    check(not recovery_copies(session), "a copy stayed after the save: %s" % recovery_copies(session))
    check(quit_program(session, program, main) == 0, "the program did not end cleanly")


def case_record_from_the_test_camera(session, args):
    """The capture mode with the test camera: its picture in the view instead of the video and its
    navigation bar, the settings dialog with the H.264 compressor, the camera pulled out and plugged back
    (with the system's two messages), a recording of about two seconds into MP4, the save dialog, and the
    new video opened for measuring with the frames the status line counted."""
    plug = os.path.join(session.work, "camera-plugged")
    open(plug, "w").close()
    program = session.launch([], extra_env={"KINOVAL_TEST_CAMERA": "1", "KINOVAL_TEST_CAMERA_PLUG": plug})
    main = program.frame()
    ui.wait_for(lambda: ui.is_enabled(program.button(main, "Marques")), 30, "the sample video")

    def navigation_shown():
        return [a for a in ui.find_all(main, ("text",), "Numéro de l'image")
                + ui.find_all(main, ("push button",), "Image suivante") if ui.is_showing(a)]
    check(len(navigation_shown()) == 2, "the sample video's frame box and navigation are not shown")
    ui.press(program.button(main, "Capture vidéo"))
    ui.wait_for(lambda: ui.is_checked(program.button(main, "Capture vidéo")), 20, "the capture mode")
    start = program.button(main, "Démarrer la capture")
    ui.wait_for(lambda: ui.is_enabled(start), 20, "the camera's preview")
    # The preview takes the view's place: the previous video's frame box and buttons go with it.
    ui.wait_for(lambda: not navigation_shown(), 10, "the navigation bar to go")

    ui.press(program.button(main, "Réglages de la capture"))
    settings = program.window("Réglages de la capture")
    devices = ui.find(settings, ("combo box",))
    check(ui.find_all(settings, ("page tab",), "Minuterie"), "no timer page in the settings")
    session.screenshot("capture_settings")
    shown = [a.name for a in ui.walk(devices) if a.name]
    check(any("Caméra de test (mire) (GStreamer)" in n for n in shown), "the device list shows %s" % shown)
    # The compressors: ours, then the framework's; H.264 by x264 is the third.
    ui.press(ui.find(settings, ("page tab",), "Compression"))
    compressors = ui.wait_for(lambda: next((c for c in ui.find_all(settings, ("combo box",))
                                            if "MJPEG" in [i.name for i in ui.walk(c)]), None), 10,
                              "the compressor list")
    offered = [i.name for i in ui.walk(compressors) if i.name and i is not compressors]
    check(offered[:2] == ["sans", "MJPEG"] and "H.264 (x264) en MP4" in offered,
          "the compressors offered are %s" % offered)
    check(offered.index("H.264 (x264) en MP4") == 2, "x264 is not third in %s" % offered)
    ui.press(compressors)
    time.sleep(0.5)
    session.keys("Down", "Down", "Return")
    time.sleep(0.5)
    session.screenshot("capture_compressors")
    program.answer("Ok", settings)

    # The camera pulled out: the system's notice, and no preview to record from; plugged back, both return.
    os.remove(plug)
    notice = program.dialog(10)
    lines = program.answer("Ok", notice)
    check(lines == ["Un périphérique Plug and Play a été déconnecté."], "the message said %s" % lines)
    ui.wait_for(lambda: not ui.is_enabled(start), 10, "the capture button to wait for a camera")
    open(plug, "w").close()
    notice = program.dialog(10)
    session.screenshot("capture_plugged_back")
    lines = program.answer("Ok", notice)
    check(lines == ["Un périphérique Plug and Play a été reconnecté"], "the message said %s" % lines)
    ui.wait_for(lambda: ui.is_enabled(start), 10, "the preview back")

    session.screenshot("capture_preview")
    ui.press(start)
    stop = ui.wait_for(lambda: next(iter(ui.find_all(main, ("push button",), "Arrêter la capture")),
                                    None), 10, "the stop button")

    def counted():
        labels = ui.find_all(main, ("label",), "Nombre d'images capturées", prefix=True)
        if not labels:
            return None
        n = int(labels[0].name.split(":")[1].split()[0])
        return n if n >= 45 else None
    ui.wait_for(counted, 30, "some 45 frames recorded")
    session.screenshot("capture_recording")
    ui.press(stop)
    saved = shared(args, "recorded.mp4")
    if os.path.exists(saved):
        os.remove(saved)
    dialog = program.window("Enregistrer une vidéo")
    program.choose_file(saved[:-4], dialog)  # the program adds the container's ".mp4"
    ui.wait_for(lambda: os.path.isfile(saved), 20, "the recording saved")

    # Back to measuring, on the recorded video, with its navigation bar.
    ui.wait_for(lambda: ui.is_checked(program.button(main, "Repère fixe")), 20, "the pointing mode")
    frames = ui.wait_for(lambda: (lambda t: t if t.startswith("1 / ") else None)(
        ui.text_of(ui.find(main, ("text",), "Numéro de l'image"))), 20, "the recorded video open")
    count = int(frames.split("/")[1])
    check(len(navigation_shown()) == 2, "the navigation bar did not come back")
    check("recorded.mp4" in main.name, "the window shows %r" % main.name)
    info = subprocess.run([os.path.join(os.path.dirname(args.program), "kinoval-cli"), "info", "--backend", "2", saved],
                          capture_output=True, text=True, timeout=60)
    check(info.returncode == 0, "kinoval-cli info: %s" % info.stderr)
    ui.log(info.stdout.strip())
    check(str(count) in info.stdout, "the window counts %d frames, the file says %s" % (count, info.stdout))
    check(count >= 45, "only %d frames recorded" % count)
    check(not [f for f in os.listdir(os.path.join(session.work, "tmp")) if f.startswith("Capture")],
          "the temporary recording stayed")
    session.screenshot("capture_opened")
    quit_program(session, program, main)


def read_png(path):
    """A PNG file read with the standard library alone: (width, height, RGB bytes)."""
    import struct
    import zlib
    with open(path, "rb") as f:
        data = f.read()
    check(data[:8] == b"\x89PNG\r\n\x1a\n", "%s is not a PNG file" % path)
    at, idat, width, height = 8, b"", 0, 0
    while at < len(data):
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + size]
        check(zlib.crc32(kind + body) == struct.unpack(">I", data[at + 8 + size:at + 12 + size])[0],
              "%s: bad CRC in %s" % (path, kind))
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            check((depth, colour) == (8, 2), "%s is not 8-bit RGB" % path)
        elif kind == b"IDAT":
            idat += body
        at += 12 + size
    raw = zlib.decompress(idat)
    stride = width * 3
    out = bytearray()
    previous = bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - 3] if x >= 3 else 0
            b = previous[x]
            c = previous[x - 3] if x >= 3 else 0
            if kind == 1:
                line[x] = (line[x] + a) & 255
            elif kind == 2:
                line[x] = (line[x] + b) & 255
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        out += line
        previous = line
    return width, height, bytes(out)


def tool_frames(path, width, height):
    """Every picture of a video as the ffmpeg tool decodes it, RGB."""
    raw = subprocess.run(["ffmpeg", "-nostdin", "-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt", "rgb24",
                          "-"], check=True, capture_output=True).stdout
    size = width * height * 3
    return [raw[i:i + size] for i in range(0, len(raw) - size + 1, size)]


def probe(path):
    """What ffprobe says of a file's first video stream: width, height, rate, frames counted."""
    out = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                          "stream=width,height,r_frame_rate,nb_read_frames", "-of", "default=nw=1", path],
                         check=True, capture_output=True, text=True).stdout
    return dict(line.split("=", 1) for line in out.split())


def psnr(a, b):
    import math
    if len(a) != len(b) or not a:
        return 0.0
    mse = sum((x - y) ** 2 for x, y in zip(a[::7], b[::7])) / len(a[::7])
    return 99.0 if mse == 0 else 10 * math.log10(255 * 255 / mse)


def wait_message(program, text, timeout=120):
    """The message that ends a long job: answered, its lines given back."""
    def found():
        for d in program.dialogs():
            lines = ui.dialog_text(d)
            if any(text in line for line in lines):
                return d
        return None
    d = ui.wait_for(found, timeout, "the message %r" % text)
    return program.answer("Ok", d)


def case_pictures_from_and_to_video(session, args):
    """The thrown ball broken into numbered PNG pictures from the menu, then ten of them made into a video:
    the pictures are the video's frames as the ffmpeg tool decodes them, the new video holds them exactly."""
    program, main = start_with_study(session)
    tmp = os.path.join(session.work, "tmp")
    out = os.path.join(session.work, "pictures")
    os.makedirs(out)
    frames = int(ui.find(main, ("text",), "Numéro de l'image").queryText().getText(0, -1).split("/")[1])
    program.menu(main, "Fichier", "Décomposer une vidéo en fichiers images")
    files = program.dialog()
    check(files.name == "Enregistrer la vidéo sous forme de fichiers images", "the save dialog is %r" % files.name)
    program.choose_file(os.path.join(out, "Balle.png"), files)
    options = program.dialog()
    check(options.name == "Décomposer une vidéo en fichiers images", "the options dialog is %r" % options.name)
    summary = ui.find(options, ("label",), "Nombre total d'images", prefix=True).name
    check("Nombre total d'images : %d" % frames in summary and "Format des images : PNG" in summary,
          "the summary says %r" % summary)
    session.screenshot("options")
    program.answer("Ok", options)
    lines = wait_message(program, "Les fichiers images ont été enregistrés avec succès.")
    digits = len(str(frames))
    names = sorted(os.listdir(out))
    check(names == ["Balle_%0*d.png" % (digits, k) for k in range(frames)], "the pictures are %s" % names[:5])
    reference = tool_frames(os.path.join(tmp, "parabole.avi"), 640, 480)
    check(len(reference) == frames, "the tool sees %d frames, the program %d" % (len(reference), frames))
    for k in (0, frames // 2, frames - 1):
        w, h, rgb = read_png(os.path.join(out, names[k]))
        check((w, h) == (640, 480), "%s is %dx%d" % (names[k], w, h))
        check(psnr(rgb, reference[k]) > 40, "%s differs from the video's frame %d" % (names[k], k))
    ui.log("%d pictures, %s" % (frames, lines))

    program.menu(main, "Fichier", "Créer une vidéo à partir de fichiers images")
    notice = program.answer("Ok")
    check("Vous allez sélectionner plusieurs fichiers images." in notice, "the notice said %s" % notice)
    chosen = names[:10]
    picker = program.dialog()
    check(picker.name == "Sélectionner des fichiers images", "the open dialog is %r" % picker.name)
    program.choose_file(" ".join('"%s"' % os.path.join(out, n) for n in chosen), picker)
    options = program.dialog()
    check(options.name == "Créer une vidéo à partir de fichiers images", "the options dialog is %r" % options.name)
    rate = ui.find(options, ("text",), "Nombre d'images par seconde")
    program.type_into(rate, "10")
    program.answer("Ok", options)
    files = program.dialog()
    check(files.name == "Enregistrer un fichier vidéo", "the save dialog is %r" % files.name)
    video = os.path.join(out, "Assemblage.avi")
    program.choose_file(video, files)
    lines = wait_message(program, "Le fichier a été enregistré avec succès :")
    check(video in lines, "the message names %s" % lines)
    said = probe(video)
    check((said["width"], said["height"], said["r_frame_rate"], said["nb_read_frames"]) == ("640", "480", "10/1", "10"),
          "ffprobe says %s" % said)
    assembled = tool_frames(video, 640, 480)
    for k, name in enumerate(chosen):
        check(assembled[k] == read_png(os.path.join(out, name))[2], "frame %d is not %s" % (k, name))
    check(quit_program(session, program, main) == 0, "the program did not end cleanly")


def case_record_the_montage(session, args):
    """In the montage mode the first frame is hidden and the montage recorded from its button: ffprobe
    counts one frame less, at the size and rate of the video, each frame exactly the one it came from;
    the program then opens the new video."""
    program, main = start_with_study(session)
    tmp = os.path.join(session.work, "tmp")
    out = os.path.join(session.work, "videos")
    os.makedirs(out)
    frames = int(ui.find(main, ("text",), "Numéro de l'image").queryText().getText(0, -1).split("/")[1])
    ui.press(program.button(main, "Montage"))
    ui.wait_for(lambda: ui.is_checked(program.button(main, "Montage")), 10, "the montage mode")
    ui.press(program.button(main, "Masquer / afficher"))
    for d in program.dialogs():  # the explanation of a hidden frame, when the settings ask for it
        program.answer("Ok", d)
    ui.press(program.button(main, "Enregistrer la vidéo"))
    options = program.dialog()
    check(options.name == "Enregistrer le montage dans un fichier vidéo", "the options dialog is %r" % options.name)
    summary = ui.find(options, ("label",), "Nombre total d'images", prefix=True).name
    check("Nombre total d'images : %d" % (frames - 1) in summary and "Conteneur vidéo : AVI" in summary,
          "the summary says %r" % summary)
    program.answer("Ok", options)
    files = program.dialog()
    check(files.name == "Enregistrer un fichier vidéo", "the save dialog is %r" % files.name)
    video = os.path.join(out, "Montage.avi")
    program.choose_file(os.path.join(out, "Montage"), files)
    lines = wait_message(program, "Le fichier a été enregistré avec succès :")
    check(video in lines, "the message names %s" % lines)
    said = probe(video)
    check((said["width"], said["height"], said["r_frame_rate"], said["nb_read_frames"])
          == ("640", "480", "25/1", str(frames - 1)), "ffprobe says %s" % said)
    written = tool_frames(video, 640, 480)
    source = tool_frames(os.path.join(tmp, "parabole.avi"), 640, 480)
    # The program's decoding of the sample (libjpeg-turbo) and the tool's differ by rounding only.
    for k in (0, 5, frames - 2):
        check(psnr(written[k], source[k + 1]) > 40, "frame %d is not the source's frame %d" % (k, k + 1))
    ui.press(program.button(main, "Repère fixe"))
    program.menu(main, "Fichier", "Ouvrir une vidéo ou une étude")
    program.choose_file(video)
    # The montage changed the study: the program asks, and is told to go on without saving.
    lines = program.answer("Ignorer")
    check("Annuler l'ouverture" in lines, "the question before opening said %s" % lines)
    ui.wait_for(lambda: "Montage.avi" in main.name, 20, "the recorded video to open")
    check(ui.find(main, ("text",), "Numéro de l'image").queryText().getText(0, -1) == "1 / %d" % (frames - 1),
          "the recorded video shows %r" % ui.find(main, ("text",), "Numéro de l'image").queryText().getText(0, -1))
    session.screenshot("recorded")
    check(quit_program(session, program, main) == 0, "the program did not end cleanly")


def case_workshop_chronophotograph(session, args):
    """In the workshop a circle is dragged around the ball on frames 1, 9 and 17; the chronophotograph on
    the first frame is saved and read back: each cut-out shows the ball where its frame had it."""
    program, main = start_with_study(session)
    tmp = os.path.join(session.work, "tmp")
    out = os.path.join(session.work, "chrono")
    os.makedirs(out)
    rows = truth_rows(tmp)
    ui.press(program.button(main, "Atelier vidéo"))
    ui.wait_for(lambda: ui.is_checked(program.button(main, "Atelier vidéo")), 10, "the workshop mode")
    ui.press(program.button(main, "Dessiner le contour de l'objet"))
    ui.wait_for(lambda: ui.is_checked(program.button(main, "Dessiner le contour de l'objet")), 5, "the tool")
    view = ui.find(main, None, "Image de la vidéo")
    time.sleep(0.5)  # the window takes the width of the workshop's bar

    def drag(x0, y0, x1, y1):
        """A drag in the frame's pixels."""
        vx, vy, vw, vh = ui.extents(view)
        fx, fy = vw / 640.0, vh / 480.0
        x0, y0, x1, y1 = vx + x0 * fx, vy + y0 * fy, vx + x1 * fx, vy + y1 * fy
        env = session.env
        subprocess.run(["xdotool", "mousemove", str(int(x0)), str(int(y0)), "mousedown", "1"], env=env, check=True)
        for k in range(1, 6):
            subprocess.run(["xdotool", "mousemove", str(int(x0 + (x1 - x0) * k / 5)), str(int(y0 + (y1 - y0) * k / 5))],
                           env=env, check=True)
            time.sleep(0.03)
        subprocess.run(["xdotool", "mouseup", "1"], env=env, check=True)
        time.sleep(0.2)

    frame_box = ui.find(main, ("text",), "Numéro de l'image")
    chosen = (0, 8, 16)
    for k in chosen:
        while int(frame_box.queryText().getText(0, -1).split("/")[0]) - 1 < k:
            ui.press(program.button(main, "Image suivante"))
            time.sleep(0.1)
        row = rows[k]
        drag(row[2], row[3], row[2] + 22, row[3])
        # A finished outline moves the view on by one frame.
        ui.wait_for(lambda: int(frame_box.queryText().getText(0, -1).split("/")[0]) == k + 2, 10,
                    "the view to move on after the outline of frame %d" % (k + 1))
    session.screenshot("outlines")
    ui.press(program.button(main, "Chronophotographie"))
    box = program.dialog()
    text = " ".join(ui.dialog_text(box))
    check("Les images d'un objet à différentes positions peuvent être dessinées :" in text, "the box said %s" % text)
    background = ui.find(box, ("check box",), "Insérer une image d'arrière plan")
    check(ui.is_checked(background), "the background is not offered ticked")
    program.answer("Ok", box)
    files = program.dialog()
    check(files.name == "Enregistrer la chronophotographie dans un fichier", "the save dialog is %r" % files.name)
    picture = os.path.join(out, "ChronoPhoto.png")
    program.choose_file(picture, files)
    lines = wait_message(program, "Le fichier a été enregistré avec succès :")
    check(picture in lines, "the message names %s" % lines)
    w, h, rgb = read_png(picture)
    check((w, h) == (640, 480), "the chronophotograph is %dx%d" % (w, h))
    source = tool_frames(os.path.join(tmp, "parabole.avi"), 640, 480)

    def pixel(data, x, y):
        at = (int(y) * 640 + int(x)) * 3
        return data[at:at + 3]

    def close(a, b):
        return max(abs(p - q) for p, q in zip(a, b)) < 40

    for k in chosen:
        x, y = rows[k][2], rows[k][3]
        check(close(pixel(rgb, x, y), pixel(source[k], x, y)), "the ball of frame %d is not at its place" % (k + 1))
    # Elsewhere the picture is the first outline's frame: the ball of frame 17 is not in it.
    x, y = rows[16][2], rows[16][3]
    check(not close(pixel(source[0], x, y), pixel(source[16], x, y)), "frames 1 and 17 look alike at the ball")
    corner = pixel(rgb, 600, 40)
    check(close(corner, pixel(source[0], 600, 40)), "the background is not frame 1")
    check(quit_program(session, program, main) == 0, "the program did not end cleanly")


def case_vectors_and_segment(session, args):
    """The vector page: its button, the arrows of the velocity and then of the acceleration; a segment drawn
    with the mouse says its length; "Annuler" and Ctrl+A take it away."""
    program, main = start_with_study(session, study_path(args))
    ui.press(program.button(main, "Vecteurs vitesse et accélération"))
    results = results_window(program, "Représentation des vecteurs")
    graph = ui.find(results, None, "Graphe")
    ui.wait_for(lambda: "vecteurs en m/s" in (graph.description or ""), 10, "the velocity vectors")
    shown = describe(graph.description)
    check(shown["points"] == 26 and "26 vecteurs en m/s" in shown["text"], "the vector page shows %s" % shown["text"])
    # The scale panel says what the arrow stands for.
    check(ui.find(results, None, "m/s"), "no unit beside the arrow")
    combo = ui.wait_for(lambda: next((c for c in ui.find_all(results, ("combo box",))
                                      if "accélération" in [i.name for i in ui.walk(c)]), None), 10,
                        "the list of the vectors")
    program.focus(combo)
    program.keys(results, "Down")
    ui.wait_for(lambda: "vecteurs en m/s²" in (graph.description or ""), 10, "the acceleration vectors")
    time.sleep(0.5)
    session.screenshot("acceleration-vectors")

    # A segment drawn with the mouse: press, drag, release 200 pixels further right.
    ui.press(program.button(results, "Segment"))
    x, y, w, h = ui.extents(graph)
    x0, y0 = int(x + w * 0.3), int(y + h * 0.4)
    subprocess.run(["xdotool", "mousemove", str(x0), str(y0), "mousedown", "1", "mousemove", str(x0 + 100),
                    str(y0), "mousemove", str(x0 + 200), str(y0), "mouseup", "1"], env=session.env, check=True)
    said = ui.wait_for(lambda: (lambda d: d if "Longueur du segment : " in d else None)(graph.description or ""),
                       10, "the segment's length")
    length = number(said.split("Longueur du segment : ")[1].split()[0])
    shown = describe(said)
    expected = 200 * (shown["x"][1] - shown["x"][0]) / w
    check(abs(length - expected) < 0.03 * expected, "the segment measures %s m, 200 pixels are %.4f m" % (length, expected))
    time.sleep(0.3)
    session.screenshot("segment")
    entry = next((a for a in program.menu_entries(results) if (a.name or "").startswith("Annuler")), None)
    check(entry is not None and entry.name.startswith("Annuler Créer Segment"), "the undo entry reads %r"
          % (entry.name if entry else None))
    program.menu(results, "Edition", "Annuler")
    ui.wait_for(lambda: "Longueur du segment" not in (graph.description or ""), 10, "the segment undone")

    # Again, and Ctrl+A in the graph takes it away.
    subprocess.run(["xdotool", "mousemove", str(x0), str(y0 + 60), "mousedown", "1", "mousemove", str(x0 + 150),
                    str(y0 + 60), "mouseup", "1"], env=session.env, check=True)
    ui.wait_for(lambda: "Longueur du segment" in (graph.description or ""), 10, "the second segment")
    program.keys(results, "ctrl+a")
    ui.wait_for(lambda: "Longueur du segment" not in (graph.description or ""), 10, "Ctrl+A to undo")
    ui.press(program.button(results, "Segment"))
def case_english_interface(session, args):
    """The interface in English, as the settings choose it: the menus, the buttons, the messages, the
    dialogs, the table's header lines and the help read in English, the numbers are the French run's, and
    the study saved in English is the one saved in French."""
    config = os.path.join(session.work, "config")
    os.makedirs(config, exist_ok=True)
    with open(os.path.join(config, "Kinoval.ini"), "w", encoding="utf-8") as f:
        f.write("[Options]\nComboBoxLanguage_Value=2\n")
    # Nothing on the desktop shows HTML: the help opens in the program's own window.
    empty = os.path.join(session.work, "nothing")
    os.makedirs(empty, exist_ok=True)
    program = session.launch([study_path(args)], extra_env={"PATH": empty})
    main = program.frame()
    ui.wait_for(lambda: ui.find_all(main, ("push button",), "Table of measurements")
                and ui.is_enabled(ui.find(main, ("push button",), "Table of measurements")), 30, "the study open")
    check(main.name == "ball.kvl — Kinoval", "the title is %r" % main.name)
    check(not french_texts(main), "French in the English main window: %s" % french_texts(main)[:8])
    bar = [a.name for a in ui.children(ui.find(main, ("menu bar",)))]
    check(bar[:5] == ["File", "View", "Measurements", "Results", "Help"], "the menus are %s" % bar)
    for button in ("Scale", "Frame of reference", "Marks", "Fixed frame of reference", "Next frame"):
        program.button(main, button)
    # "Annuler" is Cancel in the dialogs but Undo in the menu.
    entries = [e.name for e in program.menu_entries(main)]
    check(any(e.startswith("Undo") for e in entries) and not any(e.startswith("Cancel") for e in entries),
          "the menu entries are %s" % entries[:12])
    session.screenshot("english_main")

    program.menu(main, "Results", "Table of measurements")
    hint = program.dialog()
    text = " ".join(ui.dialog_text(hint))
    check("An object's name is given by default" in text, "the naming hint says %s" % text)
    program.answer("Ignore", hint)
    results = program.window("Table of values")
    grid = ui.find(results, ("table",), "Table of values")
    cells = ui.wait_for(lambda: (lambda c: c if len(c) > 4 else None)(program.table_cells(grid)), 20, "the lines")
    check(cells[1][1:4] == ["t", "x", "y"], "the symbols are %s" % cells[1][:6])
    check(cells[2][1:4] == ["s", "m", "m"], "the units are %s" % cells[2][:6])
    header = " | ".join(cells[0] + cells[3])
    check("Abscissa" in header and "of point no. 1" in header, "the header lines read %s" % header)
    check("Abscisse" not in header and "du point" not in header, "French in the header lines: %s" % header)
    check_ball(columns(cells), 26)
    check(not french_texts(results), "French in the English results window: %s" % french_texts(results)[:8])
    session.screenshot("english_table")
    program.menu(results, "File", "Close")

    # Saved in English, the study is the French one: only the frame shown may differ.
    saved = os.path.join(session.work, "english.kvl")
    program.menu(main, "File", "Save the study as")
    files = program.dialog()
    check(files.name == "Save a study to a KVL file", "the save dialog is %r" % files.name)
    program.choose_file(saved, files)
    lines = program.answer("Ok")
    check("The file was saved successfully:" in lines, "the save said %s" % lines)

    def kept(path):
        with open(path, encoding="utf-8") as f:
            return [line for line in f.read().splitlines() if not line.startswith("ImageNumber=")]
    french, english = kept(study_path(args)), kept(saved)
    check(english == french, "the English save differs: %s" % sorted(set(english) ^ set(french))[:6])

    program.menu(main, "View", "Options")
    options = program.dialog()
    check(options.name == "Options", "the settings dialog is %r" % options.name)
    check(ui.find_all(options, ("page tab",), "General"), "no General page")
    check(ui.find_all(options, ("label",), "Language:"), "no Language choice")
    # Every page but the languages' own names, each in its language.
    left = [t for t in french_texts(options) if "Français" not in t]
    check(not left, "French in the English settings dialog: %s" % left[:8])
    session.screenshot("english_options")
    program.answer("Cancel", options)
    program.keys(main, "F1")
    help_window = program.window("Kinoval help")
    text = ui.text_of(ui.find(help_window, None, "Help page"))
    check("Kinoval measures motion" in text and "échelle" not in text.lower(),
          "the help page reads %r" % text[:200])
    check(quit_program_in_english(session, program, main) == 0, "the program did not end cleanly")


FRENCH = re.compile(r"[éèàêçùâîôûœ«»]|\b(de|des|du|la|le|les|une|et|pour|sur|avec|dans)\b", re.I)


def french_texts(window):
    """The names and descriptions of a window's parts (its menus' entries too) that read as French."""
    found = []
    for a in ui.walk(window):
        for text in (a.name or "", a.description or ""):
            if FRENCH.search(text):
                found.append("%s %r" % (ui.role(a), text[:80]))
    return found


def quit_program_in_english(session, program, main):
    program.menu(main, "File", "Quit")
    ui.wait_for(lambda: not session.alive(), 20, "the program to end")
    return session.app_process.returncode if session.app_process else 0


def teal_pixels(png, box):
    """The pixels of the model curves' colour (0, 150, 150) inside a box (x, y, w, h) of a screenshot."""
    x, y, w, h = [int(v) for v in box]
    out = subprocess.run(["convert", png, "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", "txt:-"],
                         capture_output=True, text=True, timeout=60)
    found = set()
    for line in out.stdout.splitlines()[1:]:
        # "12,34: (0,150,150)  #009696  srgb(0,150,150)"
        try:
            at, rest = line.split(":", 1)
            rgb = [int(float(v)) for v in rest.split("(")[1].split(")")[0].split(",")[:3]]
        except (ValueError, IndexError):
            continue
        if abs(rgb[0]) < 40 and abs(rgb[1] - 150) < 40 and abs(rgb[2] - 150) < 40:
            found.add(tuple(int(v) for v in at.split(",")))
    return found


def model_lines(panel):
    text = ui.wait_for(lambda: panel.description or None, 10, "the modeller's texts")
    return text.split("\n")


def parameter(lines, letter):
    for line in lines:
        if line.startswith(letter + " = "):
            return number(line.split(" = ", 1)[1])
    raise ui.UiFailure("no parameter %s in %s" % (letter, lines))


def case_fit_a_parabola(session, args):
    """The time graph of y, the parabola button: the model over the curve and its panel with the equation,
    whose square coefficient is -g/2; a step button moves it and the curve; the panel's menu; the copy; the
    model kept with the study."""
    program, main = start_with_study(session, study_path(args))
    ui.press(program.button(main, "Graphes en fonction du temps"))
    results = results_window(program, "Evolution en fonction du temps")
    graph, shown = graph_of(results)
    combo = ui.wait_for(lambda: next((c for c in ui.find_all(results, ("combo box",))
                                      if "vx" in [i.name for i in ui.walk(c)]), None), 10, "the quantity list")
    program.focus(combo)
    program.keys(results, "Down")
    ui.wait_for(lambda: "y en fonction de t" in (graph.description or ""), 10, "the graph of y")
    box = ui.extents(graph)
    plain = session.screenshot("before-the-model")
    check(not teal_pixels(plain, box), "a model shows before one was chosen")

    ui.press(program.button(results, "Modéliser par une parabole d'axe vertical"))
    panel = ui.wait_for(lambda: next((p for p in ui.find_all(results, None, "Modificateur du modèle")
                                      if ui.is_showing(p) and p.description), None), 10, "the modeller panel")
    lines = model_lines(panel)
    check(lines[0] == "Modèle: y = r + b.t + c.t²", "the equation reads %r" % lines[0])
    c = parameter(lines, "c")
    check(abs(-2 * c - G) < 0.005 * G, "g from the parabola is %.4f" % (-2 * c))
    check(abs(parameter(lines, "b") - 4.6) < 0.02 * 4.6, "vy0 from the parabola is %s" % parameter(lines, "b"))
    check(ui.is_checked(ui.find(results, ("push button", "toggle button", "check box"),
                                "Modifier la courbe du modèle")), "the modify-model tool is not chosen")
    fitted = session.screenshot("parabola-fitted")
    curve = teal_pixels(fitted, box)
    check(len(curve) > 200, "the model curve shows %d pixels" % len(curve))

    # "Augmenter la valeur" on the negative c: it goes towards 0, and the curve opens up.
    step = ui.find(panel, ("push button",), "Augmenter c")
    check("Ctrl" in (step.description or ""), "the step button says %r" % step.description)
    ui.press(step)
    ui.wait_for(lambda: parameter(model_lines(panel), "c") != c, 10, "the parameter to change")
    stepped = parameter(model_lines(panel), "c")
    check(abs(stepped - c / 1.02) < 0.002 * abs(c), "c went from %s to %s" % (c, stepped))
    time.sleep(0.5)
    moved = session.screenshot("parabola-stepped")
    after = teal_pixels(moved, box)
    check(len(after ^ curve) > 100, "the model curve did not move (%d pixels differ)" % len(after ^ curve))

    # The modify-model tool: a drag away from the branches' handles moves the whole parabola up, live.
    r = parameter(model_lines(panel), "r")
    x, y, w, h = box
    cx, cy = x + 140 + (w - 170) / 2, y + h - 110
    subprocess.run(["xdotool", "mousemove", str(int(cx)), str(int(cy)), "mousedown", "1", "mousemove",
                    str(int(cx)), str(int(cy - 20))], env=session.env, check=True)
    ui.wait_for(lambda: parameter(model_lines(panel), "r") > r, 10, "the parabola to follow the mouse")
    subprocess.run(["xdotool", "mousemove", str(int(cx)), str(int(cy - 40)), "mouseup", "1"], env=session.env,
                   check=True)
    ui.wait_for(lambda: abs(parameter(model_lines(panel), "c") - stepped) < 1e-3
                and parameter(model_lines(panel), "r") > r + 0.05, 10, "the parabola moved up")
    session.screenshot("parabola-dragged")

    # The panel's menu: the statistics join the equation; with neither, the panel goes.
    program.menu(results, "Affichage", "Modificateur du modèle", "les statistiques")
    ui.wait_for(lambda: "Incertitudes sur les ordonnées: " in model_lines(panel), 10, "the statistics")
    program.menu(results, "Affichage", "Modificateur du modèle", "Afficher l'équation")
    ui.wait_for(lambda: not any(l.startswith("Modèle") for l in model_lines(panel)), 10, "the equation hidden")
    program.menu(results, "Affichage", "Modificateur du modèle", "les statistiques")
    ui.wait_for(lambda: not ui.find_all(results, None, "Modificateur du modèle")
                or not any(ui.is_showing(p) for p in ui.find_all(results, None, "Modificateur du modèle")
                           if ui.role(p) != "menu"), 10, "the panel hidden with nothing to show")
    program.menu(results, "Affichage", "Modificateur du modèle", "Afficher l'équation")

    # The copy: the equation, the parameters, an empty line and the statistics.
    program.menu(results, "Edition", "Copier le modèle")
    copied = ui.wait_for(lambda: (lambda t: t if t.startswith("Modèle") else None)(session.clipboard()), 10,
                         "the model on the clipboard")
    check("\n\nIncertitudes sur les ordonnées" in copied, "the copy reads %r" % copied)
    check(abs(parameter(copied.split("\n"), "c") - stepped) < 1e-3, "the copy's c is not the panel's")

    # Kept with the study: saved, then read back by a new session of the program.
    saved = shared(args, "modele-%d.kvl" % os.getpid())
    program.menu(main, "Fichier", "Enregistrer l'étude sous")
    program.choose_file(saved)
    lines = program.answer("Ok")
    check("Le fichier a été enregistré avec succès :" in lines, "the save said %s" % lines)
    with open(saved, encoding="utf-8", errors="replace") as f:
        text = f.read()
    check("[Modeles]" in text and "ModeleType_0=4" in text, "the study keeps no model:\n%s" % text[-400:])
    check(quit_program(session, program, main) == 0, "the program did not end cleanly")
    program, main = start_with_study(session, saved)
    ui.press(program.button(main, "Graphes en fonction du temps"))
    results = results_window(program, "Evolution en fonction du temps")
    graph, shown = graph_of(results)
    combo = ui.wait_for(lambda: next((c for c in ui.find_all(results, ("combo box",))
                                      if "vx" in [i.name for i in ui.walk(c)]), None), 10, "the quantity list")
    program.focus(combo)
    program.keys(results, "Down")
    ui.wait_for(lambda: "y en fonction de t" in (graph.description or ""), 10, "the graph of y again")
    time.sleep(0.5)
    again = teal_pixels(session.screenshot("parabola-reopened"), ui.extents(graph))
    check(len(again) > 200, "the reopened study shows no model")
    check(quit_program(session, program, main) == 0, "the program did not end cleanly")


CASES = {
    "point_and_save": case_point_and_save,
    "table_from_command_line": case_table_from_command_line,
    "copy_and_export": case_copy_and_export,
    "undo_save_reopen": case_undo_save_reopen,
    "failed_open_keeps_the_study": case_failed_open_keeps_the_study,
    "help_without_a_browser": case_help_without_a_browser,
    "track_the_ball": case_track_the_ball,
    "press_everything": case_press_everything,
    "graphs": case_graphs,
    "phone_video_times": case_phone_video_times,
    "formulas_in_the_window": case_formulas_in_the_window,
    "calculator": case_calculator,
    "formula_keyboard": case_formula_keyboard,
    "kill_while_pointing": case_kill_while_pointing,
    "record_from_the_test_camera": case_record_from_the_test_camera,
    "pictures_from_and_to_video": case_pictures_from_and_to_video,
    "record_the_montage": case_record_the_montage,
    "workshop_chronophotograph": case_workshop_chronophotograph,
    "vectors_and_segment": case_vectors_and_segment,
    "english_interface": case_english_interface,
    "fit_a_parabola": case_fit_a_parabola,
}

if __name__ == "__main__":
    sys.exit(ui.run_cases(CASES))
