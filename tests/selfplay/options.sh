#!/usr/bin/env bash
# The self-play tool's options at their edges: a seed outside 0..4294967295 and a number too
# large for 64 bits are refused; a huge number of games is played one after another (each
# printed as it ends) instead of failing to make room for all; --from refuses what is not a
# saved game and plays from one that is.
# Usage: options.sh <path to kestrion-selfplay>
set -uo pipefail

tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
  echo "FAILED: $*" >&2
  failed=1
}

# refused <what> <args...>: the tool must end with 2, print no game and say why.
refused() {
  local what=$1
  shift
  timeout 20 "$tool" "$@" >"$work/out" 2>"$work/err"
  local status=$?
  [[ $status -eq 2 ]] || fail "$what: ended with $status, not 2"
  [[ ! -s $work/out ]] || fail "$what: played: $(head -c 200 "$work/out")"
  grep -q 'bad option or value' "$work/err" || fail "$what: no reason given"
}
refused "a seed of 2^32" --seed 4294967296 --max-plies 2
refused "a negative seed" --seed -1 --max-plies 2
refused "a game count past 64 bits" --games 18446744073709551616 --max-plies 0
refused "a ply limit with letters after it" --max-plies 4x

out=$(timeout 20 "$tool" --seed 4294967295 --max-plies 2) || fail "the largest seed was refused"
[[ $out == "game 1: "*" after 2 plies" ]] || fail "the largest seed played '$out'"

# 2^32 + 1 games of no moves each: the first lines come at once, and nothing fails for room.
timeout 20 "$tool" --games 4294967297 --max-plies 0 2>"$work/err" | head -n 3 >"$work/out"
[[ $(sed -n 3p "$work/out") == "game 3:  | ply limit after 0 plies" ]] ||
  fail "a huge number of games printed: $(cat "$work/out") $(cat "$work/err")"
[[ ! -s $work/err ]] || fail "a huge number of games: $(cat "$work/err")"

# --from: a folder, an empty file and a file of other text are not saved games.
mkdir "$work/folder.chs"
: >"$work/empty.chs"
printf 'WhoseTurn = Black\r\nnot a saved game\r\n' >"$work/junk.chs"
for from in folder.chs empty.chs junk.chs missing.chs; do
  timeout 20 "$tool" --seed 1 --max-plies 2 --from "$work/$from" >"$work/out" 2>"$work/err"
  status=$?
  [[ $status -ne 0 ]] || fail "--from $from was played"
  [[ ! -s $work/out ]] || fail "--from $from printed a game: $(cat "$work/out")"
  grep -q "is not a saved game" "$work/err" || fail "--from $from gave no reason: $(cat "$work/err")"
done
# A saved game of two kings and a pawn, Black to move: the first move is the black king's
# (d8) or the black pawn's (h4), which no game from the start could play.
{
  printf 'Kestrion SaveGame file\r\nWritten by hand\r\n\r\nWhoseTurn = Black\r\n'
  printf 'WhiteType = Human\r\nBlackType = Human\r\n'
  rows=(....K... ........ ........ .......p ........ ........ ........ ...k....)
  for rank in 1 2 3 4 5 6 7 8; do printf '\r\nBoardRow%s = %s' "$rank" "${rows[rank - 1]}"; done
} >"$work/black.chs"
out=$(timeout 20 "$tool" --seed 1 --max-plies 1 --from "$work/black.chs") ||
  fail "a saved game was refused"
[[ $out =~ ^game\ 1:\ (d8|h4)[a-h][1-8]\ \|\ ply\ limit ]] ||
  fail "the saved game with Black to move played '$out'"

[[ $failed -eq 0 ]] && echo "passed: seeds, counts and saved games given to the self-play tool"
exit $failed
