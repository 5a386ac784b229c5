#!/usr/bin/env bash
# Fails when a source file is in no CMake list: the lists are written out, so a forgotten file would build
# nothing (a test that never runs, a class that never links) without anyone seeing it.
# A file counts as listed when its path, relative to a folder above it that holds CMakeLists.txt or a
# sources.cmake, stands as a word in those files.
set -u
root=${1:-.}
cd "$root" || exit 2

declare -A words_of
read_words() { # the words of a folder's CMake files, one per line, read once per folder
  local dir=$1
  if [ -z "${words_of[$dir]+set}" ]; then
    words_of[$dir]=$(cat "$dir"/CMakeLists.txt "$dir"/*.cmake 2>/dev/null | tr -s ' \t()"' '\n\n\n\n')
  fi
}

listed() {
  local file=$1 dir rel
  dir=$(dirname "$file")
  while :; do
    if [ -f "$dir/CMakeLists.txt" ] || compgen -G "$dir/*.cmake" >/dev/null; then
      rel=${file#"$dir"/}
      read_words "$dir"
      grep -qxF -- "$rel" <<<"${words_of[$dir]}" && return 0
    fi
    [ "$dir" = "." ] && return 1
    case $dir in */*) dir=${dir%/*} ;; *) dir=. ;; esac
  done
}

failed=0
while IFS= read -r file; do
  file=${file#./}
  if ! listed "$file"; then
    echo "$file is in no CMake list"
    failed=1
  fi
done < <(find src tests bench fuzz tools \( -name '*.cpp' -o -path 'src/gui/*.h' -o -name '*.qrc' \) -type f | sort)
exit $failed
