#!/usr/bin/env bash
# Deflate benchmark: compressed size and MB/s of our four levels against zlib 1, 6 and 9 and
# libdeflate 6, and inflate MB/s against zlib and libdeflate, in one run, on the Markdown and CSV
# files under ../shared (documents and sanctions lists) and page content streams written by PdfWriter.
# Usage: bash scripts/bench-deflate.sh [corpus files...]   (files given replace the default corpus)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build-pdf-bench.sh
build_pdf_bench kivo_bench_deflate
"$BUILD_DIR/bench/pdf/kivo_bench_deflate" "$@"
