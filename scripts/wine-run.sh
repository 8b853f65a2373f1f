#!/usr/bin/env bash
# The one Wine runner: every test, script and benchmark starts a Windows
# program through it.
#
#   wine-run.sh PROGRAM.exe [ARGS...]   a cross-built program; its PE header
#                                       tells the architecture, the build
#                                       folder above it holds the prefix
#   wine-run.sh BUILTIN [ARGS...]       a program of Wine's own (cmd,
#                                       winepath...) in the prefix of the
#                                       build folder QUILL_BUILD_DIR
#   wine-run.sh --settle PROGRAM.exe    waits until the Wine session of that
#                                       program's prefix has ended: the next
#                                       program starts a new one (with the
#                                       display it is given; a session begun
#                                       without one shows no windows)
#
# Each build folder has a private prefix of its own architecture
# (BUILD/wineprefix), created on first use and reused; ~/.wine is never
# touched. The Wine loader is started directly (not through /usr/bin/wine,
# which picks the 32-bit loader whenever it is installed, even on a kernel
# that cannot run it).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
settle=false
if [ "${1:-}" = "--settle" ]; then
  settle=true
  shift
fi
program=$1
shift

# The build folder: QUILL_BUILD_DIR, else the folder holding CMakeCache.txt
# above the program.
build_dir=${QUILL_BUILD_DIR:-}
if [ -z "$build_dir" ] && [ -f "$program" ]; then
  build_dir=$(cd "$(dirname "$program")" && pwd)
  while [ ! -f "$build_dir/CMakeCache.txt" ] && [ "$build_dir" != "/" ]; do
    build_dir=$(dirname "$build_dir")
  done
fi
if [ -z "$build_dir" ] || [ "$build_dir" = "/" ]; then
  echo "wine-run.sh: no build folder for $program (set QUILL_BUILD_DIR)" >&2
  exit 2
fi
build_dir=$(cd "$build_dir" && pwd)

# The architecture: the program's own, else the build folder's.
arch=""
if [ -f "$program" ]; then
  arch=$(bash "$here/pe-arch.sh" "$program")
elif [ -f "$build_dir/wine-arch" ]; then
  arch=$(cat "$build_dir/wine-arch")
fi
case "$arch" in
  win32) loader=${QUILL_WINE32:-/usr/lib/wine/wine} ;;
  win64) loader=${QUILL_WINE64:-/usr/lib/wine/wine64} ;;
  *)
    echo "wine-run.sh: cannot tell the architecture of $program" >&2
    exit 2
    ;;
esac
if [ ! -x "$loader" ]; then
  echo "wine-run.sh: the $arch Wine loader $loader is not installed" >&2
  exit 2
fi

export WINEPREFIX="$build_dir/wineprefix"
export WINEARCH=$arch
export WINELOADER=$loader
export WINEDEBUG=-all
# No menu entries or file associations on the Unix desktop for the shortcuts
# a program (such as a setup program) makes in the prefix.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
# Wine keeps its recycle bin in the freedesktop trash: a private one here, so
# tests that empty it never touch the user's own.
export XDG_DATA_HOME="$build_dir/xdg-data"
mkdir -p "$XDG_DATA_HOME"

wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=wineserver

if $settle; then
  WINESERVER=$wineserver "$wineserver" -w || true
  exit 0
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "$loader" wineboot.exe -i >/dev/null 2>&1 || true
      WINESERVER=$wineserver "$wineserver" -w || true
    fi
  ) 9>"$build_dir/wineprefix.lock"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-run.sh: could not create the Wine prefix $WINEPREFIX" >&2
    exit 2
  fi
fi

exec "$loader" "$program" "$@"
