#!/usr/bin/env bash
# Builds Kinoval and starts it (on its built-in sample video). Uses Xvfb when there is no display.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh"
build=${KINOVAL_BUILD_DIR:-$root/build}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$build/src/app/kinoval" "$@"
fi
exec "$build/src/app/kinoval" "$@"
