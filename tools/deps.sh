#!/usr/bin/env bash
# Makes sure the Debian packages a build needs are installed.
# Usage: tools/deps.sh game|package|test
# As root, missing packages are installed with apt-get; otherwise the one sudo command to
# run is printed and the script fails.
set -euo pipefail

game_packages=(cmake make g++ pkg-config libsdl2-dev)
# The .deb needs dpkg-dev (dpkg-shlibdeps, dpkg-buildflags); the Windows installer nsis.
package_packages=("${game_packages[@]}" dpkg-dev g++-mingw-w64-x86-64 nsis)
test_packages=("${package_packages[@]}" lintian appstream desktop-file-utils ninja-build
               clang clang-format-14 libclang-rt-14-dev libgtest-dev libgmock-dev
               libbenchmark-dev python3 xvfb xdotool x11-apps imagemagick wine wine64
               libgl1-mesa-dri)

case "${1:-}" in
  game) wanted=("${game_packages[@]}") ;;
  package) wanted=("${package_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  *) echo "usage: $0 game|package|test" >&2; exit 2 ;;
esac

missing=()
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
