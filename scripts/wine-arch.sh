#!/usr/bin/env bash
# Decides, by trying, which Windows build this machine runs.
#
#   wine-arch.sh          prints win32 when 32-bit Windows programs run here
#                         (the kernel runs i386 programs and the 32-bit Wine
#                         loader starts), else win64. QUILL_WINE_ARCH=win32 or
#                         win64 overrides the choice.
#   wine-arch.sh --kernel exits 0 when the kernel runs i386 programs at all
#                         (asked before the 32-bit packages are installed).
set -euo pipefail

# The smallest i386 Linux program: exit(0) through int 0x80. Kernels without
# 32-bit emulation refuse it with "Exec format error".
kernel_runs_i386() {
  local probe
  probe=$(mktemp)
  base64 -d >"$probe" <<'EOF'
f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAA
AAAAAIAECACABAhdAAAAXQAAAAUAAAAAEAAAuAEAAAAx282A
EOF
  chmod +x "$probe"
  local rc=0
  "$probe" 2>/dev/null || rc=$?
  rm -f "$probe"
  return $rc
}

if [ "${1:-}" = "--kernel" ]; then
  kernel_runs_i386
  exit $?
fi

case "${QUILL_WINE_ARCH:-}" in
  win32 | win64)
    echo "$QUILL_WINE_ARCH"
    exit 0
    ;;
  "") ;;
  *)
    echo "wine-arch.sh: QUILL_WINE_ARCH must be win32 or win64, not '$QUILL_WINE_ARCH'" >&2
    exit 2
    ;;
esac

if kernel_runs_i386 && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo win32
else
  echo win64
fi
