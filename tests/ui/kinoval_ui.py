"""Drives the real Kinoval window as an assistive tool or a person would.

A session is a private X server (Xvfb), a private D-Bus session with the accessibility bus, and the
program started in it. Controls are found through AT-SPI by their role and their accessible name (the
caption a person reads); buttons and menu entries are pressed through their accessible action; keys and
mouse clicks go through the X server's test extension (xdotool), as a keyboard and a mouse would.

Nothing here knows the program's widgets: only what a person sees.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# pyatspi is imported once the private buses exist (see Session.start).
pyatspi = None
GLib = None

DEFAULT_TIMEOUT = 20.0


class UiFailure(AssertionError):
    pass


def log(*parts):
    print(*parts, flush=True)


# ---------------------------------------------------------------------------------------------- session


class Session:
    """Xvfb, D-Bus and the accessibility bus for one program run (or several, one after the other)."""

    def __init__(self, work_dir, program, screen="1600x1000x24"):
        self.work = work_dir
        self.program = program
        self.screen = screen
        self.processes = []
        self.app_process = None
        self.env = None

    def start(self):
        global pyatspi, GLib
        os.makedirs(self.work, exist_ok=True)
        env = dict(os.environ)
        # The X server picks a free display and tells us which.
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", self.screen, "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=open(os.path.join(self.work, "xvfb.log"), "w"))
        os.close(write_fd)
        number = b""
        deadline = time.time() + 20
        while not number.endswith(b"\n") and time.time() < deadline:
            chunk = os.read(read_fd, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_fd)
        if not number.strip():
            raise UiFailure("Xvfb did not start")
        self.processes.append(xvfb)
        env["DISPLAY"] = ":" + number.decode().strip()

        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env)
        address = bus.stdout.readline().decode().strip()
        if not address:
            raise UiFailure("dbus-daemon did not start")
        self.processes.append(bus)
        env["DBUS_SESSION_BUS_ADDRESS"] = address
        env["NO_AT_BRIDGE"] = "0"
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env["QT_ACCESSIBILITY"] = "1"
        env.pop("QT_QPA_PLATFORM", None)
        env["QT_QPA_PLATFORM"] = "xcb"
        env.setdefault("XDG_RUNTIME_DIR", os.path.join(self.work, "runtime"))
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        launcher = "/usr/libexec/at-spi-bus-launcher"
        self.processes.append(subprocess.Popen([launcher, "--launch-immediately"], env=env,
                                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        # This process talks to the same buses from here on.
        os.environ.update({k: env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR")})
        self.env = env
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import GLib as _GLib
        import pyatspi as _pyatspi
        pyatspi = _pyatspi
        GLib = _GLib
        wait_for(lambda: _registry_ready(), 20, "the accessibility registry")

    def launch(self, arguments=(), extra_env=None, config=None, tmp=None):
        """Starts the program; answers its accessible application once its main window is there."""
        env = dict(self.env)
        env["KINOVAL_CONFIG_DIR"] = config or os.path.join(self.work, "config")
        # The copies of unsaved studies stay in the session too, never in the user's data folder.
        env["KINOVAL_DATA_DIR"] = os.path.join(self.work, "data")
        env["TMP"] = tmp or os.path.join(self.work, "tmp")
        os.makedirs(env["KINOVAL_CONFIG_DIR"], exist_ok=True)
        os.makedirs(env["TMP"], exist_ok=True)
        if extra_env:
            env.update(extra_env)
        self.app_process = subprocess.Popen([self.program, *arguments], env=env,
                                            stdout=open(os.path.join(self.work, "program.log"), "a"),
                                            stderr=subprocess.STDOUT)
        app = wait_for(lambda: find_application("Kinoval", self.app_process.pid), 30, "the program on the bus")
        return Program(self, app)

    def alive(self):
        return self.app_process is not None and self.app_process.poll() is None

    def stop_program(self, timeout=10):
        if self.app_process is None:
            return None
        if self.app_process.poll() is None:
            self.app_process.terminate()
            try:
                self.app_process.wait(timeout)
            except subprocess.TimeoutExpired:
                self.app_process.kill()
                self.app_process.wait()
        code = self.app_process.returncode
        self.app_process = None
        return code

    def screenshot(self, name):
        path = os.path.join(self.work, name + ".png")
        if shutil.which("import"):
            subprocess.run(["import", "-window", "root", path], env=self.env, check=False,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    def close(self):
        self.stop_program()
        for p in reversed(self.processes):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        self.processes = []

    # Keyboard and mouse through the X server, as a person's.
    def keys(self, *combos):
        for combo in combos:
            subprocess.run(["xdotool", "key", "--clearmodifiers", combo], env=self.env, check=True)
            time.sleep(0.05)

    def type_text(self, text):
        subprocess.run(["xdotool", "type", "--delay", "5", text], env=self.env, check=True)

    def click(self, x, y, button=1):
        subprocess.run(["xdotool", "mousemove", str(int(x)), str(int(y)), "click", str(button)],
                       env=self.env, check=True)

    def clipboard(self):
        out = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=self.env, capture_output=True,
                             timeout=10)
        return out.stdout.decode("utf-8")


def _registry_ready():
    try:
        pyatspi.Registry.getDesktop(0)
        return True
    except Exception:
        return False


def find_application(name, pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        try:
            if a is not None and a.name == name and a.get_process_id() == pid and a.childCount > 0:
                return a
        except Exception:
            continue
    return None


def wait_for(predicate, timeout=DEFAULT_TIMEOUT, what="a condition", interval=0.1):
    deadline = time.time() + timeout
    last_error = None
    while time.time() < deadline:
        try:
            value = predicate()
            if value:
                return value
        except Exception as e:  # the tree changes under our feet while windows come and go
            last_error = e
        time.sleep(interval)
    raise UiFailure("timed out waiting for %s%s" % (what, (": %s" % last_error) if last_error else ""))


# ---------------------------------------------------------------------------------------------- the tree


def role(acc):
    return acc.getRoleName()


def states(acc):
    return acc.getState()


def is_showing(acc):
    return states(acc).contains(pyatspi.STATE_SHOWING)


def is_enabled(acc):
    return states(acc).contains(pyatspi.STATE_ENABLED)


def is_checked(acc):
    s = states(acc)
    return s.contains(pyatspi.STATE_CHECKED) or s.contains(pyatspi.STATE_PRESSED)


def children(acc):
    for i in range(acc.childCount):
        c = acc.getChildAtIndex(i)
        if c is not None:
            yield c


def walk(acc, depth=0, max_depth=40):
    yield acc
    if depth >= max_depth:
        return
    for c in children(acc):
        yield from walk(c, depth + 1, max_depth)


def matches(acc, roles, name, prefix):
    try:
        if roles and role(acc) not in roles:
            return False
        if name is None:
            return True
        n = acc.name or ""
        return n.startswith(name) if prefix else n == name
    except Exception:
        return False


def find_all(root, roles=None, name=None, prefix=False):
    if isinstance(roles, str):
        roles = (roles,)
    return [a for a in walk(root) if matches(a, roles, name, prefix)]


def find(root, roles=None, name=None, prefix=False, timeout=DEFAULT_TIMEOUT):
    what = "%s %r in %r" % (roles, name, getattr(root, "name", "?"))
    return wait_for(lambda: next(iter(find_all(root, roles, name, prefix)), None), timeout, what)


def text_of(acc):
    try:
        t = acc.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return acc.name or ""


def dialog_text(dialog):
    """The lines a message shows (the program's messages carry them whole in their description), or the
    labels of another dialog."""
    if dialog.description:
        return dialog.description.split("\n")
    return [a.name for a in find_all(dialog, ("label",)) if a.name]


def press(acc):
    """Presses a button or a menu entry through its accessible action. An entry that opens a modal
    window answers only once that window closes: the call returns at once and the window is handled
    by the caller."""
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    index = 0
    for wanted in ("Press", "press", "Toggle", "toggle", "click", "SetFocus"):
        if wanted in names:
            index = names.index(wanted)
            break
    pyatspi.setTimeout(400, 15000)
    try:
        action.doAction(index)
    except GLib.GError:
        pass  # the program is in the modal window the press opened
    finally:
        pyatspi.setTimeout(25000, 60000)
    # A button's press is an animated click that lands a tenth of a second later.
    time.sleep(0.3)


def extents(acc):
    c = acc.queryComponent()
    e = c.getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


# ---------------------------------------------------------------------------------------------- the program


class Program:
    """The running program as its windows show it."""

    def __init__(self, session, app):
        self.session = session
        self.app = app

    def windows(self):
        return [w for w in children(self.app) if is_showing(w)]

    def window(self, name, prefix=False, timeout=DEFAULT_TIMEOUT):
        return wait_for(lambda: next((w for w in self.windows() if matches(w, None, name, prefix)), None),
                        timeout, "the window %r" % name)

    def main_window(self):
        return self.window("Kinoval", prefix=False) if self._has_plain_title() else self.window("", prefix=True)

    def _has_plain_title(self):
        return any(w.name == "Kinoval" for w in self.windows())

    def frame(self):
        """The main window: the frame that holds the mode bar."""
        def found():
            for w in self.windows():
                if role(w) == "frame" and find_all(w, ("tool bar",), "Modes"):
                    return w
            return None
        return wait_for(found, DEFAULT_TIMEOUT, "the main window")

    def dialog(self, timeout=DEFAULT_TIMEOUT):
        """The modal window now showing (a message, a question, a file choice)."""
        return wait_for(lambda: next((w for w in self.windows() if role(w) in ("dialog", "alert")), None),
                        timeout, "a dialog")

    def dialogs(self):
        return [w for w in self.windows() if role(w) in ("dialog", "alert")]

    def no_dialog(self, timeout=DEFAULT_TIMEOUT):
        wait_for(lambda: not self.dialogs(), timeout, "the dialogs to close")

    def answer(self, button, dialog=None, timeout=DEFAULT_TIMEOUT):
        """Presses a button of the dialog now showing; answers the texts the dialog showed."""
        d = dialog or self.dialog(timeout)
        lines = dialog_text(d)
        press(find(d, ("push button",), button))
        wait_for(lambda: d not in self.windows() or not is_showing(d), timeout, "the dialog to close")
        return lines

    def menu(self, window, *path):
        """Presses the entry at the end of a menu path ("Fichier", "Exporter")."""
        bar = find(window, ("menu bar",))
        node = bar
        for i, caption in enumerate(path):
            last = i == len(path) - 1
            node = find(node, ("menu item", "menu", "check menu item", "radio menu item"), caption, prefix=True)
        press(node)

    def menu_entries(self, window):
        bar = find(window, ("menu bar",))
        return [a for a in walk(bar) if role(a) in ("menu item", "check menu item", "radio menu item")]

    def button(self, window, name):
        return find(window, ("push button", "check box", "toggle button"), name)

    def type_into(self, acc, text):
        """Replaces the text of an editable field, as typing would."""
        try:
            editable = acc.queryEditableText()
            editable.setTextContents(text)
        except NotImplementedError:
            acc.queryComponent().grabFocus()
            self.session.keys("ctrl+a")
            self.session.type_text(text)

    def focus(self, acc):
        acc.queryComponent().grabFocus()

    def keys(self, window, *combos):
        """Types keys into a window: it gets the keyboard first, as a click on it would give it."""
        import re
        pattern = "^" + re.escape(window.name) + "$"
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern], env=self.session.env,
                               capture_output=True, text=True)
        ids = found.stdout.split()
        if not ids:
            raise UiFailure("no X window titled %r" % window.name)
        subprocess.run(["xdotool", "windowfocus", "--sync", ids[0]], env=self.session.env, check=True)
        self.session.keys(*combos)

    def table_cells(self, table):
        """Every cell's text, line by line."""
        t = table.queryTable()
        rows = []
        for r in range(t.nRows):
            line = []
            for c in range(t.nColumns):
                cell = t.getAccessibleAt(r, c)
                line.append(cell.name if cell is not None else "")
            rows.append(line)
        return rows

    def choose_file(self, path, dialog=None, button=None):
        """Answers a file dialog with a path typed in its name field."""
        d = dialog or self.dialog()
        fields = [a for a in find_all(d, ("text", "entry", "editbar")) if is_showing(a)
                  and states(a).contains(pyatspi.STATE_EDITABLE)]
        if not fields:
            raise UiFailure("no file name field in %r" % d.name)
        # The file name field is the line labelled so; else the last editable line (after the folder's).
        named = [a for a in fields if (a.name or "").rstrip(" :") in ("Nom de fichier", "File name")]
        field = named[0] if named else fields[-1]
        self.type_into(field, path)
        buttons = [b for b in find_all(d, ("push button",)) if is_showing(b) and is_enabled(b)]
        wanted = button
        chosen = None
        for b in buttons:
            n = (b.name or "").replace("&", "")
            if wanted and n == wanted:
                chosen = b
            elif not wanted and n in ("Enregistrer", "Ouvrir", "Save", "Open", "Choisir", "Choose"):
                chosen = b
        if chosen is None:
            raise UiFailure("no accept button in %r: %s" % (d.name, [b.name for b in buttons]))
        press(chosen)
        wait_for(lambda: d not in self.windows() or not is_showing(d), DEFAULT_TIMEOUT, "the file dialog to close")

    def status_hint(self, window):
        return find(window, ("label",), "Conseil").name


def run_cases(cases, argv=None):
    """Runs one named case (the first argument), or all of them, each in its own session."""
    import argparse
    parser = argparse.ArgumentParser()
    parser.add_argument("case", nargs="?")
    parser.add_argument("--program", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--samplegen", default="")
    args = parser.parse_args(argv)
    names = [args.case] if args.case else list(cases)
    failures = 0
    for name in names:
        work = os.path.join(args.work, name)
        shutil.rmtree(work, ignore_errors=True)
        os.makedirs(work)
        session = Session(work, args.program)
        started = time.time()
        try:
            session.start()
            cases[name](session, args)
            log("PASS %s (%.1f s)" % (name, time.time() - started))
        except Exception as e:
            failures += 1
            shot = session.screenshot("failure")
            log("FAIL %s: %s (screen: %s)" % (name, e, shot))
            import traceback
            traceback.print_exc()
        finally:
            session.close()
    return 1 if failures else 0
