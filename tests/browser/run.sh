#!/usr/bin/env bash
# The wash log in a real browser: a log of three sections is written under
# Wine through the program's own removal and log code, next to the shipped
# frame page, then headless Chromium opens it.
#
#   run.sh LOG_SAMPLE_EXE OUTPUT_FOLDER
set -euo pipefail

sample=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
modules=$root/build/browser-tools/node_modules

if [ ! -d "$modules/playwright-core" ]; then
  echo "playwright-core is missing: run scripts/browser-tools.sh (make deps does)" >&2
  exit 1
fi

rm -rf "$out/log"
mkdir -p "$out/log"
cp "$root/data/log.htm" "$out/log/"
folder="Z:$(cd "$out/log" && pwd | sed 's|/|\\|g')"
"$root/scripts/wine-run.sh" "$sample" "$folder"

NODE_PATH=$modules node "$here/log_frames.cjs" "$out/log" "$out/wash-log.png"
