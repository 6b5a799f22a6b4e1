#!/usr/bin/env bash
# Checks the sources (includes point down the layers, every C++ file is clang-format clean),
# then builds and runs every test: an optimised g++ build, the browser page (WebAssembly)
# played in headless Chromium, the native Windows program cross-built with mingw-w64 and
# checked under Wine, the packages (the .deb checked with lintian and started from its
# unpacked files, the Windows installer run and undone under Wine), then a clang build with
# AddressSanitizer and UndefinedBehaviorSanitizer (which also runs the fuzzers); last, the
# self-play tool of all four builds must play the same games from one seed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh" test

echo "== Source checks =="
python3 "$root/tools/check_layers.py" "$root"
"$root/tools/check_format.sh"

jobs=$(nproc)
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

echo "== Optimised build (g++) =="
cmake -S "$root" -B "$root/build/release" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build "$root/build/release" -j "$jobs"
ctest --test-dir "$root/build/release" --output-on-failure -j "$jobs"

echo "== Browser build (emscripten) and Chromium check =="
# Only the page and the self-play tool: the suites above already cover the shared code.
cmake -S "$root" -B "$root/build/web" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/emscripten.cmake" >/dev/null
cmake --build "$root/build/web" -j "$jobs" --target kestrion kestrion_selfplay
"$root/tests/web/run.sh" "$root/build/web/site"

echo "== Windows build (mingw-w64) and Wine check =="
cmake -S "$root" -B "$root/build/windows" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/windows" -j "$jobs"
"$root/tests/windows/wine_smoke.sh" "$root/build/windows"

echo "== Packages: the .deb and the Windows installer =="
"$root/tools/package.sh"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/release/CMakeCache.txt")
"$root/tests/packaging/deb_check.sh" "$root/dist/kestrion_${version}_amd64.deb"
"$root/tests/windows/installer_smoke.sh" "$root/dist/kestrion-${version}-win64.exe" \
  "$root/build/windows/installer-check"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build (clang) =="
cmake -S "$root" -B "$root/build/asan" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DKESTRION_SANITIZE=ON -DKESTRION_FUZZ=ON -DKESTRION_BENCH=OFF >/dev/null
cmake --build "$root/build/asan" -j "$jobs"
ctest --test-dir "$root/build/asan" --output-on-failure -j "$jobs"

echo "== One seed, one game: the g++, sanitizer, Windows and WebAssembly builds play alike =="
# Wine runs in the prefix the smoke test made; each command line is one argument.
printf -v windows_selfplay 'env WINEPREFIX=%q WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= wine %q' \
  "$root/build/windows/wine-prefix" "$root/build/windows/tools/selfplay/kestrion-selfplay.exe"
printf -v release_selfplay '%q' "$root/build/release/tools/selfplay/kestrion-selfplay"
printf -v asan_selfplay '%q' "$root/build/asan/tools/selfplay/kestrion-selfplay"
# Debian's emscripten output runs under this Node.js only without its experimental fetch.
printf -v web_selfplay 'node --no-experimental-fetch %q' \
  "$root/build/web/tools/selfplay/kestrion-selfplay.js"
"$root/tests/selfplay/same_game_everywhere.sh" \
  "$release_selfplay" "$asan_selfplay" "$windows_selfplay" "$web_selfplay"
# And a Standard game between two of the engine's levels.
KESTRION_SELFPLAY_OPTIONS="--games 2 --seed 7 --rules standard --white beginner --black casual --max-plies 160" \
  "$root/tests/selfplay/same_game_everywhere.sh" \
  "$release_selfplay" "$asan_selfplay" "$windows_selfplay" "$web_selfplay"
