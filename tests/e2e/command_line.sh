#!/usr/bin/env bash
# The program's command line as a player uses it, on a virtual X screen (1024x768):
# --version, --help and an unknown option answer without a window, and fail when the answer
# cannot be written; without a display the game says why and fails; --window opens a 640x480 window; without options the game starts as
# Alt+Enter left it last time, and a damaged settings file means full screen; --user-data
# keeps saved games in $XDG_DATA_HOME/kestrion, or says why not and keeps them in the
# current directory; on a screen smaller than 640x480 the window is shrunk onto it.
# Usage: command_line.sh <path to kestrion> <expected version>. Exit 77 = skipped.
# KEEP_WORK=1 keeps its scratch folder (settings, data, game output) for a look.
set -euo pipefail

game=$(realpath "$1")
version=$2
source "$(dirname "$0")/../x_screen.sh"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  [[ -n "$game_pid" ]] && kill "$game_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  if [[ -n ${KEEP_WORK:-} ]]; then echo "kept: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  [[ -f $work/game.log ]] && { echo "--- game output:" >&2; cat "$work/game.log" >&2; }
  exit 1
}

# The player's own directories, all inside the test's folder.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
mkdir -p "$HOME" "$work/run"
cd "$work/run"
memory=$XDG_CONFIG_HOME/kestrion/screen.conf

echo "-- answers without a window"
# No display at all: none of these may try to open one.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$game" --version) || fail "--version failed"
[[ $out == "Kestrion $version" ]] || fail "--version printed '$out'"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$game" --help 2>"$work/err") ||
  fail "--help failed"
[[ $out == "Usage: kestrion"* && ! -s $work/err ]] || fail "--help printed '$out'"
for option in --window --fullscreen --user-data; do
  grep -q -- "$option" <<<"$out" || fail "--help does not mention $option"
done
# An answer that cannot be written (here: to a full device) must not report success.
for option in --version --help; do
  if env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$game" "$option" >/dev/full; then
    fail "$option reported success although its answer could not be written"
  fi
done
set +e
env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$game" --fullscreen --sideways >"$work/out" 2>"$work/err"
status=$?
set -e
[[ $status -eq 2 ]] || fail "an unknown option ended with $status, not 2"
[[ ! -s $work/out ]] || fail "an unknown option printed on standard output"
grep -q "'--sideways'" "$work/err" && grep -q '^Usage: kestrion' "$work/err" ||
  fail "an unknown option did not give the usage on standard error: $(cat "$work/err")"
[[ ! -e $XDG_CONFIG_HOME && ! -e $XDG_DATA_HOME ]] || fail "an answer left files behind"
# The game itself with no display: it says why and ends as a program that failed.
set +e
env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$game" --window >"$work/out" 2>"$work/err"
status=$?
set -e
[[ $status -eq 1 ]] || fail "the game without a display ended with $status, not 1"
grep -q 'no display' "$work/err" || fail "the game without a display did not say why: $(cat "$work/err")"

start_x_screen "$work" || fail "no virtual X screen"
xvfb_pid=$x_screen_pid

window=""
# Starts the game with these options and waits for its window.
start() {
  "$game" "$@" >"$work/game.log" 2>&1 &
  game_pid=$!
  wait_for_game_window "$game_pid" || fail "no game window, or the game ended at start ($*)"
  sleep 0.5
}
# "WIDTHxHEIGHT" of the game window.
size() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  echo "${WIDTH}x${HEIGHT}"
}
# F12 must end the game with exit code 0.
finish() {
  xdotool mousemove --window "$window" 320 240 key F12
  wait_for_exit "$game_pid" || fail "F12 did not end the game"
  game_pid=""
  [[ $exit_status -eq 0 ]] || fail "the game ended with exit code $exit_status"
}
# In a 640x480 window the game's pixels are the window's: press and release at (x, y),
# held over several frames so that the game sees both.
click() {
  xdotool mousemove --window "$window" "$1" "$2"
  sleep 0.15
  xdotool mousedown 1
  sleep 0.3
  xdotool mouseup 1
  sleep 0.4
}
# Saves the running game under a typed name through the Save dialog.
save_as() {
  click 50 120
  xdotool mousemove --window "$window" 320 240 type --delay 100 "$1"
  sleep 0.3
  click 307 325
}

