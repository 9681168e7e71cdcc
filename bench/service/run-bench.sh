#!/usr/bin/env bash
# Benchmarks kivo-service with the published OFAC and UN lists and the EU sample:
# start-up time and resident memory of the real executable, cerca_indice latency and throughput
# over loopback with keep-alive (our client, then wrk with search.lua), and index against full scan.
# Usage: bench/service/run-bench.sh [BUILD_DIR]   (configured with -DKIVO_BUILD_BENCH=ON and built)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build}"
lists="$root/../shared/data/lists"
[ -d "$lists" ] || { echo "bench: no published lists at $lists" >&2; exit 1; }
port=${KIVO_BENCH_PORT:-8741}
service="$build/kivo/kivo-service"
bench="$build/bench/service/kivo_service_bench"

start=$(date +%s.%N)
"$service" --lists "$lists" --port "$port" --date-usa 2021-07-01 --workers 8 2>"$build/bench-service.log" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
until curl -fs -o /dev/null "http://127.0.0.1:$port/ask_kivo.asmx"; do sleep 0.01; done
ready=$(date +%s.%N)
echo "start-up until the first answer: $(echo "($ready - $start) * 1000" | bc | cut -d. -f1) ms;" \
     "resident memory: $(awk '/VmRSS/ {print $2, $3}' /proc/$pid/status)"

"$bench" http 127.0.0.1 "$port" 10 4
KIVO_BENCH_QUERIES="$here/queries.txt" wrk -t2 -c4 -d10s -s "$here/search.lua" "http://127.0.0.1:$port/ask_kivo.asmx" | tail -n 1
echo "resident memory after the load: $(awk '/VmRSS/ {print $2, $3}' /proc/$pid/status)"
kill "$pid"; wait "$pid" 2>/dev/null || true
trap - EXIT

"$bench" index "$lists"
