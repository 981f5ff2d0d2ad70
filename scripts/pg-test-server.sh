#!/usr/bin/env bash
# Starts or stops the private PostgreSQL 15 server of the network-mode tests.
#   pg-test-server.sh start STATE_DIR   -> data directory, free loopback port, qovinfodb.sql loaded
#   pg-test-server.sh stop STATE_DIR
# The port is written to STATE_DIR/port. The server refuses to run as root, so as root the
# data directory lives in a temporary folder owned by the postgres system user.
set -euo pipefail
action=${1:?start or stop}
state=${2:?state directory}
here=$(cd "$(dirname "$0")" && pwd)
bindir=$(ls -d /usr/lib/postgresql/15/bin 2>/dev/null || true)
[ -n "$bindir" ] || { echo "PostgreSQL 15 is not installed (/usr/lib/postgresql/15/bin missing)" >&2; exit 1; }

as_owner() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

stop_server() {
  if [ -f "$state/datadir" ]; then
    local datadir; datadir=$(cat "$state/datadir")
    if [ -d "$datadir" ]; then
      as_owner "$bindir/pg_ctl" -D "$datadir" -m immediate -w stop >/dev/null 2>&1 || true
      rm -rf "$datadir"
    fi
    rm -f "$state/datadir" "$state/port"
  fi
}

case "$action" in
start)
  mkdir -p "$state"
  stop_server
  datadir=$(mktemp -d /tmp/psydesk-pg.XXXXXX)
  [ "$(id -u)" = 0 ] && chown postgres:postgres "$datadir"
  echo "$datadir" > "$state/datadir"
  as_owner "$bindir/initdb" -D "$datadir" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$state/initdb.log" 2>&1 \
    || { echo "initdb failed:" >&2; cat "$state/initdb.log" >&2; exit 1; }
  port=""
  for _ in $(seq 1 50); do
    candidate=$(( 20000 + RANDOM % 30000 ))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then port=$candidate; break; fi
  done
  [ -n "$port" ] || { echo "no free loopback port found" >&2; exit 1; }
  as_owner "$bindir/pg_ctl" -D "$datadir" -l "$datadir/server.log" -w -t 60 \
    -o "-c listen_addresses=127.0.0.1 -p $port -k $datadir -c fsync=off -c max_connections=50" start >/dev/null \
    || { echo "PostgreSQL did not start:" >&2; cat "$datadir/server.log" >&2; exit 1; }
  echo "$port" > "$state/port"
  psql_bin=$(command -v psql || echo "$bindir/psql")
  "$psql_bin" -h 127.0.0.1 -p "$port" -U postgres -d postgres -v ON_ERROR_STOP=1 -q \
    -f "$here/../data/schema/qovinfodb.sql" >"$state/load.log" 2>&1 \
    || { echo "loading qovinfodb.sql failed:" >&2; cat "$state/load.log" >&2; stop_server; exit 1; }
  echo "PostgreSQL test server on 127.0.0.1:$port"
  ;;
stop)
  stop_server
  echo "PostgreSQL test server stopped"
  ;;
*) echo "usage: $0 start|stop STATE_DIR" >&2; exit 2 ;;
esac
