#!/usr/bin/env bash
# Fails when a folder of src/core includes a folder that comes after it in core's order: the folders
# stand in layers, each built on those before it, so no two of them can include each other.
set -u
root=${1:-.}
# Lowest first. A new folder takes its place here; a folder may include itself and those before it.
order=(common drawing modelling settings document video capture results formulas graph montage tracking export
  mainwindow)

rank_of() {
  local i
  for i in "${!order[@]}"; do
    [ "${order[$i]}" = "$1" ] && { echo "$i"; return; }
  done
  echo -1
}

# Prints what breaks the order under a tree's src/core; fails when something does.
check_tree() {
  local tree=$1 failed=0 dir folder rank hit used used_rank
  for dir in "$tree"/src/core/*/; do
    folder=$(basename "$dir")
    rank=$(rank_of "$folder")
    if [ "$rank" -lt 0 ]; then
      echo "src/core/$folder has no place in core's order (tests/guards/check_core_order.sh)"
      failed=1
      continue
    fi
    while IFS= read -r hit; do
      [ -z "$hit" ] && continue
      used=$(printf '%s\n' "$hit" | sed -E 's|.*#[[:space:]]*include[[:space:]]*"core/([a-z_]+)/.*|\1|')
      [ "$used" = "$folder" ] && continue
      used_rank=$(rank_of "$used")
      if [ "$used_rank" -lt 0 ] || [ "$used_rank" -gt "$rank" ]; then
        echo "src/core/$folder must not include core/$used (it comes later in core's order): $hit"
        failed=1
      fi
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"core/[a-z_]+/' "$dir" 2>/dev/null)
  done
  return $failed
}

status=0
check_tree "$root" || status=1

# The guard must itself catch what it is meant to catch.
probe=$(mktemp -d)
mkdir -p "$probe/src/core/common" "$probe/src/core/results"
printf '#include "core/results/grid.h"\n' > "$probe/src/core/common/a.h"
printf '#include "core/common/tolerance.h"\n' > "$probe/src/core/results/b.h"
check_tree "$probe" >/dev/null && { echo "guard self-test: an include up the order went unseen"; status=1; }
rm "$probe/src/core/common/a.h"
check_tree "$probe" >/dev/null || { echo "guard self-test: an include down the order was refused"; status=1; }
rm -rf "$probe"
[ $status -eq 0 ] && echo "core order: ok"
exit $status
