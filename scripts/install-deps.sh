#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing, benchmarking and running KIVO need.
# Idempotent: packages already present are left alone. Run as root.
set -euo pipefail

PACKAGES=(
  # build
  build-essential cmake ninja-build g++ pkg-config git
  # desktop program
  qt6-base-dev qt6-pdf-dev libqt6sql6-sqlite libqt6sql6-odbc libqt6svg6 qt6-image-formats-plugins
  # database: client/server edition through ODBC to PostgreSQL
  unixodbc unixodbc-dev odbc-postgresql postgresql sqlite3
  # search client, XML, reports, spreadsheets
  libcurl4-openssl-dev libpugixml-dev libkainjow-mustache-dev libfreexl-dev libminizip-dev zlib1g-dev
  # list search service
  libcpp-httplib-dev
  # fonts: metrics for the PDF writer, TrueType for its tests
  fonts-urw-base35 fonts-dejavu-core
  # tests and benchmarks (oracles and peers)
  libgtest-dev libgmock-dev libbenchmark-dev libdeflate-dev libhpdf-dev libpodofo-dev
  qpdf poppler-utils xvfb xauth wrk hyperfine time
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything is installed"
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages (${missing[*]}); run as root" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
echo "install-deps: installed ${missing[*]}"
