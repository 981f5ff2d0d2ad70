#!/usr/bin/env bash
# One command on a fresh Debian machine: install what is missing, build, run every test
# (the network-mode tests start and stop their own PostgreSQL server).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"
build=${PSYDESK_BUILD_DIR:-$root/build}
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
