#!/usr/bin/env bash
# Checks the Debian package as a player's machine would meet it:
#   1. lintian finds no error or warning; the metainfo and the desktop entry validate;
#   2. apt resolves its dependencies (a simulated install of the file);
#   3. its contents, unpacked into a scratch root, hold the program, the icons at every size
#      and the manual page, and the unpacked program starts on a virtual X screen, shows the
#      board and ends on F12 with exit code 0;
#   4. the UCI engine beside it, with its manual page, answers uci and a search.
# Usage: tests/packaging/deb_check.sh <kestrion_*.deb> [screenshot.png]
# Installs nothing; needs lintian, appstream, desktop-file-utils, xvfb, xdotool, imagemagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
deb=$(realpath "${1:?usage: $0 <kestrion_*.deb> [screenshot.png]}")
shot=${2:-}
for tool in lintian appstreamcli desktop-file-validate dpkg-deb apt-get Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "deb_check: $tool is missing (tools/deps.sh test)" >&2; exit 1; }
done
source "$root/tests/screen_points.sh"
source "$root/tests/x_screen.sh"

work=$(mktemp -d)
xvfb=""
game=""
cleanup() {
  [[ -n $game ]] && kill "$game" 2>/dev/null || true
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "deb_check: FAILED: $*" >&2; exit 1; }

echo "-- lintian"
# Errors and warnings fail; information tags are shown but pass.
status=0
lintian --display-info --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
[[ $status -eq 0 ]] || fail "lintian reports errors or warnings"

echo "-- contents"
version=$(dpkg-deb -f "$deb" Version)
dpkg-deb -x "$deb" "$work/root"
program=$work/root/usr/games/kestrion
[[ -x $program ]] || fail "no /usr/games/kestrion"
[[ $("$program" --version) == "Kestrion $version" ]] || fail "the program is not version $version"
# Each icon is a PNG of its directory's size: width and height stand at bytes 16-23.
for size in 16 32 48 64 128 256; do
  icon=$work/root/usr/share/icons/hicolor/${size}x$size/apps/kestrion.png
  [[ -f $icon ]] || fail "no ${size}x$size icon"
  read -r width height < <(od -An -tu1 -j16 -N8 "$icon" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
  [[ "$width x $height" == "$size x $size" ]] || fail "the ${size}x$size icon is ${width}x$height"
done
[[ -f $work/root/usr/share/man/man6/kestrion.6.gz ]] || fail "no manual page in section 6"
engine=$work/root/usr/games/kestrion-engine
[[ -x $engine ]] || fail "no /usr/games/kestrion-engine"
[[ $("$engine" --version) == "Kestrion engine $version" ]] || fail "the engine is not version $version"
[[ -f $work/root/usr/share/man/man6/kestrion-engine.6.gz ]] || fail "no manual page of the engine"
answer=$(printf 'uci\nposition startpos\ngo depth 4\n' | timeout 30 "$engine")
grep -q '^uciok$' <<<"$answer" && grep -q '^bestmove [a-h][1-8][a-h][1-8]' <<<"$answer" ||
  fail "the engine did not answer uci and go: $answer"
[[ -f $work/root/usr/share/doc/kestrion/copyright ]] || fail "no copyright file"
metainfo=("$work"/root/usr/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "${metainfo[@]}" || fail "the metainfo does not validate"
grep -q "<release version=\"$version\"" "${metainfo[@]}" || fail "the metainfo lacks release $version"
desktop-file-validate "$work/root/usr/share/applications/kestrion.desktop" ||
  fail "the desktop entry does not validate"
echo "metainfo and desktop entry validate"

echo "-- dependencies"
apt-get install --simulate "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log" >&2; fail "apt cannot resolve the package's dependencies"; }
grep -q '^Inst kestrion ' "$work/apt.log" || { cat "$work/apt.log" >&2; fail "apt would not install it"; }
echo "apt would install: $(grep -c '^Inst ' "$work/apt.log") package(s); Depends: $(dpkg-deb -f "$deb" Depends)"

echo "-- the unpacked program"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
mkdir -p "$HOME"
cd "$HOME"
start_x_screen "$work" || fail "no virtual X screen"
xvfb=$x_screen_pid

# As the desktop menu starts it (with the remembered window, so the picture is 1:1).
"$program" --user-data --window >"$work/game.log" 2>&1 &
game=$!
wait_for_game_window "$game" ||
  { cat "$work/game.log" >&2; fail "no game window, or the game ended at start"; }
xdotool mousemove --window "$window" 600 460

# The board is shown once the corner of every square agrees with the background sheet.
board=0
for _ in $(seq 40); do
  sleep 0.25
  import -window "$window" "$work/board.png" 2>/dev/null || continue
  board=$(agreeing_points "$work/board.png" "$root/resources/back.bmp" 0 "${board_squares[@]}")
  (( ${board%% *} >= 56 )) && break
done
echo "board squares agreeing with back.bmp: $board"
(( ${board%% *} >= 56 )) || fail "no board on the screen"
[[ -n $shot ]] && import -window root "$shot"
[[ -d $XDG_DATA_HOME/kestrion ]] || fail "--user-data made no data directory"

xdotool key F12
wait_for_exit "$game" || fail "F12 did not end the game"
game=""
[[ $exit_status -eq 0 ]] || { cat "$work/game.log" >&2; fail "exit code $exit_status after F12"; }
echo "deb_check: passed"
