#!/usr/bin/env bash
# Checks that every tracked C++ source is formatted as .clang-format says
# (clang-format --dry-run -Werror) and names the files that are not.
# --fix formats them in place instead. Uses clang-format 14, the Debian 12
# version (CLANG_FORMAT=... picks another binary): other versions lay some
# constructs out differently.
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-}
if [ -z "$format" ]; then
  for candidate in clang-format-14 clang-format; do
    if command -v "$candidate" >/dev/null; then format=$candidate; break; fi
  done
fi
if [ -z "$format" ]; then
  echo "check_format: clang-format not found (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
version=$("$format" --version)
case "$version" in
  *"version 14."*) ;;
  *) echo "check_format: $format is not clang-format 14 ($version); its layout differs" >&2; exit 1 ;;
esac
mapfile -d '' files < <(git ls-files -z --cached --others --exclude-standard -- \
  '*.h' '*.hpp' '*.cpp' '*.cc' '*.c')
present=()
for f in "${files[@]}"; do [ -f "$f" ] && present+=("$f"); done
if [ "${1:-}" = "--fix" ]; then
  printf '%s\0' "${present[@]}" | xargs -0 -n 40 -P 2 "$format" -i
  echo "check_format: formatted ${#present[@]} files"
  exit 0
fi
report=$(mktemp)
trap 'rm -f "$report"' EXIT
if ! printf '%s\0' "${present[@]}" | xargs -0 -n 40 -P 2 "$format" --dry-run -Werror 2>"$report"; then
  grep -o '^[^:]*:[0-9]*:[0-9]*: error' "$report" | cut -d: -f1 | sort -u | sed 's/^/not formatted: /'
  echo "check_format: the files above differ from .clang-format; run scripts/check_format.sh --fix"
  exit 1
fi
echo "check_format: all ${#present[@]} C++ sources are formatted"