echo "-- the starting screen"
start --window
[[ $(size) == 640x480 ]] || fail "--window gave a $(size) window"
finish
[[ ! -e $memory ]] || fail "--window changed the remembered choice"

start
[[ $(size) == 1024x768 ]] || fail "the first start is not full screen: $(size)"
xdotool mousemove --window "$window" 320 240 key alt+Return
sleep 0.5
[[ $(size) == 640x480 ]] || fail "Alt+Enter did not give a 640x480 window: $(size)"
finish
[[ $(cat "$memory") == screen=window ]] || fail "Alt+Enter's choice was not kept: $(cat "$memory")"

start
[[ $(size) == 640x480 ]] || fail "the remembered window was not used: $(size)"
finish
start --fullscreen
[[ $(size) == 1024x768 ]] || fail "--fullscreen gave $(size)"
finish

printf 'screen=window\nscreen=window\n' >"$memory"
start
[[ $(size) == 1024x768 ]] || fail "a damaged settings file did not mean full screen: $(size)"
finish

echo "-- where saved games go"
start --window --user-data
[[ -d $XDG_DATA_HOME/kestrion ]] || fail "--user-data did not make the data directory"
save_as data
finish
[[ -f $XDG_DATA_HOME/kestrion/data.chs ]] || fail "the game was not saved in the data directory"
[[ -z $(ls "$work/run") ]] || fail "--user-data left files in the current directory"

rm -rf "$XDG_DATA_HOME"
echo "not a directory" >"$XDG_DATA_HOME"
start --window --user-data
grep -q "cannot keep saved games in $XDG_DATA_HOME/kestrion" "$work/game.log" ||
  fail "an uncreatable data directory went unreported"
save_as here
finish
[[ -f $work/run/here.chs ]] || fail "without a data directory the game was not saved here"
echo "-- a window on a screen smaller than the picture"
# The window is shrunk onto the screen with the picture's shape, and the picture scaled
# into it: the side menu and the Quit dialog's Yes are reached at their scaled places.
kill "$xvfb_pid" 2>/dev/null || true
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""
start_x_screen "$work" 320x240 || fail "no small virtual X screen"
xvfb_pid=$x_screen_pid
start --window
eval "$(xdotool getwindowgeometry --shell "$window")"
((X >= 0 && Y >= 0 && X + WIDTH <= 320 && Y + HEIGHT <= 240)) ||
  fail "the window is not on the 320x240 screen: ${WIDTH}x${HEIGHT} at $X,$Y"
[[ ${WIDTH}x${HEIGHT} == 320x240 ]] || fail "the window was not shrunk to 320x240: ${WIDTH}x${HEIGHT}"
place_picture "$window"
# A press and release at picture pixel (x, y), held over several frames.
click_scaled() {
  xdotool mousemove "$(awk -v g="$1" -v s="$scale" -v o="$left" 'BEGIN { printf "%d", o + (g + 0.5) * s }')" \
    "$(awk -v g="$2" -v s="$scale" -v o="$top" 'BEGIN { printf "%d", o + (g + 0.5) * s }')"
  sleep 0.15
  xdotool mousedown 1
  sleep 0.3
  xdotool mouseup 1
  sleep 0.4
}
click_scaled 50 40    # the Quit button of the side menu
click_scaled 278 285  # Yes in the Quit dialog
wait_for_exit "$game_pid" || fail "the Quit dialog's Yes could not be reached in the shrunk window"
game_pid=""
[[ $exit_status -eq 0 ]] || fail "the game in the shrunk window ended with $exit_status"
echo "passed: version, usage, unknown option, no display, window, remembered screen, data directory, small screen"
