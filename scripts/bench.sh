#!/usr/bin/env bash
# Runs every benchmark program with a private PostgreSQL server for the network-mode figures.
#   scripts/bench.sh [BUILD_DIR] [-- extra arguments for each benchmark]
# Starts the test server (scripts/pg-test-server.sh), passes its port in PSYDESK_BENCH_PG_PORT
# and always stops it again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${PSYDESK_BUILD_DIR:-$root/build}}
[ $# -gt 0 ] && shift
[ "${1:-}" = "--" ] && shift
state=$(mktemp -d /tmp/psydesk-bench.XXXXXX)
cleanup() { bash "$root/scripts/pg-test-server.sh" stop "$state" >/dev/null 2>&1 || true; rm -rf "$state"; }
trap cleanup EXIT
bash "$root/scripts/pg-test-server.sh" start "$state"
export PSYDESK_BENCH_PG_PORT
PSYDESK_BENCH_PG_PORT=$(cat "$state/port")
shopt -s nullglob
benches=("$build"/bin/bench_*)
[ ${#benches[@]} -gt 0 ] || { echo "no benchmarks in $build/bin; build them first" >&2; exit 1; }
for bench in "${benches[@]}"; do
  echo "== $(basename "$bench")"
  QT_QPA_PLATFORM=offscreen "$bench" "$@"
done
