#!/usr/bin/env bash
# Times the file search against its baselines on a generated tree of
# 200,000 files under Wine, and the engine alone on the in-memory substitute.
# Run after make test (which builds build/native and the Windows builds);
# the Windows build is the one this machine runs.
set -euo pipefail
cd "$(dirname "$0")/.."
build="build/$(bash scripts/wine-arch.sh)"
run="scripts/wine-run.sh"

tree="build/bench/tree"
if [ ! -d "$tree" ]; then
  mkdir -p build/bench
  python3 bench/make_tree.py "$tree"
fi
wintree="Z:$(cd "$tree" && pwd | sed 's|/|\\|g')"

"$run" "$build/bench/bare_walk.exe" "$wintree"
"$run" "$build/bench/search_bench.exe" "$wintree"
start=$(date +%s.%N)
lines=$(QUILL_BUILD_DIR="$build" "$run" cmd /c dir /s /b "$wintree\\*.tmp" | wc -l)
end=$(date +%s.%N)
python3 -c "print('cmd /c dir /s /b: %d lines, %.3f s' % ($lines, $end - $start))"
"$run" "$build/bench/registry_bench.exe"
build/native/bench/search_bench
build/native/bench/registry_bench
