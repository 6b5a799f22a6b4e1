#!/usr/bin/env bash
# Runs the browser end-to-end tests on a built page folder: a game played, saved and loaded,
# then the saved games' faults (tabs, storage, copies of the page, the bar's keyboard), then
# by touch on an emulated phone and tablet, and offline.
# Installs the test's npm packages from package-lock.json first when they are missing or out
# of date (puppeteer-core brings no browser of its own: the tests drive Debian's chromium).
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
node "$here/storage_faults.js" "$site" "${2:-}"
node "$here/touch_offline.js" "$site" "${2:-}"
