#!/usr/bin/env bash
# Configures and builds PsyDesk into build/ (ccache keeps its cache outside the checkout),
# then compiles the demo test bank and prepares the program directory build/bin.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PSYDESK_BUILD_DIR:-$root/build}
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
fi
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
# The program directory: the executables, the demo test bank and an empty information database.
"$build/bin/psydesk-cli" bank build "$root/data/testbank" "$build/bin/sysinfodb.db"
"$build/bin/psydesk-cli" db init "$build/bin" >/dev/null
