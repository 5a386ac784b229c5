#!/usr/bin/env bash
# Fails when the code names the design documents it was written from: the whole words for them, or the
# word for a chapter followed by a section number such as 4.1. Words that merely start alike
# ("special", "specific") pass.
set -u
root=${1:-.}
# Letters in brackets keep this file from matching its own patterns.
word_pattern='\bs[p]ec(ification)?s?\b'
section_pattern='\bP[a]rts? [0-9]+\.[0-9]+'
status=0
for dir in src tests tools bench fuzz cmake; do
  [ -d "$root/$dir" ] || continue
  hits=$(grep -rnIiE "$word_pattern|$section_pattern" "$root/$dir" 2>/dev/null)
  if [ -n "$hits" ]; then echo "$hits"; status=1; fi
  names=$(find "$root/$dir" | grep -iE '(^|/|[-_.])s[p]ec(ification)?([-_.]|$)' )
  if [ -n "$names" ]; then echo "$names"; status=1; fi
done

# Self-test on known phrases.
check() { # text expected(0 = must match, 1 = must not)
  printf '%s\n' "$1" | grep -qiE "$word_pattern|$section_pattern"
  if [ $? -ne "$2" ]; then echo "guard self-test failed on: $1"; status=1; fi
}
check "as the s""pec says" 0
check "see the S""pecification" 0
check "P""art 4.1 of it" 0
check "P""arts 10.2" 0
check "a special case" 1
check "specific heat" 1
check "the part 4 of the job" 1
check "spectrum" 1
[ $status -eq 0 ] && echo "words: ok"
exit $status
