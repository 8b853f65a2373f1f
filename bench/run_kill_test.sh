#!/usr/bin/env bash
# Kills a program in the middle of saving, again and again, and checks the
# file after every kill: it must be there and hold one whole version. The
# program (bench/save_loop.cpp) saves one settings file in a loop through the
# file-system service's replace under Wine; it is killed at a random moment
# after its start. Temporary files a kill leaves are removed by the next
# start, as the program removes them at its start-up.
#
#   bench/run_kill_test.sh [KILLS]     (default 200; run after make win64)
#
# Prints: kills: N, missing: M, mixed: K, leftover temp files: T
# (T: temporary files still there after the next start); then the same file
# read READS times (default 20000) while another process saves it in a loop.
set -euo pipefail
cd "$(dirname "$0")/.."
build="build/$(bash scripts/wine-arch.sh)"
exe="$build/bench/save_loop.exe"
kills=${1:-200}
reads=${2:-20000}

work=build/bench/kill
rm -rf "$work"
mkdir -p "$work"
file="$work/wildcard.ini"
winfile="Z:$(cd "$work" && pwd | sed 's|/|\\|g')\\wildcard.ini"

# Tells "ok", "missing" or "mixed" for the file, as save_loop writes it.
check() {
  python3 - "$file" <<'PY'
import re, sys
try:
    data = open(sys.argv[1], 'rb').read()
except FileNotFoundError:
    print('missing'); sys.exit()
m = re.match(rb'version (\d+)\r\n', data)
if not m:
    print('mixed'); sys.exit()
n = int(m.group(1))
lines = 200 + ((n * 7919) & 0xFFFFFFFF) % 3000
whole = (b'version %d\r\n' % n) * lines + b'end %d\r\n' % lines
print('ok' if data == whole else 'mixed')
PY
}

count_temp() {
  find "$work" -maxdepth 1 -name '~quill-*.tmp' | wc -l
}

# A first whole version, so that a kill before the first save finds one.
python3 -c "
import sys
sys.stdout.buffer.write(b'version 0\r\n' * 200 + b'end 200\r\n')" > "$file"
scripts/wine-run.sh "$exe" "$winfile" --clean > /dev/null

missing=0 mixed=0 seen=0
for i in $(seq 1 "$kills"); do
  scripts/wine-run.sh "$exe" "$winfile" > "$work/out" 2>&1 &
  pid=$!
  for _ in $(seq 1 400); do
    grep -q saving "$work/out" 2>/dev/null && break
    sleep 0.02
  done
  sleep "0.$(printf '%03d' $((RANDOM % 400)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  case "$(check)" in
    missing) missing=$((missing + 1)) ;;
    mixed) mixed=$((mixed + 1)) ;;
  esac
  seen=$((seen + $(count_temp)))
  [ $((i % 25)) -eq 0 ] && echo "... $i kills" >&2
done

# The next start removes what the kills left.
scripts/wine-run.sh "$exe" "$winfile" --clean > /dev/null
echo "temp files found right after the kills, before the next start: $seen"
echo "kills: $kills, missing: $missing, mixed: $mixed, leftover temp files: $(count_temp)"

# A reader polling the file while a saver saves it.
scripts/wine-run.sh "$exe" "$winfile" > "$work/out" 2>&1 &
saver=$!
for _ in $(seq 1 400); do
  grep -q saving "$work/out" 2>/dev/null && break
  sleep 0.02
done
scripts/wine-run.sh "$exe" "$winfile" --read "$reads"
kill -9 "$saver" 2>/dev/null || true
wait "$saver" 2>/dev/null || true
scripts/wine-run.sh "$exe" "$winfile" --clean > /dev/null
