#!/usr/bin/env bash
# Builds the browser page (WebAssembly, with Debian's emscripten) and serves it on a local
# address, which it prints. Any static web host can serve the same folder.
# Usage: tools/web.sh [port]   (default 8640)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
port=${1:-8640}
"$root/tools/deps.sh" web

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$root" -B "$root/build/web" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/emscripten.cmake" >/dev/null
cmake --build "$root/build/web" -j "$(nproc)" --target kestrion
site="$root/build/web/site"
echo "The page is in $site ($(du -sh "$site" | cut -f1) in all)."
echo "Open http://127.0.0.1:$port/ in a browser; Ctrl+C stops the server."
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
