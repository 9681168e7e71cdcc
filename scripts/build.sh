#!/usr/bin/env bash
# Configures and builds KIVO (program, service, tests) into build/; the program directory is build/kivo.
# Extra arguments go to the CMake configure step, e.g. -DKIVO_BUILD_BENCH=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD_DIR=${KIVO_BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
