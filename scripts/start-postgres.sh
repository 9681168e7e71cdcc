#!/usr/bin/env bash
# The client/server edition's database for the tests: a local PostgreSQL 15 with role and database
# "kivo" (password "kivo") holding the program's schema, the PostgreSQL ODBC driver registered and the
# system data source "KIVO" in /etc/odbc.ini. Sourced by scripts/test.sh; can also be run on its own.
# Idempotent; needs root on a fresh Debian 12 (the packages come from scripts/install-deps.sh).
# On success it exports KIVO_ODBC_TESTS=1, KIVO_ODBC_USER, KIVO_ODBC_PASSWORD and KIVO_ODBC_CONNECTION
# (the program's connection string for that data source) for the tests.

kivo_start_postgres() {
  local root schema version cluster odbc_ini driver
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  schema="$root/resources/DataBase/schema.sql"
  version=15
  cluster=main
  odbc_ini=/etc/odbc.ini
  driver="PostgreSQL Unicode"

  if [ "$(id -u)" -ne 0 ]; then
    echo "start-postgres: not root; client/server tests skipped" >&2
    return 0
  fi
  if ! command -v pg_ctlcluster >/dev/null || [ ! -d "/usr/lib/postgresql/$version" ]; then
    echo "start-postgres: PostgreSQL $version is not installed (scripts/install-deps.sh); tests skipped" >&2
    return 0
  fi

  # The server.
  if ! pg_lsclusters -h | awk '{print $1" "$2}' | grep -qx "$version $cluster"; then
    pg_createcluster "$version" "$cluster" >/dev/null
  fi
  if ! pg_lsclusters -h | awk -v v="$version" -v c="$cluster" '$1==v && $2==c {print $4}' | grep -q online; then
    pg_ctlcluster "$version" "$cluster" start
  fi
  local tries=0
  until pg_isready -q -h 127.0.0.1 -p 5432; do
    tries=$((tries + 1))
    if [ "$tries" -gt 30 ]; then
      echo "start-postgres: the server does not answer on 127.0.0.1:5432; tests skipped" >&2
      return 0
    fi
    sleep 1
  done

  # Role, database and schema.
  local as_postgres=(runuser -u postgres -- psql -v ON_ERROR_STOP=1 -qtA)
  if [ "$("${as_postgres[@]}" -c "SELECT 1 FROM pg_roles WHERE rolname = 'kivo'")" != 1 ]; then
    "${as_postgres[@]}" -c "CREATE ROLE kivo LOGIN PASSWORD 'kivo'"
  fi
  if [ "$("${as_postgres[@]}" -c "SELECT 1 FROM pg_database WHERE datname = 'kivo'")" != 1 ]; then
    "${as_postgres[@]}" -c "CREATE DATABASE kivo OWNER kivo ENCODING 'UTF8' TEMPLATE template0"
  fi
  local as_kivo=(env PGPASSWORD=kivo psql -v ON_ERROR_STOP=1 -qtA -h 127.0.0.1 -U kivo -d kivo)
  if [ "$("${as_kivo[@]}" -c "SELECT count(*) FROM information_schema.tables WHERE table_name = 'ope'")" = 0 ]; then
    "${as_kivo[@]}" -f "$schema" >/dev/null
  fi

  # ODBC driver and data source.
  if ! odbcinst -q -d -n "$driver" >/dev/null 2>&1; then
    odbcinst -i -d -f /usr/share/psqlodbc/odbcinst.ini.template >/dev/null
  fi
  if ! grep -q '^\[KIVO\]' "$odbc_ini" 2>/dev/null; then
    printf '[KIVO]\nDescription=KIVO client/server database\nDriver=%s\nServername=127.0.0.1\nPort=5432\nDatabase=kivo\n\n' \
      "$driver" >>"$odbc_ini"
  fi

  export KIVO_ODBC_TESTS=1 KIVO_ODBC_USER=kivo KIVO_ODBC_PASSWORD=kivo
  export KIVO_ODBC_CONNECTION="dsn=KIVO; UID=kivo; PWD=kivo"
  echo "start-postgres: PostgreSQL $version on 127.0.0.1:5432, ODBC data source KIVO ready"
}

kivo_start_postgres
unset -f kivo_start_postgres
