# Sourced by the end-to-end scripts that play the real program by mouse on a virtual X
# screen. After `start_session <tools...>` the current directory is a scratch folder ($work),
# removed on exit with the game ($game_pid) and the screen stopped; fail() says why, shows
# the game's output and keeps the screenshots (and any saved PGN) for a look.
# start_game_window [options...] starts $game there and finds where its 640x480 picture sits;
# the helpers below take the picture's own coordinates.
source "$(dirname "${BASH_SOURCE[0]}")/../x_screen.sh"

# How long a click holds the button and waits around it, in seconds. The game judges the
# button once per frame, so a press and its release within one frame would go unseen; the
# sanitizer build's frames are slow, and these margins are for it.
click_before=${click_before:-0.15}
click_hold=${click_hold:-0.3}
click_after=${click_after:-0.4}

start_session() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
  done
  work=$(mktemp -d)
  xvfb_pid=""
  game_pid=""
  trap session_cleanup EXIT
  trap 'echo "FAILED: unexpected error at line $LINENO" >&2' ERR
  cd "$work"
  start_x_screen "$work" || fail "no virtual X screen could be started"
  xvfb_pid=$x_screen_pid
}

session_cleanup() {
  [[ -n "$game_pid" ]] && kill "$game_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}

fail() {
  echo "FAILED: $*" >&2
  [[ -f $work/game.log ]] && { echo "--- game output:" >&2; cat "$work/game.log" >&2; }
  local kept
  kept=$(mktemp -d "${TMPDIR:-/tmp}/kestrion-e2e-failure.XXXXXX")
  cp "$work"/*.png "$work"/*.pgn "$kept"/ 2>/dev/null || true
  echo "screenshots kept in $kept" >&2
  exit 1
}

# A configuration folder of its own, so the screen the player chose last time on this machine
# cannot change what is tested.
start_game_window() {
  XDG_CONFIG_HOME="$work/config" "$game" "$@" >game.log 2>&1 &
  game_pid=$!
  wait_for_game_window "$game_pid" || fail "no game window appeared"
  sleep 1
  place_picture "$window"
}

screen_x() { awk -v g="$1" -v s="$scale" -v o="$left" 'BEGIN { printf "%d", o + (g + 0.5) * s }'; }
screen_y() { awk -v g="$1" -v s="$scale" -v o="$top" 'BEGIN { printf "%d", o + (g + 0.5) * s }'; }

# A press held for several frames, then the release.
click() {
  xdotool mousemove "$(screen_x "$1")" "$(screen_y "$2")"
  sleep "$click_before"
  xdotool mousedown 1
  sleep "$click_hold"
  xdotool mouseup 1
  sleep "$click_after"
}
park_pointer() { xdotool mousemove "$(screen_x 600)" "$(screen_y 465)"; sleep 0.4; }
shot() { import -window root "$1"; }
# The crop of a game-pixel rectangle of a screenshot.
crop() {
  local x0 y0 x1 y1
  x0=$(screen_x "$2"); y0=$(screen_y "$3"); x1=$(screen_x $(($2 + $4))); y1=$(screen_y $(($3 + $5)))
  convert "$1" -crop "$((x1 - x0))x$((y1 - y0))+$x0+$y0" +repage "$6"
}
# Normalised root-mean-square difference of two equally sized pictures, 0 to 1.
difference() {
  { compare -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p'
}
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
