#!/usr/bin/env bash
# Fails when a source file of the tree is not formatted as .clang-format says (clang-format --dry-run -Werror).
set -u
root=${1:-.}
cd "$root" || exit 2
if ! command -v clang-format >/dev/null 2>&1; then
  echo "clang-format is not installed (scripts/packages.txt lists it)"
  exit 1
fi
mapfile -d '' files < <(find src tests bench tools fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if ! clang-format --dry-run -Werror "${files[@]}"; then
  echo "format: run clang-format -i on the files above"
  exit 1
fi
echo "format: ok (${#files[@]} files)"
