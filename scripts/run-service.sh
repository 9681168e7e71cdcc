#!/usr/bin/env bash
# Starts the list search service kivo-service on 127.0.0.1:8731 in the background, serving the
# published lists of ../shared/data/lists when that folder exists (the EU list, which is not
# there, comes from the shipped sample) and the shipped sample lists otherwise. Prints the
# service's PID, waits until it answers and leaves the PID in KIVO_SERVICE_PID (source this file
# to keep it; empty when a service already answered on the port). The service logs to
# $BUILD_DIR/kivo-service.log.
# Run it (bash scripts/run-service.sh) or source it from another script (scripts/run.sh does).

kivo_start_service() {
  local root build program lists log address port
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  build="${BUILD_DIR:-${KIVO_BUILD_DIR:-build}}"
  case "$build" in /*) ;; *) build="$root/$build" ;; esac
  program="$build/kivo/kivo-service"
  address=127.0.0.1
  port=${KIVO_SERVICE_PORT:-8731}
  log="$build/kivo-service.log"
  if [ ! -x "$program" ]; then
    echo "run-service: $program not found; build first (bash scripts/build.sh)" >&2
    return 1
  fi

  # A service left running (an earlier run) keeps the port: use it rather than fail.
  if curl -fs -o /dev/null "http://$address:$port/ask_kivo.asmx"; then
    KIVO_SERVICE_PID=""
    export KIVO_SERVICE_PID
    echo "run-service: a service already answers on http://$address:$port/ask_kivo.asmx; using it"
    return 0
  fi

  local args=(--address "$address" --port "$port")
  lists="$root/../shared/data/lists"
  if [ -d "$lists" ]; then
    # The OFAC files carry no date; the snapshot there is of July 2021.
    args+=(--lists "$(cd "$lists" && pwd)" --date-usa 2021-07-01)
    echo "run-service: published lists from $(cd "$lists" && pwd)"
  else
    echo "run-service: shipped sample lists"
  fi

  "$program" "${args[@]}" >>"$log" 2>&1 &
  KIVO_SERVICE_PID=$!
  export KIVO_SERVICE_PID
  echo "run-service: kivo-service PID $KIVO_SERVICE_PID on http://$address:$port/ask_kivo.asmx (log $log)"

  local i
  for i in $(seq 1 100); do
    if ! kill -0 "$KIVO_SERVICE_PID" 2>/dev/null; then
      echo "run-service: kivo-service ended at start; see $log" >&2
      tail -n 5 "$log" >&2
      return 1
    fi
    if curl -fs -o /dev/null "http://$address:$port/ask_kivo.asmx"; then
      echo "run-service: ready"
      return 0
    fi
    sleep 0.1
  done
  echo "run-service: kivo-service does not answer after 10 seconds; see $log" >&2
  return 1
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  kivo_start_service
else
  kivo_start_service || return 1
fi
