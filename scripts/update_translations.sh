#!/usr/bin/env bash
# Refreshes the English catalogue, translations/kinoval_en.ts, from the French texts of the sources (the
# Tr("..."), T("...") and TrNoop("...") calls of src/), keeping the English already given, and lists the
# French texts that have no English yet.
#
#   scripts/update_translations.sh                 refresh the catalogue
#   scripts/update_translations.sh --import FILE   also take the English from FILE: one text a line, the
#                                                  French, a tab, the English ("\n" for a line end), and
#                                                  for a text with two senses a tab and its meaning
#   scripts/update_translations.sh --check         change nothing; fail when a French text has no English
#
# The English is written into the catalogue with Qt Linguist (linguist translations/kinoval_en.ts) or a
# text editor; the build turns it into the program's kinoval_en.qm.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=update
import=()
case "${1:-}" in
  --check) mode=check ;;
  --import) [ $# -ge 2 ] || { echo "--import needs a file" >&2; exit 2; }; import=(--import "$(realpath "$2")") ;;
  "") ;;
  *) sed -n '2,13p' "$0" >&2; exit 2 ;;
esac
lupdate=$(command -v lupdate || true)
[ -n "$lupdate" ] || lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || { echo "lupdate is missing: scripts/install-deps.sh installs it (qt6-l10n-tools)" >&2; exit 2; }
python=/usr/bin/python3
[ -x "$python" ] || python=python3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Every French text of the sources, whatever the enclosing class (the contexts are folded into one after).
(cd "$root" && "$lupdate" -silent -locations none -no-obsolete -no-ui-lines -extensions cpp,h \
  -source-language fr -target-language en -tr-function-alias tr+=Tr,tr+=T,QT_TR_NOOP+=TrNoop \
  src -ts "$work/extracted.ts") 2> "$work/lupdate.log" || { cat "$work/lupdate.log" >&2; exit 2; }
# Classes without Q_OBJECT and names lupdate cannot resolve are expected (a text is looked up by itself,
# whatever its context). A text outside any namespace is not extracted at all: it must be fixed.
grep -vE "lacks Q_OBJECT macro|Qualifying with unknown namespace/class" "$work/lupdate.log" >&2 || true
if grep -q "cannot be called without context" "$work/lupdate.log"; then
  echo "Some texts above are outside any namespace, where lupdate does not extract them: put that code in" \
    "namespace kinoval (an anonymous namespace inside it is fine)." >&2
  [ "$mode" = check ] && exit 1
fi
"$python" "$root/scripts/translations.py" "$mode" "$work/extracted.ts" "$root/translations/kinoval_en.ts" \
  "${import[@]}"
