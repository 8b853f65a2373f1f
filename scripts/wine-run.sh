#!/usr/bin/env bash
# Runs a cross-built program under Wine in the private prefix of the build folder.
# The prefix is created on first use and reused afterwards; never ~/.wine.
set -euo pipefail

exe="$1"
shift
build_dir="${QUILL_BUILD_DIR:-$(cd "$(dirname "$exe")" && pwd)}"
while [ ! -f "$build_dir/CMakeCache.txt" ] && [ "$build_dir" != "/" ]; do
  build_dir="$(dirname "$build_dir")"
done
export WINEPREFIX="$build_dir/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
# Wine keeps its recycle bin in the freedesktop trash: a private one here, so
# tests that empty it never touch the user's own.
export XDG_DATA_HOME="$build_dir/xdg-data"
mkdir -p "$XDG_DATA_HOME"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w
    fi
  ) 9>"$build_dir/wineprefix.lock"
fi

exec wine "$exe" "$@"
