#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that a Linux desktop would find the
# game: the program, its desktop entry and (when the artwork has one) its icon.
# Usage: install_layout.sh <cmake> <build directory> <source directory>
set -euo pipefail
cmake=$1 build=$2 source=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "FAILED: $*" >&2; exit 1; }

[[ -x "$prefix/bin/kestrion" ]] || fail "no bin/kestrion"
entry="$prefix/share/applications/kestrion.desktop"
[[ -f "$entry" ]] || fail "no desktop entry"
[[ "$(head -n 1 "$entry")" == "[Desktop Entry]" ]] || fail "the entry lacks its group header"
for key in Type=Application Name=Kestrion Exec=kestrion Icon=kestrion Terminal=false; do
  grep -qx "$key" "$entry" || fail "the entry lacks $key"
done
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$entry"; fi
if [[ -f "$source/resources/kestrion.png" ]]; then
  cmp -s "$source/resources/kestrion.png" \
    "$prefix/share/icons/hicolor/256x256/apps/kestrion.png" || fail "icon missing or different"
fi
echo "passed: installed program, desktop entry and icon"
