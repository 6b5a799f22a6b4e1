#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that a Linux desktop would find the
# game: the program, its desktop entry, its icons at every size, the software centre's
# description, the manual page and the copyright notice, none of them writable by others.
# Usage: install_layout.sh <cmake> <build directory> <source directory>
set -euo pipefail
cmake=$1 build=$2 source=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

# Under the umask many desktop users have (002), as a package built by one would be.
(umask 002 && "$cmake" --install "$build" --prefix "$prefix" >/dev/null)
fail() { echo "FAILED: $*" >&2; exit 1; }

# Whatever the builder's umask, nothing installed may be writable by others than its owner.
writable=$(find "$prefix" -mindepth 1 -perm /022)
[[ -z $writable ]] || fail "installed with group or world write permission: $writable"

program=$(find "$prefix" -path '*/bin/kestrion' -o -path '*/games/kestrion' | head -n 1)
[[ -n $program && -x $program ]] || fail "no installed kestrion program"
entry="$prefix/share/applications/kestrion.desktop"
[[ -f "$entry" ]] || fail "no desktop entry"
[[ "$(head -n 1 "$entry")" == "[Desktop Entry]" ]] || fail "the entry lacks its group header"
# Started from the menu, saved games go to the data directory, not the home directory; a
# file manager passes the saved game it opens.
for key in Type=Application Name=Kestrion 'Exec=kestrion --user-data %f' Icon=kestrion \
           Terminal=false 'MimeType=application/x-kestrion-game;application/x-chess-pgn;'; do
  grep -qx "$key" "$entry" || fail "the entry lacks $key"
done
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$entry"; fi
[[ -f $prefix/share/mime/packages/kestrion.xml ]] || fail "no shared-mime-info file for saved games"

for size in 16 32 48 64 128 256; do
  cmp -s "$source/resources/icons/kestrion-$size.png" \
    "$prefix/share/icons/hicolor/${size}x$size/apps/kestrion.png" ||
    fail "the ${size}x$size icon is missing or different"
done

metainfo=("$prefix"/share/metainfo/*.metainfo.xml)
[[ ${#metainfo[@]} -eq 1 && -f ${metainfo[0]} ]] || fail "not exactly one metainfo file"
grep -q '<launchable type="desktop-id">kestrion.desktop</launchable>' "${metainfo[0]}" ||
  fail "the metainfo does not name the desktop entry"
version=$("$program" --version)
grep -q "<release version=\"${version#Kestrion }\"" "${metainfo[0]}" ||
  fail "the metainfo has no release for $version"
if command -v appstreamcli >/dev/null; then appstreamcli validate --no-net "${metainfo[0]}" >/dev/null; fi

page="$prefix/share/man/man6/kestrion.6.gz"
[[ -f $page ]] || fail "no manual page"
# Every option the program lists is explained on the page.
for option in $("$program" --help | grep -o -- '--[a-z-]*' | sort -u); do
  zcat "$page" | sed 's/\\-/-/g' | grep -q -- "$option" || fail "the manual page lacks $option"
done
[[ -f $prefix/share/doc/kestrion/copyright ]] || fail "no copyright file"
echo "passed: program, desktop entry, icons, metainfo, manual page and copyright installed"
