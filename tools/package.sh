#!/usr/bin/env bash
# Builds every package into dist/: the Debian package (kestrion_<version>_amd64.deb), and
# for Windows a zip (kestrion-<version>-win64.zip) and an installer
# (kestrion-<version>-win64.exe). Run as root it installs missing Debian packages first.
# Usage: tools/package.sh [deb|windows]   (both when no argument)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh" package
what=${1:-all}
dist=$root/dist
mkdir -p "$dist"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

# cpack for one build directory; the packages it made are moved to dist/.
pack() {
  local build=$1 out=$1/packages
  shift
  rm -rf "$out"
  (cd "$build" && cpack -B "$out" "$@" >cpack.log) || { cat "$build/cpack.log" >&2; return 1; }
  find "$out" -maxdepth 1 -type f \( -name '*.deb' -o -name '*.zip' -o -name '*.exe' \) \
    -exec mv -f {} "$dist/" \;
}

if [[ $what == all || $what == deb ]]; then
  echo "== Debian package =="
  build=$root/build/package-deb
  # Debian's hardening flags (fortified functions, read-only relocations, immediate binding).
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DKESTRION_TESTS=OFF -DKESTRION_BENCH=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
  cmake --build "$build" -j "$(nproc)"
  pack "$build" -G DEB
fi

if [[ $what == all || $what == windows ]]; then
  echo "== Windows zip and installer =="
  # The same configuration as the Windows build of tools/test.sh, so they share a directory.
  build=$root/build/windows
  cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$build" -j "$(nproc)"
  pack "$build" -G "ZIP;NSIS"
fi
ls -l "$dist"
