#!/usr/bin/env bash
# Deflate benchmark: compressed size and MB/s of our four levels against zlib 1, 6 and 9 and
# libdeflate 6, and inflate MB/s against zlib and libdeflate, in one run, on the Markdown and CSV
# files under ../shared (documents and sanctions lists) and page content streams written by PdfWriter.
# Usage: bash scripts/bench-deflate.sh [corpus files...]   (files given replace the default corpus)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${KIVO_BENCH_BUILD_DIR:-build-bench-pdf}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKIVO_BUILD_TESTS=OFF -DKIVO_BUILD_BENCH=ON \
  -DKIVO_ONLY="src/pdf;bench" -DKIVO_BENCH_ONLY=pdf >/dev/null
cmake --build "$BUILD_DIR" --target kivo_bench_deflate >/dev/null
"$BUILD_DIR/bench/pdf/kivo_bench_deflate" "$@"
