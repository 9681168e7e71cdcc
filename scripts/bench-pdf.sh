#!/usr/bin/env bash
# PDF writer benchmark: documents of 1,000 and 10,000 A4 pages (60 lines of Times text and a
# shared drawing on every page) written by our PdfWriter and by libharu in the same run.
# Prints wall time and peak memory (maximum resident set size, from /usr/bin/time -v) of both
# writers and the ratios libharu / PdfWriter. Usage: bash scripts/bench-pdf.sh [pages...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build-pdf-bench.sh
build_pdf_bench kivo_bench_pages
BENCH="$BUILD_DIR/bench/pdf/kivo_bench_pages"
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT

# measure <writer> <pages>: prints "<seconds> <peak KB> <file bytes>"
measure() {
  local log="$OUT/$1-$2.time"
  /usr/bin/time -v "$BENCH" "$1" "$2" "$OUT/$1-$2.pdf" >/dev/null 2>"$log"
  local wall peak
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s }' "$log")
  peak=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$log")
  echo "$wall $peak $(stat -c %s "$OUT/$1-$2.pdf")"
}

[ $# -gt 0 ] || set -- 1000 10000
printf '%-8s %-9s %10s %12s %12s\n' pages writer "wall (s)" "peak (MB)" "file (MB)"
for pages in "$@"; do
  read -r kw kp kf <<<"$(measure kivo "$pages")"
  read -r hw hp hf <<<"$(measure haru "$pages")"
  awk -v p="$pages" -v kw="$kw" -v kp="$kp" -v kf="$kf" -v hw="$hw" -v hp="$hp" -v hf="$hf" 'BEGIN {
    printf "%-8s %-9s %10.2f %12.1f %12.1f\n", p, "PdfWriter", kw, kp / 1024, kf / 1048576
    printf "%-8s %-9s %10.2f %12.1f %12.1f\n", p, "libharu", hw, hp / 1024, hf / 1048576
    printf "%-8s %-9s %10.2fx %11.2fx\n", p, "ratio", hw / kw, hp / kp
  }'
  qpdf --check "$OUT/kivo-$pages.pdf" >/dev/null || echo "qpdf --check failed on the PdfWriter document" >&2
done
