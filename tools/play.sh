#!/usr/bin/env bash
# Builds the game (optimised, no tests) and starts it in the current directory, where it
# keeps its saved games (*.chs).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh" game

cmake -S "$root" -B "$root/build/game" -DCMAKE_BUILD_TYPE=Release \
  -DKESTRION_TESTS=OFF -DKESTRION_BENCH=OFF >/dev/null
cmake --build "$root/build/game" -j "$(nproc)"
exec "$root/build/game/app/kestrion" "$@"
