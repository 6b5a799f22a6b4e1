# Sourced by the Wine checks. use_game_desktop <log file>: gives the current WINEPREFIX a
# virtual desktop of the game's size, which lets the game change the display mode on any X
# screen and keeps its exit code, and waits until the running desktop (made before the
# setting) is gone, so that the next program starts a new one.
# The first start of a new prefix can refuse the change while Wine is still setting the prefix
# up, so each setting gets a second try, and a failure says what it was.
set_wine_key() {
  local log=$1 attempt
  shift
  for attempt in 1 2; do
    wine reg add "$@" /f >"$log" 2>&1 && return 0
    wineserver -w
  done
  echo "could not set $1 in the Wine registry:" >&2
  cat "$log" >&2
  exit 1
}

use_game_desktop() {
  set_wine_key "$1" 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
  set_wine_key "$1" 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 640x480
  wineserver -w
}

source "$(dirname "${BASH_SOURCE[0]}")/../x_screen.sh"

# start_wine_screen <folder>: a private X screen for Wine (its size does not matter, Wine's
# 640x480 desktop sits at its top left), with DISPLAY set to it. On exit the game (the pid in
# $game, if any), Wine and the screen are stopped.
start_wine_screen() {
  game=""
  wine_screen=""
  trap stop_wine_screen EXIT
  start_x_screen "$1" || exit 1
  wine_screen=$x_screen_pid
}

stop_wine_screen() {
  [[ -n ${game:-} ]] && kill "$game" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [[ -n ${wine_screen:-} ]] && kill "$wine_screen" 2>/dev/null || true
}
