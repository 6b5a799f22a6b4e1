#!/usr/bin/env bash
# Measures what the running game costs the machine while it shows the screen, on a virtual
# X screen of each given size: the share of one core the game process uses over a span of
# seconds (user + system time from /proc), that of the X server beside it, and the game's
# resident memory. Three states are measured in turn:
#   cvc    computer against computer, as the game opens;
#   human  White human against Black computer started from the Play dialog, White to move,
#          the pointer still;
#   quit   the Quit dialog open, the pointer still;
#   save   the Save dialog open instead, its text cursor blinking, the pointer still;
#   away   another window (xlogo) has the focus: the game waits for messages and should
#          use nothing.
# A still screen is not drawn at all, so human, quit and save should cost about as little
# as away; save wakes four times a second for the blink.
# Usage: bench/display_load.sh [game] [seconds] [WIDTHxHEIGHT ...]
#   defaults: build/release/app/kestrion, 10 seconds, 640x480 and 1280x960.
# Needs Xvfb and xdotool. Other programs on the machine disturb the figures: run it on a
# quiet machine, or more than once.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/x_screen.sh"
game=$(realpath "${1:-$root/build/release/app/kestrion}")
seconds=${2:-10}
shift $(($# > 2 ? 2 : $#))
sizes=("$@")
[[ ${#sizes[@]} -gt 0 ]] || sizes=(640x480 1280x960)
for tool in Xvfb xdotool xlogo; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
done

ticks_per_second=$(getconf CLK_TCK)
work=$(mktemp -d)
xvfb_pid=""
game_pid=""
other_pid=""
stop_all() {
  [[ -n "$other_pid" ]] && kill "$other_pid" 2>/dev/null && wait "$other_pid" 2>/dev/null || true
  [[ -n "$game_pid" ]] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
  other_pid=""
  game_pid=""
  xvfb_pid=""
}
trap 'stop_all; rm -rf "$work"' EXIT

# utime + stime of a process, in clock ticks (the fields after the command's closing ')').
cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }
resident_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
share() { awk -v t="$1" -v hz="$ticks_per_second" -v s="$2" 'BEGIN { printf "%.1f", 100 * t / hz / s }'; }

start_screen() {
  start_x_screen "$work" "$1" || exit 1
  xvfb_pid=$x_screen_pid
}

start_game() {
  (cd "$work" && XDG_CONFIG_HOME="$work/config" exec "$game" >"$work/game.log" 2>&1) &
  game_pid=$!
  wait_for_game_window "$game_pid" || { echo "no game window" >&2; cat "$work/game.log" >&2; exit 1; }
  sleep 1
  place_picture "$window"
}

# Game pixels to screen pixels, aiming at the middle of the game pixel.
at() { awk -v g="$1" -v s="$scale" -v o="$2" 'BEGIN { printf "%d", o + (g + 0.5) * s }'; }
point() { xdotool mousemove "$(at "$1" "$left")" "$(at "$2" "$top")"; }
click() {
  point "$1" "$2"
  sleep 0.15
  xdotool mousedown 1
  sleep 0.3
  xdotool mouseup 1
  sleep 0.4
}
park_pointer() { point 600 465; sleep 1; }

measure() {
  local state=$1 size=$2 game_before xvfb_before game_after xvfb_after started ended elapsed
  game_before=$(cpu_ticks "$game_pid")
  xvfb_before=$(cpu_ticks "$xvfb_pid")
  started=$(date +%s.%N)
  sleep "$seconds"
  game_after=$(cpu_ticks "$game_pid")
  xvfb_after=$(cpu_ticks "$xvfb_pid")
  ended=$(date +%s.%N)
  elapsed=$(awk -v a="$started" -v b="$ended" 'BEGIN { print b - a }')
  printf '| %-9s | %-5s | %6s %% | %6s %% | %7s KiB |\n' "$size" "$state" \
    "$(share $((game_after - game_before)) "$elapsed")" \
    "$(share $((xvfb_after - xvfb_before)) "$elapsed")" "$(resident_kib "$game_pid")"
}

echo "game: $game, ${seconds} s per state, load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "| screen    | state | game     | X server | game VmRSS  |"
echo "|-----------|-------|----------|----------|-------------|"
for size in "${sizes[@]}"; do
  start_screen "$size"
  start_game
  park_pointer
  measure cvc "$size"
  click 50 80    # Play dialog
  click 338 322  # its starting choice is White human, Black computer: Play
  park_pointer
  measure human "$size"
  click 50 40    # Quit dialog
  park_pointer
  measure quit "$size"
  click 347 283  # No
  click 50 120   # Save dialog
  park_pointer
  measure save "$size"
  xlogo -geometry 100x100+0+0 &
  other_pid=$!
  other=""
  for _ in $(seq 50); do
    other=$(xdotool search --class xlogo 2>/dev/null | head -n 1 || true)
    [[ -n "$other" ]] && break
    sleep 0.1
  done
  [[ -n "$other" ]] || { echo "xlogo did not open" >&2; exit 1; }
  xdotool windowmap --sync "$other" windowraise "$other" windowfocus --sync "$other"
  sleep 1
  measure away "$size"
  stop_all
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
