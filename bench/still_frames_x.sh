#!/usr/bin/env bash
# Plays the real SDL game at random on a virtual X screen with the frame loop's check mode on
# (KESTRION_STILL_CHECK): pointer moves and clicks over the picture, menu and dialog clicks,
# typed keys, pauses in which the screen stands still, Alt+Enter between full screen and a
# window, and resizes of that window. Every frame the loop leaves undrawn is drawn all the
# same and compared with the one on the screen. A game that ends (Quit, Yes) is started
# again. Prints the counts of every run and fails when a frame differed.
# Usage: bench/still_frames_x.sh [game] [seconds] [seed]
#   defaults: build/release/app/kestrion, 300 seconds, seed 1.
# Needs Xvfb and xdotool.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/x_screen.sh"
game=$(realpath "${1:-$root/build/release/app/kestrion}")
seconds=${2:-300}
RANDOM=${3:-1}
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
stop_all() {
  [[ -n "$game_pid" ]] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
}
trap 'stop_all; rm -rf "$work"' EXIT
counts=$work/still_frames.txt

start_x_screen "$work" 1280x960 || exit 1
xvfb_pid=$x_screen_pid

start_game() {
  (cd "$work" && XDG_CONFIG_HOME="$work/config" KESTRION_STILL_CHECK="$counts" \
    exec "$game" >>"$work/game.log" 2>&1) &
  game_pid=$!
  wait_for_game_window "$game_pid" || { echo "no game window" >&2; cat "$work/game.log" >&2; exit 1; }
  sleep 0.5
}

# Game pixels to screen pixels.
at() { awk -v g="$1" -v s="$scale" -v o="$2" 'BEGIN { printf "%d", o + (g + 0.5) * s }'; }
point() { xdotool mousemove "$(at "$1" "$left")" "$(at "$2" "$top")"; }
targets=("50 40" "50 80" "50 120" "50 160" "347 283" "380 221" "380 251" "318 320" "388 320"
         "287 323" "361 323" "451 199" "451 288" "250 215" "250 260" "145 265" "345 365")
keys=(a b z 1 minus BackSpace space Return Escape Left shift+x)

start_game
runs=1
end=$((SECONDS + seconds))
while ((SECONDS < end)); do
  if ! kill -0 "$game_pid" 2>/dev/null; then
    wait "$game_pid" || true
    start_game
    runs=$((runs + 1))
  fi
  place_picture "$window" 2>/dev/null || continue
  roll=$((RANDOM % 100))
  if ((roll < 30)); then
    sleep 0.$((RANDOM % 9 + 1))  # the screen stands still
  elif ((roll < 50)); then
    point $((RANDOM % 640)) $((RANDOM % 480))
  elif ((roll < 75)); then
    read -r x y <<<"${targets[RANDOM % ${#targets[@]}]}"
    point "$x" "$y"
    xdotool click 1
  elif ((roll < 85)); then
    xdotool mousedown 1
    point $((RANDOM % 640)) $((RANDOM % 480))
    xdotool mouseup 1
  elif ((roll < 94)); then
    xdotool key "${keys[RANDOM % ${#keys[@]}]}"
  elif ((roll < 97)); then
    xdotool key alt+Return
    sleep 0.3
  else
    xdotool windowsize "$window" $((320 + RANDOM % 900)) $((240 + RANDOM % 700)) 2>/dev/null || true
    sleep 0.2
  fi
done
kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
game_pid=""
echo "$runs runs of the game:"
cat "$counts"
awk '{ compared += $4; differing += $6 } END {
  printf "in all: %d skipped frames compared, %d differing\n", compared, differing
  exit differing > 0 }' "$counts"
