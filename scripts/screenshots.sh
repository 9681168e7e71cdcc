#!/usr/bin/env bash
# Takes screenshots of the desktop windows (welcome, operator register with a field in error, the
# two information windows) on virtual screens of 1280x1024 and 1920x1080, for people to look at.
# With KIVO_SCREENSHOT_SERVICE=host:port of a running list search service a name
# (KIVO_SCREENSHOT_NAME) is searched for too and the outcome window is taken.
# Not part of CI. Output: build-screenshots/screens/*.png (or the folder given as first argument).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${KIVO_BUILD_DIR:-build-screenshots}
OUT=${1:-$BUILD_DIR/screens}
cmake -S . -B "$BUILD_DIR" -G Ninja -DKIVO_BUILD_TESTS=ON \
  -DKIVO_ONLY="src/platform;src/data;src/startup;src/search;src/reports;src/operators;src/ui;tests" \
  -DKIVO_TESTS_ONLY="support;ui" >/dev/null
cmake --build "$BUILD_DIR" -j2 --target kivo_ui_screenshots
mkdir -p "$OUT"
for size in 1280x1024 1920x1080; do
  KIVO_UNATTENDED=1 xvfb-run -a -s "-screen 0 ${size}x24" "$BUILD_DIR/tests/ui/kivo_ui_screenshots" "$OUT"
done
echo "screenshots in $OUT"
