#!/usr/bin/env bash
# Makes sure the Debian packages a build needs are installed.
# Usage: tools/deps.sh game|package|web|test|bench
# As root, missing packages are installed with apt-get; otherwise the one sudo command to
# run is printed and the script fails.
set -euo pipefail

game_packages=(cmake make g++ pkg-config libsdl2-dev)
# The .deb needs dpkg-dev (dpkg-shlibdeps, dpkg-buildflags); the Windows installer nsis.
package_packages=("${game_packages[@]}" dpkg-dev g++-mingw-w64-x86-64 nsis)
# The browser page: Debian's emscripten (its JavaScript optimiser needs acorn, its wasm
# optimiser binaryen), terser to shorten the names in its JavaScript, and python3 to serve
# the page.
web_packages=(cmake make emscripten node-acorn binaryen node-terser python3)
# The browser test drives Debian's chromium with puppeteer-core from npm; libpng and libwebp
# read the page's PNG and WebP sheets in the pixel comparison; the packages are checked with
# lintian, appstream and desktop-file-utils; the format check lists the sources with git.
test_packages=("${package_packages[@]}" "${web_packages[@]}" git lintian appstream
               desktop-file-utils ninja-build clang clang-format-14 libclang-rt-14-dev
               libgtest-dev libgmock-dev libbenchmark-dev libpng-dev libwebp-dev xvfb xdotool
               x11-apps imagemagick wine wine64 libgl1-mesa-dri chromium)

# The engine benchmarks and the gauntlet measure against Debian's Stockfish (never in tests).
bench_packages=(stockfish)

case "${1:-}" in
  game) wanted=("${game_packages[@]}") ;;
  package) wanted=("${package_packages[@]}") ;;
  web) wanted=("${web_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  bench) wanted=("${bench_packages[@]}") ;;
  *) echo "usage: $0 game|package|web|test|bench" >&2; exit 2 ;;
esac

missing=()
# npm comes with Node.js where Node.js is not Debian's own; only a machine without it needs
# Debian's package.
[[ "$1" == test ]] && ! command -v npm >/dev/null && missing+=(npm)
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
  echo "Some Debian packages are missing. Run this once, then try again:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "${missing[@]}" >/dev/null 2>&1 ||
  { apt-get update -q >/dev/null && apt-get install -y -q "${missing[@]}" >/dev/null; }
