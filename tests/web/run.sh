#!/usr/bin/env bash
# Runs the browser end-to-end test on a built page folder. Installs the test's npm packages
# from package-lock.json first when they are missing or out of date (puppeteer-core brings
# no browser of its own: the test drives Debian's chromium).
# Usage: tests/web/run.sh <site folder> [folder for the screenshots]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
stamp="$here/node_modules/.installed-from-lock"
if ! cmp -s "$here/package-lock.json" "$stamp" 2>/dev/null; then
  npm ci --prefix "$here" --no-audit --no-fund --loglevel=error >/dev/null
  cp "$here/package-lock.json" "$stamp"
fi
site=$(realpath "$1")
bytes=$(find "$site" -type f -printf '%s\n' | awk '{ total += $1 } END { print total }')
echo "page: $((bytes / 1024)) KiB in all ($(find "$site" -type f | wc -l) files)"
node "$here/play_save_load.js" "$site" "${2:-}"
exec node "$here/standard_game.js" "$site" "${2:-}"
