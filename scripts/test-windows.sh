#!/usr/bin/env bash
# Runs the Windows tests under Wine, of the builds this machine can run:
# where 32-bit programs run, the 32-bit build's and the 64-bit build's; where
# they cannot (or QUILL_WINE_ARCH=win64), the 64-bit build's alone.
set -euo pipefail
cd "$(dirname "$0")/.."

arch=$(bash scripts/wine-arch.sh)
if [ "$arch" = win32 ]; then
  builds=(build/win32 build/win64)
else
  echo "test-windows: this machine runs the 64-bit Windows build only (QUILL_WINE_ARCH=${QUILL_WINE_ARCH:-unset}); the 32-bit build is built, not run"
  builds=(build/win64)
fi
status=0
for b in "${builds[@]}"; do
  echo "test-windows: $b"
  ctest --test-dir "$b" --output-on-failure || status=1
done
exit $status
