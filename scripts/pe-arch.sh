#!/usr/bin/env bash
# Prints the Wine architecture of a Windows program: win32 for an i386
# image, win64 for an x86-64 one (read from its PE header).
#
#   pe-arch.sh PROGRAM.exe
set -euo pipefail

file=$1
# e_lfanew: the offset of the PE header, a 32-bit number at 0x3c.
offset=$(od -An -tu4 -j 60 -N 4 "$file" | tr -d ' ')
machine=$(od -An -tx2 -j $((offset + 4)) -N 2 "$file" | tr -d ' ')
case "$machine" in
  014c) echo win32 ;;
  8664) echo win64 ;;
  *)
    echo "pe-arch.sh: $file is not an i386 or x86-64 Windows program" >&2
    exit 1
    ;;
esac
