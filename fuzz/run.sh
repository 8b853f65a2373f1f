#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each (default 60), starting from the
# seeds under fuzz/corpus/<target>/ (new finds go to build/fuzz/corpus, the
# seeds in the tree stay as they are). Not part of make test.
#
#   fuzz/run.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  apt-get install -y clang libclang-rt-14-dev
fi

build=build/fuzz
# Everything the targets run is instrumented for coverage, not only the
# entry functions.
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DQUILL_FUZZ=ON \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
declare -A folder=([IniFile]=ini_file [NameMask]=name_mask [ExclusionMatch]=exclusion_match
  [PathMacros]=path_macros [RegistryEntry]=registry_entry [ItemFile]=item_file [Winapp2]=winapp2)
for target in IniFile NameMask ExclusionMatch PathMacros RegistryEntry ItemFile Winapp2; do
  cmake --build "$build" --target "fuzz_$target" -j "$(nproc)" >/dev/null
done
for target in IniFile NameMask ExclusionMatch PathMacros RegistryEntry ItemFile Winapp2; do
  found="$build/corpus/${folder[$target]}"
  mkdir -p "$found"
  echo "== $target: $seconds s"
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=4096 \
    "$found" "fuzz/corpus/${folder[$target]}" 2>&1 | grep -E "DONE|Done [0-9]+ runs|ERROR|SUMMARY" || true
done
