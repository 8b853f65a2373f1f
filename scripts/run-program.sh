#!/usr/bin/env bash
# Starts the cross-built program under Wine: in the current X display, or on
# a virtual one when there is none (the program then runs unseen until it is
# closed or the command is interrupted).
set -euo pipefail

exe=$1
here=$(cd "$(dirname "$0")" && pwd)
if [ -n "${DISPLAY:-}" ]; then
  exec "$here/wine-run.sh" "$exe"
fi
echo "No X display is set: running on a virtual display (Xvfb). Press Ctrl+C to end."
exec xvfb-run -a -s "-screen 0 1024x768x24" "$here/wine-run.sh" "$exe"
