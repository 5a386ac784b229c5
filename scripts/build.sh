#!/usr/bin/env bash
# Configures and builds Kinoval in ./build (installs the missing Debian packages first).
# Extra arguments go to the CMake configure step.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh"
build=${KINOVAL_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DKINOVAL_WERROR=ON "$@"
cmake --build "$build" --parallel "$(nproc)"
