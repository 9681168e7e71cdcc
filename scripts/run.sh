#!/usr/bin/env bash
# Builds KIVO, starts the local list search service on 127.0.0.1:8731 (real lists from
# ../shared/data/lists when present, the shipped samples otherwise) and runs the program from its
# program directory build/kivo. Arguments are passed to the program (a batch command line).
# Without a display the program runs on a virtual one (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${KIVO_BUILD_DIR:-build}
bash scripts/build.sh -DKIVO_BUILD_TESTS=OFF

source scripts/run-service.sh
trap 'kill "$KIVO_SERVICE_PID" 2>/dev/null || true' EXIT

PROGRAM="$BUILD_DIR/kivo/kivo"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [ "${QT_QPA_PLATFORM:-}" = offscreen ]; then
  "$PROGRAM" "$@"
else
  echo "run: no display found; running on a virtual display (Xvfb)"
  xvfb-run -a -s "-screen 0 1280x1024x24" "$PROGRAM" "$@"
fi
