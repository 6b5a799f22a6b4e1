#!/usr/bin/env bash
# Plays Standard chess with the real program by mouse on a virtual X screen: chooses Standard
# rules and two humans in the Play dialog, castles on both wings, captures in passing,
# promotes to a knight in the picker, takes a move back and plays it again, saves as PGN,
# loads it back into a fresh game and compares; then a draw by repetition in the status
# panel; then a game against Master during which the pointer keeps moving and F12 ends the
# program at once.
# Usage: standard_game.sh <path to kestrion> [folder for the screenshots]
# Exit 77 = skipped (tools missing).
set -euo pipefail

game=$(realpath "$1")
keep=${2:-}
root=$(cd "$(dirname "$0")/../.." && pwd)
# Shorter clicks than the sanitizer build needs: this runs on the optimised build only.
click_before=0.08
click_hold=0.15
click_after=0.2
source "$(dirname "$0")/game_session.sh"
start_session Xvfb xdotool import compare convert
start_game() { start_game_window --window; }
keep_shot() { [[ -n $keep ]] && cp "$1" "$keep/$2" || true; }

# A square's centre from its Standard name: White's first rank is the bottom row.
square_x() { echo $((120 + 50 * ($(printf '%d' "'$1") - 97) + 25)); }
square_y() { echo $((40 + 50 * (8 - $1) + 25)); }
# The turn panel's pictures, rows of the status sheet: the game over, White's turn, Black's
# turn, the computer thinking.
for row in 0 1 2 3; do
  convert "$root/resources/status.bmp" -crop "99x39+0+$((40 * row))" +repage "turn_$row.png"
done
# Waits until the turn panel shows that row's picture. The panel is blank while a piece
# glides and shows whose turn it is once the move has landed, so this also waits out glides.
wait_turn() {
  local panel=none panel_size
  # Only the panel is taken from the screen: a whole screenshot takes longer than a frame.
  panel_size="$(($(screen_x 639) - $(screen_x 540)))x$(($(screen_y 79) - $(screen_y 40)))"
  for _ in $(seq 40); do
    import -window root -crop "${panel_size}+$(screen_x 540)+$(screen_y 40)" turn_now.png
    convert turn_now.png -resize 99x39\! turn_small.png
    panel=$(difference turn_small.png "turn_$1.png")
    below "$panel" 0.08 && return 0
    sleep 0.05
  done
  fail "the turn panel did not come to row $1 of the status sheet ($panel)"
}
# A move by two presses, then its glide waited out: the turn panel shows the other side's
# turn (or, given, another row) once the piece has landed, and presses during a glide are
# not taken. The side to move is kept in $turn.
turn=1
move() {
  click "$(square_x "${1:0:1}")" "$(square_y "${1:1:1}")"
  click "$(square_x "${1:2:1}")" "$(square_y "${1:3:1}")"
  turn=$((3 - turn))
  wait_turn "${2:-$turn}"
}
# The picture of the board and its frame.
board_of() { crop "$1" 100 20 440 440 "$2"; }

start_game

# Play dialog: Standard rules, Black played by a human too.
click 50 80
click 400 288   # Rules: Classic -> Standard
click 400 253   # Black player: computer -> human
park_pointer
shot dialog.png
keep_shot dialog.png play-dialog-standard.png
click 338 322   # Play
wait_turn 1

# 1. e4 d5 2. exd5 c5 3. dxc6 e.p. Nf6 4. cxb7 e6 5. bxc8=N Be7 6. Nc3 O-O 7. d4 a6
# 8. Bf4 a5 9. Qe2 a4 10. O-O-O
for m in e2e4 d7d5 e4d5 c7c5 d5c6; do move "$m"; done
shot passant.png
crop passant.png 270 240 50 50 c5_square.png      # c5 (screen c4): the taken pawn is gone
crop passant.png 120 390 50 50 a1_square.png      # a1 (a light... any empty square of the colour)
for m in g8f6 c6b7 e7e6; do move "$m"; done
# b7xc8: the picker appears; the knight is its fourth cell.
click "$(square_x b)" "$(square_y 7)"
click "$(square_x c)" "$(square_y 8)"
park_pointer
shot picker.png
keep_shot picker.png promotion-picker.png
click 395 242
turn=2
wait_turn 2
for m in f8e7 b1c3 e8g8 d2d4 a7a6 c1f4 a6a5 d1e2 a5a4 e1c1; do move "$m"; done
park_pointer
shot castled.png
keep_shot castled.png castled-both-wings.png
board_of castled.png board_castled.png

