#!/usr/bin/env bash
# Runs the Windows build under Wine on a private virtual X screen:
#   1. kestrion-platform-check.exe: every platform operation against what the game relies on;
#   2. kestrion.exe as a player meets it: it starts full screen at 640x480x16 and shows the
#      board, a click on the Quit button opens the Quit dialog, F12 ends it with exit code 0;
#   3. kestrion-engine.exe as a chess program meets it: UCI through pipes, with a search on
#      its own thread that answers isready while thinking and stops on stop;
#   4. kestrion.exe given a saved game whose name has letters outside the narrow code page:
#      it starts from that game's position.
# Usage: tests/windows/wine_smoke.sh <windows build directory> [screenshot.png]
# The screen is compared with the sheet files in resources/ (or in $KESTRION_SHEETS), which
# must be the ones the program was built with.
# Wine's files live in <build>/wine-prefix; the first run creates them (about 15 s).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: $0 <windows build directory> [screenshot.png]}" && pwd)
work=$build/wine-smoke
shot=${2:-$work/board.png}
sheets=${KESTRION_SHEETS:-$root/resources}

for tool in wine wineserver Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "wine_smoke: $tool is missing (tools/deps.sh test)" >&2; exit 1; }
done
source "$root/tests/screen_points.sh"
source "$root/tests/windows/wine_desktop.sh"
for exe in kestrion.exe kestrion-platform-check.exe; do
  [[ -f $build/$exe ]] || { echo "wine_smoke: $build/$exe is not built" >&2; exit 1; }
done

rm -rf "$work"
mkdir -p "$work/run"
export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

start_wine_screen "$work"

use_game_desktop "$work/reg.log"

echo "-- platform check"
timeout 60 wine "$build/kestrion-platform-check.exe" "$(winepath -w "$sheets")"

echo "-- command line"
# What a player types at a prompt: answers on the console streams, no window.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
answer=$(timeout 60 wine "$build/kestrion.exe" --version | tr -d '\r')
[[ $answer == "Kestrion $version" ]] ||
  { echo "wine_smoke: --version answered '$answer', not 'Kestrion $version'" >&2; exit 1; }
status=0
timeout 60 wine "$build/kestrion.exe" --sideways >"$work/usage.out" 2>"$work/usage.err" || status=$?
[[ $status -eq 2 && ! -s $work/usage.out ]] && grep -q '^Usage: kestrion' "$work/usage.err" ||
  { echo "wine_smoke: an unknown option gave exit $status and:" >&2; cat "$work/usage.err" >&2; exit 1; }
echo "$answer; an unknown option: the usage on stderr, exit 2"

echo "-- the UCI engine"
engine=$build/tools/engine/kestrion-engine.exe
[[ -f $engine ]] || { echo "wine_smoke: $engine is not built" >&2; exit 1; }
status=0
{ printf 'uci\nposition startpos moves e2e4\ngo infinite\n'; sleep 2; printf 'isready\n'; sleep 1
  printf 'stop\nposition fen 8/8/8 w - - 0 1\ngo depth 3\nquit\n'; } |
  timeout 60 wine "$engine" 2>"$work/engine.err" | tr -d '\r' >"$work/engine.out" || status=$?
engine_fail() {
  echo "wine_smoke: kestrion-engine.exe $* (exit $status):" >&2
  cat "$work/engine.out" "$work/engine.err" >&2
  exit 1
}
[[ $status -eq 0 ]] || engine_fail "did not end well"
grep -q "^id name Kestrion $version\$" "$work/engine.out" && grep -q '^uciok$' "$work/engine.out" ||
  engine_fail "did not answer uci"
# readyok comes while the infinite search still thinks, so before its bestmove.
[[ $(grep -n -m1 '^readyok$' "$work/engine.out" | cut -d: -f1) -lt \
   $(grep -n -m1 '^bestmove' "$work/engine.out" | cut -d: -f1) ]] ||
  engine_fail "did not answer isready during the search"
grep -q '^info depth .* pv ' "$work/engine.out" || engine_fail "reported no search"
grep -q '^info string refused position fen' "$work/engine.out" || engine_fail "took a broken FEN"
[[ $(grep -c '^bestmove [a-h][1-8][a-h][1-8]' "$work/engine.out") -eq 2 ]] ||
  engine_fail "did not answer both searches with a move"
echo "kestrion-engine.exe: UCI answered, searched on its own thread, stopped on stop"

echo "-- saved games of a user named outside the narrow code page"
# Wine names the profile folder after the Unix user; these letters are outside the narrow
# code page here, so only a wide-character reading of %APPDATA% finds the folder.
(
  name='Łukasz 日本'
  export WINEPREFIX=$build/wine-prefix-unicode USER=$name LOGNAME=$name
  data=$WINEPREFIX/drive_c/users/$name/AppData/Roaming/Kestrion
  rm -rf "$data"
  wine cmd /c exit >/dev/null 2>&1 || true
  wineserver -w
  cd "$work/run"
  wine "$build/kestrion.exe" --user-data >"$work/unicode.log" 2>&1 &
  for _ in $(seq 100); do [[ -d $data ]] && break; sleep 0.2; done
  wineserver -k 2>/dev/null || true
  wait 2>/dev/null || true
  [[ -d $data ]] && ! grep -q 'cannot keep saved games' "$work/unicode.log" ||
    { echo "wine_smoke: --user-data did not make $data:" >&2; cat "$work/unicode.log" >&2; exit 1; }
  echo "made $data"
)

