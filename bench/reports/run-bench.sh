#!/usr/bin/env bash
# Time to PDF and peak memory of a 5,000-hit outcome report and a 2,000-line detail report.
# Usage: bench/reports/run-bench.sh [BUILD_DIR]   (configured with -DKIVO_BUILD_BENCH=ON and built)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build}"
bench="$build/bench/reports/kivo_report_bench"
[ -x "$bench" ] || cmake --build "$build" --target kivo_report_bench
export QT_QPA_PLATFORM=offscreen
"$bench" outcome 5000
"$bench" detail 2000
