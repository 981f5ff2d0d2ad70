#!/usr/bin/env bash
# One command on a fresh Debian machine: install what is missing, build, start the program
# on its embedded default (local SQLite information database + the demo test bank).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"
exec "${PSYDESK_BUILD_DIR:-$root/build}/bin/psydesk" "$@"
