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
