#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (headless):
# first the storage and reader suites under AddressSanitizer and
# UndefinedBehaviorSanitizer (skip with ZENTRIX_SKIP_SANITIZE=1), then the
# whole ctest suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if [ "${ZENTRIX_SKIP_SANITIZE:-0}" != "1" ]; then
  scripts/sanitize.sh
fi
build=${ZENTRIX_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 600
