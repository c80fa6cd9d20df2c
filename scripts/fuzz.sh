#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (ASan + UBSan) into build-fuzz/ and runs one.
# Usage: scripts/fuzz.sh TARGET [SECONDS]     e.g. scripts/fuzz.sh html_to_speech 600
set -euo pipefail
cd "$(dirname "$0")/.."
target=$1
seconds=${2:-60}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DNARRIX_FUZZ=ON -DNARRIX_SANITIZE=ON -DBUILD_TESTING=OFF -DNARRIX_BENCH=OFF >/dev/null
cmake --build build-fuzz --target "fuzz_$target"
corpus=$(mktemp -d)
seeds="fuzz/corpus/$target"
[ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
build-fuzz/fuzz/"fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=4096 "$corpus"