# The foot of every piece of the opening position (ranks 8, 7, 2 and 1 on screen).
pieces=()
for r in 0 1 6 7; do for c in 0 1 2 3 4 5 6 7; do
  pieces+=("$((145 + 50 * c)),$((50 * r + 70))")
done; done
# A grid over the 320x240 dialog picture.
dialog_points=()
for y in $(seq 10 20 230); do for x in $(seq 10 20 310); do dialog_points+=("$x,$y"); done; done

echo "-- game"
cd "$work/run"  # saved games would land here; no loose sheets, so the resources are used
started=$(date +%s%N)
wine "$build/kestrion.exe" >"$work/game.log" 2>&1 &
game=$!

# Wait for the first frames: the screen agrees with the background sheet on the board.
xdotool mousemove 600 460
board=""
for _ in $(seq 60); do
  sleep 0.5
  if ! kill -0 "$game" 2>/dev/null; then
    echo "wine_smoke: the game ended early:" >&2; cat "$work/game.log" >&2; exit 1
  fi
  import -window root "$shot" 2>/dev/null || continue
  board=$(agreeing_points "$shot" "$sheets/back.bmp" 0 "${board_squares[@]}")
  (( ${board%% *} >= 56 )) && break
done
echo "board shown after $(( ($(date +%s%N) - started) / 1000000 )) ms:" \
  "$board board squares agree with back.bmp"
(( ${board%% *} >= 56 )) || { echo "wine_smoke: no board on the screen ($shot)" >&2; exit 1; }
covered=$(agreeing_points "$shot" "$sheets/back.bmp" 0 "${pieces[@]}")
echo "pieces: ${covered%% of*} of 32 piece feet show the background"
(( ${covered%% *} <= 12 )) || { echo "wine_smoke: the pieces are missing ($shot)" >&2; exit 1; }

# A click on the Quit button opens the Quit dialog. The button is held long enough for the
# press and the release to reach different frames even while Wine is still warming up (a
# press and release within one frame are not seen); a click outside the open dialog's own
# buttons does nothing, so a missed click is simply tried again.
dialog_open() {
  read -r agreeing _ compared <<<"$quit_dialog"
  (( compared > 0 && agreeing * 4 >= compared * 3 ))
}
quit_dialog="0 of 0"
for attempt in 1 2 3; do
  xdotool mousemove 50 40
  sleep 0.2
  xdotool mousedown 1
  sleep 0.8
  xdotool mouseup 1
  sleep 0.3
  xdotool mousemove 600 460
  for _ in $(seq 10); do
    sleep 0.3
    import -window root "$work/dialog.png" 2>/dev/null || continue
    convert "$work/dialog.png" -crop 320x240+160+120 +repage "$work/dialog-area.png"
    quit_dialog=$(agreeing_points "$work/dialog-area.png" "$sheets/dlgquit.bmp" 1 "${dialog_points[@]}")
    dialog_open && break 2
  done
done
echo "quit dialog after $attempt click(s): $quit_dialog points agree with dlgquit.bmp"
dialog_open ||
  { echo "wine_smoke: the click did not open the Quit dialog ($work/dialog.png)" >&2; exit 1; }

# F12 ends the program from any screen, with exit code 0.
xdotool key F12
status=0
for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game" 2>/dev/null && { echo "wine_smoke: F12 did not end the game" >&2; exit 1; }
wait "$game" || status=$?
game=""
echo "exit code after F12: $status"
[[ $status -eq 0 ]] || { cat "$work/game.log" >&2; exit 1; }
echo "-- a game file named in letters outside the narrow code page"
# The file argument is read from the wide command line and the file opened by its wide name;
# the game starts at the position after the file's last move: 1. e4 e5 2. Nf3.
opened=$work/opened
mkdir -p "$opened"
name='Partie Ölçü-Łódź.pgn'
printf '[Event "?"]\n\n1. e4 e5 2. Nf3 *\n' >"$opened/$name"
xdotool mousemove 600 460
wine "$build/kestrion.exe" "$(winepath -w "$opened/$name")" >"$work/opened.log" 2>&1 &
game=$!
# Feet of e7 and g1, which the moves left, and of e5 and f3, where they went (e2's foot is
# hidden by the king standing in front of it).
left=(345,120 445,420)
reached=(345,220 395,320)
moved=""
for _ in $(seq 60); do
  sleep 0.5
  kill -0 "$game" 2>/dev/null || break
  grep -q 'cannot be opened' "$work/opened.log" && break
  import -window root "$work/opened.png" 2>/dev/null || continue
  board=$(agreeing_points "$work/opened.png" "$sheets/back.bmp" 0 "${board_squares[@]}")
  (( ${board%% *} >= 56 )) || continue
  moved="$(agreeing_points "$work/opened.png" "$sheets/back.bmp" 0 "${left[@]}") empty, "
  moved+="$(agreeing_points "$work/opened.png" "$sheets/back.bmp" 0 "${reached[@]}") empty"
  [[ $moved == "2 of 2 empty, 0 of 2 empty" ]] && break
done
echo "after opening '$name': squares left $moved"
[[ $moved == "2 of 2 empty, 0 of 2 empty" ]] ||
  { echo "wine_smoke: the game did not start from $name ($work/opened.png):" >&2
    cat "$work/opened.log" >&2; exit 1; }
xdotool key F12
for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
wait "$game" || { echo "wine_smoke: the game from $name did not end well" >&2; exit 1; }
game=""

echo "wine_smoke: passed"
