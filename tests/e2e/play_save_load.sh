#!/usr/bin/env bash
# Plays the real program as a player would, on a virtual X screen: starts White human
# against Black computer from the Play dialog, moves the e-pawn e7e5 with two presses,
# waits for the computer's reply, saves under a typed name, starts a fresh game, loads the
# saved one back, checks the board on screenshots and in the file, and quits with F12.
# Usage: play_save_load.sh <path to kestrion>. Exit 77 = skipped (tools missing).
set -euo pipefail

game=$(realpath "$1")
source "$(dirname "$0")/game_session.sh"
start_session Xvfb xdotool import compare convert
# Full screen: the game starts as a player first meets it.
start_game_window

# The top ten rows of a square: only the piece standing on it reaches there.
square_top() { crop "$1" $((120 + 50 * $2 + 5)) $((40 + 50 * $3)) 40 10 "$4"; }

# Play dialog: White human, Black computer (its starting choice), Play.
click 50 80
click 338 322
park_pointer
shot opening.png
crop opening.png 540 40 99 39 turn_white.png

# e7e5: column 4, rows 6 and 4.
click 345 365
click 345 265
park_pointer

# The computer's reply: the turn panel reads White Turn again once it has landed.
sleep 1
replied=""
for _ in $(seq 60); do
  shot now.png
  crop now.png 540 40 99 39 turn_now.png
  if below "$(difference turn_now.png turn_white.png)" 0.02; then replied=yes; break; fi
  sleep 0.25
done
[[ -n "$replied" ]] || fail "the computer did not reply"

# Save under a typed name (Shift for the capital), with the pointer over the window so the
# keys reach it.
click 50 120
xdotool mousemove "$(screen_x 320)" "$(screen_y 240)"
xdotool type --delay 120 "Kingpawn"
sleep 0.3
click 307 325
[[ -f Kingpawn.chs ]] || fail "no saved game Kingpawn.chs: $(ls)"

# A fresh game puts the pawn back, then the Load dialog brings the saved game.
click 50 80
click 338 322
park_pointer
shot fresh.png
click 50 160
click 300 194
click 307 325
park_pointer
shot loaded.png

square_top opening.png 4 6 pawn_at_start.png  # e7 with its pawn
square_top opening.png 4 4 empty_at_start.png  # e5, empty, same colour
square_top fresh.png 4 4 e5_fresh.png
square_top loaded.png 4 4 e5_loaded.png
square_top loaded.png 4 6 e7_loaded.png
contrast=$(difference pawn_at_start.png empty_at_start.png)
fresh=$(difference e5_fresh.png empty_at_start.png)
pawn=$(difference e5_loaded.png pawn_at_start.png)
emptied=$(difference e7_loaded.png empty_at_start.png)
echo "differences: pawn/empty $contrast, fresh e5 $fresh, loaded e5 $pawn, loaded e7 $emptied"
below 0.05 "$contrast" || fail "a pawn and an empty square look alike"
below "$fresh" 0.02 || fail "the fresh game is not fresh"
below "$pawn" 0.02 || fail "no white pawn on e5 after loading"
below "$emptied" 0.02 || fail "e7 is not empty after loading"

# F12 ends the program with exit code 0.
xdotool mousemove "$(screen_x 320)" "$(screen_y 240)"
xdotool key F12
wait_for_exit "$game_pid" || fail "F12 did not end the game"
game_pid=""
[[ $exit_status -eq 0 ]] || fail "the game ended with exit code $exit_status"

tr -d '\r' <Kingpawn.chs >saved.txt
grep -qx 'BoardRow5 = ....P...' saved.txt || fail "the file has no white pawn on e5: $(cat saved.txt)"
grep -qx 'BoardRow7 = PPPP.PPP' saved.txt || fail "the file still has a pawn on e7"
grep -qx 'WhoseTurn = White' saved.txt || fail "the file is not at White's turn"
grep -qx 'BlackType = Computer' saved.txt || fail "the file lost the computer player"
echo "passed: moved, saved, loaded and quit with exit code 0"
