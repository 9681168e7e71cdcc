#!/usr/bin/env bash
# Page import benchmark: record sheets (the SchedaSI template imported on every landscape page and
# six lines of text) written by PdfWriter and by PoDoFo 0.9.8 in one run; wall time, peak memory
# and output size of each, with the ratios to PoDoFo. Each writer runs in a child process of its own.
# Usage: bash scripts/bench-pdf-import.sh [pages]   (default 10000)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build-pdf-bench.sh
build_pdf_bench kivo_bench_import
"$BUILD_DIR/bench/pdf/kivo_bench_import" "$@"
for f in "${TMPDIR:-/tmp}"/kivo-bench-ours.pdf "${TMPDIR:-/tmp}"/kivo-bench-ours-flate.pdf; do
  qpdf --check "$f" >/dev/null || echo "qpdf --check failed on $f" >&2
done
