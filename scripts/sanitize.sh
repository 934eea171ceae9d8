#!/usr/bin/env bash
# Builds the suites of readers of untrusted input (every suite its CMake file
# marks UNTRUSTED_INPUT: tables, indexes, simulation files, exam sources,
# scripts, ...) with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# them. The list comes from the build (<build>/untrusted-input-suites.txt), so
# a new suite is covered as soon as it is marked.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZENTRIX_ASAN_BUILD_DIR:-build-sanitize}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZENTRIX_SANITIZE=ON -DZENTRIX_BUILD_BENCH=OFF
list="$build/untrusted-input-suites.txt"
if [ ! -s "$list" ]; then
  echo "sanitize: $list lists no suites" >&2
  exit 1
fi
suites=()
binaries=()
while IFS=$'\t' read -r suite binary; do
  [ -n "$suite" ] || continue
  suites+=("$suite")
  binaries+=("$binary")
done < "$list"
cmake --build "$build" --parallel "$(nproc)" --target "${suites[@]}"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for i in "${!suites[@]}"; do
  echo "== ${suites[$i]} (sanitized)"
  if ! (cd "$build" && "${binaries[$i]}" --gtest_brief=1); then
    failed=$((failed + 1))
  fi
done
if [ "$failed" -ne 0 ]; then
  echo "sanitize: $failed suite(s) failed" >&2
  exit 1
fi
echo "sanitize: all ${#suites[@]} suites passed"
