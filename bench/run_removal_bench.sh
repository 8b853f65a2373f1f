#!/usr/bin/env bash
# Times the file removal under Wine on real files against its baselines:
# quick removal of 20,000 files of 1 KB against a bare DeleteFileW loop and
# "cmd /c del /q"; secure removal of 1 GB in files of 1 to 64 MB against
# "shred -n1 -u" natively and dd writing the same blocks (the disk's own
# write rate). Run after make test; the Windows build is the one this
# machine runs.
set -euo pipefail
cd "$(dirname "$0")/.."
build="build/$(bash scripts/wine-arch.sh)"

work=build/bench/removal
rm -rf "$work"
mkdir -p "$work"
scripts/wine-run.sh "$build/bench/removal_bench.exe" "Z:$(cd "$work" && pwd | sed 's|/|\\|g')"

# The same set of files as the secure run: 1, 2, 4 ... 64 MB, again and
# again, until 1 GB is reached.
make_files() {
  local dir=$1 total=0 i=0 mb
  mkdir -p "$dir"
  while [ $total -lt 1024 ]; do
    mb=$((1 << (i % 7)))
    head -c $((mb << 20)) /dev/zero | tr '\0' 'z' > "$dir/f$i.bin"
    total=$((total + mb))
    i=$((i + 1))
  done
  sync
  echo $total
}

rate() { # label MB start end
  python3 -c "import sys; mb, s = float(sys.argv[2]), float(sys.argv[4]) - float(sys.argv[3]); print('%-26s %.0f MB in %.2f s, %.1f MB/s' % (sys.argv[1], mb, s, mb / s))" "$@"
}

total=$(make_files "$work/shred")
start=$(date +%s.%N)
for f in "$work"/shred/*.bin; do shred -n1 -u "$f"; done
rate "shred -n1 -u:" "$total" "$start" "$(date +%s.%N)"

total=$(make_files "$work/dd")
start=$(date +%s.%N)
for f in "$work"/dd/*.bin; do
  blocks=$(( ($(stat -c %s "$f") + 102399) / 102400 ))
  dd if=/dev/zero of="$f" bs=100k count=$blocks conv=notrunc,fsync status=none
  rm -f "$f"
done
rate "dd bs=100k conv=fsync:" "$total" "$start" "$(date +%s.%N)"
rm -rf "$work"
