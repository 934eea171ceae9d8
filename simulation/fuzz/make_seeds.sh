#!/usr/bin/env bash
# Builds the fuzzer's seed corpus: the descriptions in seed_description/ as
# simulation files of every version that can carry them.
#   simulation/fuzz/make_seeds.sh path/to/zentrix-sim OUTPUT_DIR
set -euo pipefail
tool=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
versions=(0x0101 0x0102 0x0103 0x0104 0x0105 0x0106 0x0107 0x0108 0x0109 0x0110)
for v in "${versions[@]}"; do
  "$tool" build "$here/seed_description/basic.json" "$out/basic-$v.qsf" --version "$v"
done
for v in 0x0105 0x0106 0x0107 0x0108 0x0109 0x0110; do
  "$tool" build "$here/seed_description/pointers.json" "$out/pointers-$v.qsf" --version "$v"
done
"$tool" build "$here/seed_description/full.json" "$out/full-0x0110.qsf"
