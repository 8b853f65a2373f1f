#!/usr/bin/env bash
# Builds and starts the program this machine can run (the 32-bit build where
# 32-bit programs run, else the 64-bit one) under Wine: in the current X
# display, or on a virtual one when there is none (the program then runs
# unseen until it is closed or the command is interrupted).
#
#   run-program.sh [PROGRAM.exe]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
exe=${1:-}
if [ -z "$exe" ]; then
  if [ "$(bash "$here/wine-arch.sh")" = win32 ]; then
    make -C "$root" --no-print-directory win32
    exe=$root/build/win32/app/quillmere.exe
  else
    make -C "$root" --no-print-directory win64
    exe=$root/build/win64/app/quillmere64.exe
  fi
fi
if [ -n "${DISPLAY:-}" ]; then
  exec "$here/wine-run.sh" "$exe"
fi
echo "No X display is set: running on a virtual display (Xvfb). Press Ctrl+C to end."
exec xvfb-run -a -s "-screen 0 1024x768x24" "$here/wine-run.sh" "$exe"
