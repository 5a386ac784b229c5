#!/usr/bin/env python3
"""The program's catalogue of English texts, kept in translations/kinoval_en.ts.

The French texts are extracted from the sources by lupdate (Tr, T and TrNoop calls), every context folded
into one, since a French text is its own key wherever it appears. The existing translations are kept, those
of texts that left the sources stay at the end as "vanished" (lrelease leaves them out), and the texts
without English yet are listed.

    translations.py update EXTRACTED.ts CATALOGUE.ts [--import FILE.tsv]
    translations.py check EXTRACTED.ts CATALOGUE.ts

A TSV file to import holds one text a line: the French, a tab, the English, and for a text with two senses a
tab and the meaning the sources give (Tr("Annuler", "undo")); "\\n" and "\\t" stand for a line end and a
tab.
"""

import re
import sys
import xml.etree.ElementTree as ET

# The placeholders FormatText fills in order: a translation keeps them, in the same order.
PLACEHOLDER = re.compile(r"%(?:\.\d+)?[sdugf%]")

CONTEXT = "Kinoval"


def texts_of(path, gone=None):
    """Every text of a .ts file, (French, meaning) with its translation ('' when it has none). The meaning
    is the message's disambiguation (Tr("Annuler", "undo")), empty for most. The English of texts that
    left the sources goes into gone."""
    out = {}
    gone = {} if gone is None else gone
    root = ET.parse(path).getroot()
    for message in root.iter("message"):
        source = message.findtext("source") or ""
        if not source:
            continue
        source = (source, message.findtext("comment") or "")
        node = message.find("translation")
        english = node.text or "" if node is not None else ""
        if node is not None and node.get("type") in ("obsolete", "vanished"):
            if english:
                gone[source] = english
            continue
        if source not in out or (english and not out[source]):
            out[source] = english
    return out


def escape(text):
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace('"', "&quot;").replace("'", "&apos;"))


def write_catalogue(path, entries, gone):
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>",
             '<TS version="2.1" language="en" sourcelanguage="fr">', "<context>",
             "    <name>%s</name>" % CONTEXT]
    for source, meaning in sorted(entries):
        english = entries[(source, meaning)]
        lines.append("    <message>")
        lines.append("        <source>%s</source>" % escape(source))
        if meaning:
            lines.append("        <comment>%s</comment>" % escape(meaning))
        if english:
            lines.append("        <translation>%s</translation>" % escape(english))
        else:
            lines.append('        <translation type="unfinished"></translation>')
        lines.append("    </message>")
    # The English of texts that left the sources, kept out of the program: a text that comes back, or
    # that changed a little, finds it here.
    for source, meaning in sorted(gone):
        lines.append("    <message>")
        lines.append("        <source>%s</source>" % escape(source))
        if meaning:
            lines.append("        <comment>%s</comment>" % escape(meaning))
        lines.append('        <translation type="vanished">%s</translation>' % escape(gone[(source, meaning)]))
        lines.append("    </message>")
    lines += ["</context>", "</TS>", ""]
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines))


def unescape_tsv(text):
    return text.replace("\\n", "\n").replace("\\t", "\t")


def read_tsv(path):
    out = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip():
                continue
            if "\t" not in line:
                sys.exit("%s:%d: no tab between the French and the English" % (path, number))
            cells = line.split("\t")
            meaning = cells[2] if len(cells) > 2 else ""
            out[(unescape_tsv(cells[0]), meaning)] = unescape_tsv(cells[1])
    return out


def shown(key):
    text, meaning = key
    text = text.replace("\n", "\\n").replace("\t", "\\t")
    return text + ("  [meaning: %s]" % meaning if meaning else "")


def main(argv):
    if len(argv) < 3 or argv[0] not in ("update", "check"):
        sys.exit(__doc__)
    mode, extracted_path, catalogue_path = argv[0], argv[1], argv[2]
    extracted = texts_of(extracted_path)
    gone = {}
    try:
        known = texts_of(catalogue_path, gone)
    except (OSError, ET.ParseError):
        known = {}
    imported = {}
    if len(argv) >= 5 and argv[3] == "--import":
        imported = read_tsv(argv[4])
    entries = {}
    for source in extracted:
        entries[source] = imported.get(source) or known.get(source) or gone.get(source, "")
    missing = [s for s in sorted(entries) if not entries[s]]
    mismatched = [s for s in sorted(entries)
                  if entries[s] and PLACEHOLDER.findall(s[0]) != PLACEHOLDER.findall(entries[s])]
    dropped = [s for s in known if s not in entries]
    kept_gone = {s: e for s, e in gone.items() if s not in entries}
    kept_gone.update({s: known[s] for s in dropped if known[s]})
    unused_import = [s for s in imported if s not in entries]
    translated = len(entries) - len(missing)
    if mode == "update":
        write_catalogue(catalogue_path, entries, kept_gone)
        print("%s: %d French texts, %d with English, %d without; %d texts left the sources (their English is "
              "kept as vanished)." % (catalogue_path, len(entries), translated, len(missing), len(dropped)))
        for s in unused_import:
            print("imported but not in the sources: %s" % shown(s))
    else:
        print("%d French texts, %d with English, %d without." % (len(entries), translated, len(missing)))
    for s in mismatched:
        print("the English does not keep the placeholders (%s) of: %s"
              % (" ".join(PLACEHOLDER.findall(s[0])), shown(s)))
    if missing:
        print("French texts without English (%d):" % len(missing))
        for s in missing:
            print("  " + shown(s))
        if mode == "check":
            print("To translate them: run scripts/update_translations.sh, then give each text its English in "
                  "translations/kinoval_en.ts (Qt Linguist, or a text editor: fill the <translation> and remove "
                  "type=\"unfinished\"), or list them as 'French<TAB>English' lines in a file and run "
                  "scripts/update_translations.sh --import FILE.")
        return 1 if mode == "check" else 0
    return 1 if mismatched and mode == "check" else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
