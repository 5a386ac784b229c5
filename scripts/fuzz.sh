#!/usr/bin/env bash
# Builds the libFuzzer targets with clang-14 (AddressSanitizer and UndefinedBehaviorSanitizer) in
# ./build-fuzz and runs one of them for a given time on a copy of its seed corpus.
#   scripts/fuzz.sh TARGET SECONDS [extra libFuzzer options]
#   scripts/fuzz.sh fuzz_parser 600
# The seed corpus is fuzz/corpus/<name without fuzz_>/, the dictionary fuzz/<name>.dict when present.
# New inputs go to build-fuzz/corpus/<name>/, crashes to build-fuzz/artifacts/; the run's log is
# build-fuzz/fuzz-0.log.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
target=${1:?usage: fuzz.sh TARGET SECONDS [libFuzzer options]}
seconds=${2:?usage: fuzz.sh TARGET SECONDS [libFuzzer options]}
shift 2
name=${target#fuzz_}
build=${KINOVAL_FUZZ_BUILD_DIR:-$root/build-fuzz}

if [ ! -f "$build/build.ninja" ]; then
  CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja -DKINOVAL_FUZZ=ON \
    -DKINOVAL_BUILD_GUI=OFF -DKINOVAL_BUILD_MEDIA=OFF -DKINOVAL_BUILD_TESTS=OFF -DKINOVAL_BUILD_BENCH=OFF
fi
cmake --build "$build" --target "$target" -j "${KINOVAL_FUZZ_BUILD_JOBS:-2}"

corpus=$build/corpus/$name
mkdir -p "$corpus" "$build/artifacts"
if [ -d "$root/fuzz/corpus/$name" ]; then
  cp -n "$root/fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null || true
fi
dict=()
if [ -f "$root/fuzz/$name.dict" ]; then
  dict=(-dict="$root/fuzz/$name.dict")
fi
cd "$build"
exec "$build/fuzz/$target" "$corpus" "${dict[@]}" -max_total_time="$seconds" -jobs=1 -workers=1 \
  -timeout=10 -rss_limit_mb=2048 -max_len=8192 -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$@"
