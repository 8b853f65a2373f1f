#!/usr/bin/env bash
# Installs the Node package that drives Chromium in the browser check into
# build/browser-tools, from the lock file in tests/browser. Does nothing
# when the installed lock file is current.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
src=$root/tests/browser
dest=$root/build/browser-tools

if [ -d "$dest/node_modules/playwright-core" ] && cmp -s "$src/package-lock.json" "$dest/package-lock.json"; then
  exit 0
fi
mkdir -p "$dest"
cp "$src/package.json" "$src/package-lock.json" "$dest/"
npm ci --prefix "$dest" --no-audit --no-fund --loglevel=error
