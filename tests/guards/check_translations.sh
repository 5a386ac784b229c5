#!/usr/bin/env bash
# Fails when a French text of the sources (Tr("..."), T("..."), TrNoop("...")) has no English in the
# catalogue translations/kinoval_en.ts, and lists those texts. The extraction is the catalogue's own
# (scripts/update_translations.sh, lupdate over src/), so that what this guard sees is what the lead
# translates.
set -u
root=${1:-.}
status=0
"$root/scripts/update_translations.sh" --check || status=1

# The guard must itself catch a text without English, and pass the ones that have it.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
mkdir -p "$probe/scripts" "$probe/src/core" "$probe/translations"
cp "$root/scripts/update_translations.sh" "$root/scripts/translations.py" "$probe/scripts/"
cat > "$probe/src/core/probe.cpp" <<'CPP'
namespace kinoval {
const char* kCaption = TrNoop("Texte d'un " "tableau");
void Say() { Tr("Texte traduit"); T("Texte sans anglais"); Tr("%s images sur %s"); }
}
CPP
cat > "$probe/translations/kinoval_en.ts" <<'TS'
<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>Kinoval</name>
    <message>
        <source>Texte traduit</source>
        <translation>Translated text</translation>
    </message>
    <message>
        <source>%s images sur %s</source>
        <translation>%s frames</translation>
    </message>
    <message>
        <source>Texte d&apos;un tableau</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
TS
out=$("$probe/scripts/update_translations.sh" --check 2>&1)
if [ $? -eq 0 ]; then echo "guard self-test: texts without English passed"; status=1; fi
for text in "Texte sans anglais" "Texte d'un tableau"; do
  printf '%s\n' "$out" | grep -qF "  $text" || { echo "guard self-test: \"$text\" not listed"; status=1; }
done
printf '%s\n' "$out" | grep -qF "  Texte traduit" && { echo "guard self-test: a translated text listed"; status=1; }
printf '%s\n' "$out" | grep -qF "placeholders (%s %s) of: %s images sur %s" \
  || { echo "guard self-test: a translation that drops a placeholder passed"; status=1; }
# Refreshing keeps the English given, takes the imported one, and then the check passes.
printf 'Texte sans anglais\tText without English\nTexte d'"'"'un tableau\tText of a table\n%%s images sur %%s\t%%s frames of %%s\n' \
  > "$probe/import.tsv"
"$probe/scripts/update_translations.sh" --import "$probe/import.tsv" > /dev/null 2>&1 \
  || { echo "guard self-test: the import failed"; status=1; }
grep -qF "<translation>Translated text</translation>" "$probe/translations/kinoval_en.ts" \
  || { echo "guard self-test: a refresh lost an English text"; status=1; }
"$probe/scripts/update_translations.sh" --check > /dev/null 2>&1 \
  || { echo "guard self-test: the imported catalogue does not pass"; status=1; }
# A text that leaves the sources keeps its English aside, and gets it back when it returns.
sed -i 's/T("Texte sans anglais"); //' "$probe/src/core/probe.cpp"
"$probe/scripts/update_translations.sh" > /dev/null 2>&1
grep -qF '<translation type="vanished">Text without English</translation>' "$probe/translations/kinoval_en.ts" \
  || { echo "guard self-test: the English of a text that left was lost"; status=1; }
sed -i 's/Tr("Texte traduit");/Tr("Texte traduit"); T("Texte sans anglais");/' "$probe/src/core/probe.cpp"
"$probe/scripts/update_translations.sh" > /dev/null 2>&1
"$probe/scripts/update_translations.sh" --check > /dev/null 2>&1 \
  || { echo "guard self-test: a text that came back lost its English"; status=1; }
[ $status -eq 0 ] && echo "translations: ok"
exit $status
