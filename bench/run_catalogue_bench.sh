#!/usr/bin/env bash
# Times the wash-item files at the size of a large rule collection (5,000
# items in const\system.txt, 20 plug-in files of 100, order.ini listing all):
# natively on a Release build with in-memory files, under Wine on real files,
# then the real program started on that catalogue until its list is filled.
# Prints one line per figure.
set -euo pipefail
cd "$(dirname "$0")/.."
run="scripts/wine-run.sh"

echo "== native (Release, build/native-release)"
cmake -S . -B build/native-release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native-release -j "$(nproc)" --target catalogue_bench >/dev/null
build/native-release/bench/catalogue_bench

arch=$(bash scripts/wine-arch.sh)
build="build/$arch"
make --no-print-directory "$arch" >/dev/null
exe="$build/app/quillmere.exe"
[ -f "$exe" ] || exe="$build/app/quillmere64.exe"

echo "== under Wine ($arch, real files)"
dir="build/bench/catalogue"
rm -rf "$dir"
mkdir -p "$dir"
windir="Z:$(cd "$dir" && pwd | sed 's|/|\\|g')"
"$run" "$build/bench/catalogue_bench.exe" "$windir"

cp "$exe" "$dir/quillmere.exe"
xvfb-run -a -s "-screen 0 1024x768x24" \
  "$run" "$build/bench/startup_probe.exe" "$windir\\quillmere.exe" 7000
