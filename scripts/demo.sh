#!/usr/bin/env bash
# Installs what is missing, builds everything and runs Zentrix on the bundled demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${ZENTRIX_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)"
# Until the engine program exists, show what the table tool sees in a sample table.
"$build/tools/dbf/zentrix-dbf" info xbase/tests/data/sample/ptest.dbf
"$build/tools/dbf/zentrix-dbf" dump xbase/tests/data/sample/ptest.dbf
