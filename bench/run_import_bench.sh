#!/usr/bin/env bash
# Times the import of a generated winapp2.ini of 3,000 entries and the
# catalogue loaded afterwards: natively on a Release build with in-memory
# files, then under Wine on real files. Prints "import: N entries in X s".
set -euo pipefail
cd "$(dirname "$0")/.."
run="scripts/wine-run.sh"

echo "== native (Release, build/native-release)"
cmake -S . -B build/native-release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native-release -j "$(nproc)" --target import_bench >/dev/null
build/native-release/bench/import_bench

arch=$(bash scripts/wine-arch.sh)
build="build/$arch"
cmake --build "$build" -j "$(nproc)" --target import_bench >/dev/null

echo "== under Wine ($arch, real files)"
dir="build/bench/import"
rm -rf "$dir"
mkdir -p "$dir"
"$run" "$build/bench/import_bench.exe" "Z:$(cd "$dir" && pwd | sed 's|/|\\|g')"
