#!/usr/bin/env bash
# The help's topics, as compiled into help.chm, in headless Chromium.
#
#   run_pages.sh HTML_FOLDER
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
modules=$root/build/browser-tools/node_modules

if [ ! -d "$modules/playwright-core" ]; then
  echo "playwright-core is missing: run scripts/browser-tools.sh (make deps does)" >&2
  exit 1
fi
NODE_PATH=$modules node "$here/help_pages.cjs" "$1"
