# Sourced by scripts/test.sh: makes the client/server edition's data source available to the tests.
# Starts the local PostgreSQL cluster when it is down, creates the role "kivo" and a fresh database
# "kivo" from resources/DataBase/schema.sql, writes the ODBC data source KIVO to a file of the build
# directory and exports:
#   ODBCINI                the file with the data source (read by unixODBC)
#   KIVO_ODBC_CONNECTION   "dsn=KIVO; UID=kivo; PWD=kivo", the program's form of the connection string
# Without PostgreSQL the variables stay unset and the ODBC tests are skipped.
# Needs root (it runs the server's tools as the user postgres).

kivo_start_postgres() {
  local root build cluster port
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  build="${KIVO_BUILD_DIR:-build}"
  case "$build" in /*) ;; *) build="$root/$build" ;; esac
  if ! command -v pg_lsclusters >/dev/null 2>&1 || [ "$(id -u)" -ne 0 ]; then
    echo "start-postgres: PostgreSQL or root rights missing; ODBC tests will be skipped" >&2
    return 0
  fi
  cluster="$(pg_lsclusters --no-header | awk 'NR==1 {print $1" "$2}')"
  port="$(pg_lsclusters --no-header | awk 'NR==1 {print $3}')"
  if [ -z "$cluster" ]; then
    echo "start-postgres: no PostgreSQL cluster; ODBC tests will be skipped" >&2
    return 0
  fi
  if ! pg_lsclusters --no-header | awk 'NR==1 {print $4}' | grep -q online; then
    pg_ctlcluster $cluster start || { echo "start-postgres: cluster does not start" >&2; return 0; }
  fi
  (cd / && su postgres -c "psql -q -p $port -v ON_ERROR_STOP=1" <<'SQL'
DO $$ BEGIN
  IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'kivo') THEN
    CREATE ROLE kivo LOGIN PASSWORD 'kivo';
  END IF;
END $$;
DROP DATABASE IF EXISTS kivo;
CREATE DATABASE kivo OWNER kivo;
SQL
  ) || { echo "start-postgres: cannot create the database" >&2; return 0; }
  PGPASSWORD=kivo psql -q -h 127.0.0.1 -p "$port" -U kivo -d kivo -v ON_ERROR_STOP=1 \
    -f "$root/resources/DataBase/schema.sql" || { echo "start-postgres: schema not loaded" >&2; return 0; }

  mkdir -p "$build"
  cat > "$build/odbc.ini" <<INI
[KIVO]
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$port
Database=kivo
INI
  export ODBCINI="$build/odbc.ini"
  export KIVO_ODBC_CONNECTION="dsn=KIVO; UID=kivo; PWD=kivo"
  echo "start-postgres: data source KIVO ready (PostgreSQL on port $port)"
}
kivo_start_postgres
