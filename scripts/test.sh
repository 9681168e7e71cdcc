#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh -DKIVO_BUILD_TESTS=ON
BUILD_DIR=${KIVO_BUILD_DIR:-build}
# The client/server edition is tested against a real PostgreSQL server reached through ODBC.
if [ -f scripts/start-postgres.sh ]; then
  source scripts/start-postgres.sh
fi
export QT_QPA_PLATFORM=offscreen
export KIVO_UNATTENDED=1
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" --timeout 900
