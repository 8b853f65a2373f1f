#!/usr/bin/env bash
# Times the real program through its window against the engine alone, on
# the same trees of real files under Wine: a preview of one folder/file
# child over FILES files (default 50,000; search_bench on that tree is the
# engine's figure); the quick removal of WASH_FILES files (default FILES)
# from the preview dialog (removal_bench's rate for as many files is the
# engine's); how soon the main Cancel button stops such a removal. The program runs on a
# virtual display (Xvfb), driven by window_bench as a user would drive it.
# Both runs use the same 50 exclusion patterns; the program writes no log,
# as the engine benchmarks do not. Run after make win64 (or win32); the
# Windows build is the one this machine runs.
#
#   run_window_bench.sh [FILES [WASH_FILES]]
set -euo pipefail
cd "$(dirname "$0")/.."
arch=$(bash scripts/wine-arch.sh)
build="build/$arch"
run="scripts/wine-run.sh"
program="$build/app/quillmere.exe"
[ -f "$program" ] || program="$build/app/quillmere64.exe"
files=${1:-50000}
wash_files=${2:-$files}

work=build/bench/window
rm -rf "$work"
mkdir -p "$work/app/const" "$work/tree"
winpath() { echo "Z:$(cd "$1" && pwd | sed 's|/|\\|g')"; }

# N files of 1 KB, 500 to a folder, two levels deep.
make_tree() {
  rm -rf "$work/tree"
  python3 - "$work/tree" "$1" <<'EOF'
import os, sys
root, total = sys.argv[1], int(sys.argv[2])
for i in range(total):
    folder = os.path.join(root, f"part{i // 5000}", f"box{i // 500}")
    if i % 500 == 0:
        os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, f"file{i}.tmp"), "wb") as f:
        f.write(b"x" * 1024)  # as removal_bench's
EOF
}
# In a Wine desktop window of its own: on a bare X display, without a window
# manager, Wine waits two seconds for each closed window to be withdrawn,
# which no user with a desktop waits.
drive() { # window_bench's arguments after APPDIR
  "$run" --settle "$build/bench/window_bench.exe" # a session begun without a display
  xvfb-run -a -s "-screen 0 1024x768x24" env QUILL_BUILD_DIR="$build" "$run" explorer \
    /desktop=bench,1024x768 "$(winpath "$build/bench")\\window_bench.exe" \
    "$(winpath "$work/app")" "$@" | tr -d "\r"
}
make_tree "$files"
tree=$(winpath "$work/tree")

# The engine alone, on the tree the window previews: once to bring the
# tree into the caches as the window's run finds it, then timed.
engine() { "$run" "$build/bench/search_bench.exe" "$tree" | tr -d "\r" || true; }
engine > /dev/null
search=$(engine)
echo "$search"
engine_search=$(echo "$search" | sed -n 's/.*pumps, \([0-9.]*\) s$/\1/p')

# The program folder: one wash item with one child over the tree, the
# exclusion list search_bench writes, no log.
cp "$program" "$work/app/quillmere.exe"
python3 - "$work/app" "$tree" "$work/bench-wildcard.ini" <<'EOF'
import sys
app, tree, exclusions = sys.argv[1], sys.argv[2], sys.argv[3]
with open(f"{app}/const/system.txt", "w", newline="") as f:
    f.write("[Common]\r\nTotal=1\r\nItem0=Bench\r\n[Bench]\r\nIsActive=1\r\n"
            "tFolder.Total=1\r\ntFolder0.ChildItemName=Tree\r\ntFolder0.isactive=1\r\n"
            f"tFolder0.bycategory=1\r\ntFolder0.deletepath={tree}\\*.tmp\r\n"
            "tFolder0.IsIncludeSubfolder=1\r\n")
with open(exclusions, newline="") as f:
    excluded = f.read()
with open(f"{app}/wildcard.ini", "w", newline="") as f:
    f.write("[Log]\r\nWrite to Log=0\r\n[Detect]\r\nDetect directory at load=0\r\n" + excluded)
EOF

window=$(drive preview | grep "window preview")
make_tree "$wash_files"
window="$window
$(drive | grep "window wash")"
echo "$window" >&2

# How soon Cancel stops a removal, clicked a second into it.
make_tree "$wash_files"
cancel=$(drive cancel 1000 | grep "window cancel" || true)
left=$(find "$work/tree" -name '*.tmp' | wc -l)
cancel="$cancel ($((wash_files - left)) of $wash_files files removed)"

# The engine's quick removal of as many files.
removal=$("$run" "$build/bench/removal_bench.exe" "$(winpath "$work")" "$wash_files" 0 |
  tr -d "\r" | sed -n 1p)
echo "$removal"
rate=$(echo "$removal" | sed -n 's/.* s, \([0-9.]*\) files\/s.*/\1/p')

echo "$window" | python3 -c '
import re, sys
search, rate = float(sys.argv[1]), float(sys.argv[2])
for line in sys.stdin:
    m = re.match(r"window (preview|wash): (\d+) files in ([0-9.]+) s", line)
    if not m:
        continue
    kind, n, s = m.group(1), int(m.group(2)), float(m.group(3))
    engine = search if kind == "preview" else n / rate
    print("window %s: %d files in %.2f s, engine %.2f s" % (kind, n, s, engine))
' "$engine_search" "$rate"
echo "$cancel"
rm -rf "$work"
