#!/usr/bin/env bash
# Builds the storage and reader tests with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs them: every file format we read from
# untrusted input goes through here.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZENTRIX_ASAN_BUILD_DIR:-build-sanitize}
suites=(xbase_tests xbase_index_tests history_tests questionbank_tests bank_tool_tests
        zentrix_simulation_tests platform_tests setup_tests zentrix_report_tests)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZENTRIX_SANITIZE=ON -DZENTRIX_BUILD_BENCH=OFF
cmake --build "$build" --parallel "$(nproc)" --target "${suites[@]}"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for suite in "${suites[@]}"; do
  binary=$(find "$PWD/$build" -type f -name "$suite" -perm -u+x | head -n 1)
  echo "== $suite (sanitized)"
  if ! (cd "$build" && "$binary" --gtest_brief=1); then
    failed=$((failed + 1))
  fi
done
if [ "$failed" -ne 0 ]; then
  echo "sanitize: $failed suite(s) failed" >&2
  exit 1
fi
echo "sanitize: all ${#suites[@]} suites passed"
