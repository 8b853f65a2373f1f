#!/usr/bin/env bash
# Times the file search against its baselines on a generated tree of
# 200,000 files under Wine, and the engine alone on the in-memory substitute.
# Run after make test (which builds build/native and build/win32).
set -euo pipefail
cd "$(dirname "$0")/.."

tree="build/bench/tree"
if [ ! -d "$tree" ]; then
  mkdir -p build/bench
  python3 bench/make_tree.py "$tree"
fi
export WINEPREFIX="$PWD/build/win32/wineprefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
wintree="$(winepath -w "$tree")"

wine build/win32/bench/bare_walk.exe "$wintree"
wine build/win32/bench/search_bench.exe "$wintree"
start=$(date +%s.%N)
lines=$(wine cmd /c dir /s /b "$wintree\\*.tmp" | wc -l)
end=$(date +%s.%N)
python3 -c "print('cmd /c dir /s /b: %d lines, %.3f s' % ($lines, $end - $start))"
wine build/win32/bench/registry_bench.exe
build/native/bench/search_bench
build/native/bench/registry_bench
