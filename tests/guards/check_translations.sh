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
[ $status -eq 0 ] && echo "translations: ok"
exit $status
