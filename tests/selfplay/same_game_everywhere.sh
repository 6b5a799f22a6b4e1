#!/usr/bin/env bash
# Plays the same seeded games with several builds of kestrion-selfplay and fails, showing the
# difference, unless all of them print the same bytes: a seed names one game on every
# compiler, C library and platform.
# Usage: tests/selfplay/same_game_everywhere.sh COMMAND...
#   Each COMMAND is one argument: a command line, run by bash, that starts one build of the
#   tool; the self-play options are added after it. For example
#     build/release/tools/selfplay/kestrion-selfplay
#     "wine build/windows/tools/selfplay/kestrion-selfplay.exe"
#     "node build/wasm/tools/selfplay/kestrion-selfplay.js"
# The games are the Classic player's "--games 20 --seed 7", then each engine level in games of
# the game's rules against the level below it (Beginner against Classic) and two levels under
# the rules of chess, kept short so that the slow builds play them in seconds: Master's
# moves, about a second each natively, take several times that under the sanitizers.
# KESTRION_SELFPLAY_OPTIONS, when set, gives the one set of options to play instead.
# Every output is compared with the first command's; the md5 of the shared output is printed.
set -euo pipefail
[[ $# -ge 1 ]] || { echo "usage: $0 COMMAND..." >&2; exit 2; }
if [[ -n ${KESTRION_SELFPLAY_OPTIONS:-} ]]; then
  option_sets=("$KESTRION_SELFPLAY_OPTIONS")
else
  option_sets=(
    "--games 20 --seed 7"
    "--white beginner --black classic --games 2 --seed 11"
    "--white casual --black beginner --games 1 --seed 12 --max-plies 40"
    "--white club --black casual --games 1 --seed 13 --max-plies 12"
    "--white club --black master --games 1 --seed 14 --max-plies 2"
    "--rules standard --white casual --black club --games 1 --seed 15 --max-plies 12"
  )
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for set_text in "${option_sets[@]}"; do
  read -r -a options <<<"$set_text"
  number=0
  for command in "$@"; do
    number=$((number + 1))
    out=$work/$number.out
    # The options go in as separate words after whatever the command line says.
    if ! bash -c "$command \"\$@\"" selfplay "${options[@]}" >"$out" 2>"$work/$number.err"; then
      echo "same_game_everywhere: '$command' failed with ${options[*]}:" >&2
      cat "$work/$number.err" >&2
      exit 1
    fi
    [[ -s $out ]] || { echo "same_game_everywhere: '$command' printed nothing" >&2; exit 1; }
    echo "$(md5sum <"$out" | cut -d' ' -f1)  $command"
    if [[ $number -gt 1 ]] && ! cmp -s "$work/1.out" "$out"; then
      echo "same_game_everywhere: '$command' played otherwise than '$1' (${options[*]}):" >&2
      diff -u --label "$1" --label "$command" "$work/1.out" "$out" >&2 || true
      exit 1
    fi
  done
  echo "same_game_everywhere: $number builds played the same games (${options[*]})"
done