# Take the long castling back with the Undo button, then play it again.
click 50 420
turn=1
wait_turn 1
park_pointer
shot undone.png
keep_shot undone.png take-back-control.png
board_of undone.png board_undone.png
changed=$(difference board_undone.png board_castled.png)
below 0.005 "$changed" || fail "the take-back changed nothing on the board ($changed)"
move e1c1
park_pointer
shot again.png
board_of again.png board_again.png
same=$(difference board_again.png board_castled.png)
below "$same" 0.01 || fail "the castling played again does not look the same ($same)"

# Save as PGN, under a typed name.
click 50 120
xdotool mousemove "$(screen_x 320)" "$(screen_y 240)"
xdotool type --delay 120 "stdgame"
sleep 0.3
click 307 325
[[ -f stdgame.pgn ]] || fail "no stdgame.pgn: $(ls)"
for san in "3. dxc6" "5. bxc8=N" "6. Nc3 O-O" "10. O-O-O"; do
  grep -q -- "$san" stdgame.pgn || fail "the saved game lacks '$san': $(cat stdgame.pgn)"
done

# A fresh game (the dialog offers Standard, two humans again), then Load brings it back.
click 50 80
click 338 322
turn=1
wait_turn 1
park_pointer
shot fresh.png
board_of fresh.png board_fresh.png
click 50 160
click 300 194   # the first row: the only saved game
click 307 325
turn=2
wait_turn 2
park_pointer
shot loaded.png
keep_shot loaded.png loaded-pgn.png
board_of loaded.png board_loaded.png
fresh=$(difference board_fresh.png board_castled.png)
loaded=$(difference board_loaded.png board_castled.png)
echo "differences from the castled board: fresh $fresh, loaded $loaded"
below 0.005 "$fresh" || fail "the fresh game looks like the saved one"
below "$loaded" 0.01 || fail "the loaded game does not show the saved position"
# Its moves came back too: one take-back shows the position before the long castling.
click 50 420
turn=1
wait_turn 1
park_pointer
shot loaded_undone.png
board_of loaded_undone.png board_loaded_undone.png
undone=$(difference board_loaded_undone.png board_undone.png)
below "$undone" 0.01 || fail "the loaded game's last move cannot be taken back ($undone)"

# A draw by repetition: knights out and back twice from a fresh game.
click 50 80
click 338 322
turn=1
for m in g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1; do move "$m"; done
move f6g8 0   # the third time the position stands: the game is over
park_pointer
shot repetition.png
keep_shot repetition.png draw-repetition.png
crop repetition.png 540 120 99 39 position_panel.png
convert "$root/resources/draws.bmp" -crop 99x39+100+0 +repage repeated_sheet.png
convert position_panel.png -resize 99x39\! position_small.png
drawn=$(difference position_small.png repeated_sheet.png)
echo "position panel against the repetition picture: $drawn"
below "$drawn" 0.08 || fail "no draw by repetition in the status panel ($drawn)"

# Against Master: Black played by the computer at the top level.
click 50 80
click 400 253   # Black player: human -> computer
for _ in 1 2 3 4; do click 486 253; done   # Classic -> Beginner -> Casual -> Club -> Master
shot master_dialog.png
keep_shot master_dialog.png play-dialog-master.png
click 338 322
turn=1
move e2e4 3   # Master thinks
# While it thinks the pointer moves: it is drawn by the game in every frame.
xdotool mousemove "$(screen_x 200)" "$(screen_y 300)"
sleep 0.3
shot pointer_a.png
xdotool mousemove "$(screen_x 420)" "$(screen_y 120)"
sleep 0.3
shot pointer_b.png
crop pointer_a.png 200 300 16 16 at_a_first.png
crop pointer_b.png 200 300 16 16 at_a_second.png
moved=$(difference at_a_first.png at_a_second.png)
echo "pointer moved while Master thinks: $moved"
below 0.05 "$moved" || fail "the pointer did not move on the screen while Master thought"
started=$(date +%s%N)
xdotool key F12
wait_for_exit "$game_pid" || fail "F12 did not end the game while Master thought"
game_pid=""
ended=$(( ($(date +%s%N) - started) / 1000000 ))
echo "F12 ended the game in $ended ms"
(( ended < 2000 )) || fail "F12 took $ended ms"
[[ $exit_status -eq 0 ]] || fail "the game ended with exit code $exit_status"
echo "passed: castled both ways, in passing, knight promotion, take-back, PGN saved and loaded, repetition, Master with a live pointer"
