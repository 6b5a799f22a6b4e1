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
# The options are "--games 20 --seed 7" unless KESTRION_SELFPLAY_OPTIONS gives others.
# Every output is compared with the first command's; the md5 of the shared output is printed.
set -euo pipefail
[[ $# -ge 1 ]] || { echo "usage: $0 COMMAND..." >&2; exit 2; }
read -r -a options <<<"${KESTRION_SELFPLAY_OPTIONS:---games 20 --seed 7}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

number=0
for command in "$@"; do
  number=$((number + 1))
  out=$work/$number.out
  # The options go in as separate words after whatever the command line says.
  if ! bash -c "$command \"\$@\"" selfplay "${options[@]}" >"$out" 2>"$work/$number.err"; then
    echo "same_game_everywhere: '$command' failed:" >&2
    cat "$work/$number.err" >&2
    exit 1
  fi
  [[ -s $out ]] || { echo "same_game_everywhere: '$command' printed nothing" >&2; exit 1; }
  echo "$(md5sum <"$out" | cut -d' ' -f1)  $command"
  if [[ $number -gt 1 ]] && ! cmp -s "$work/1.out" "$out"; then
    echo "same_game_everywhere: '$command' played otherwise than '$1':" >&2
    diff -u --label "$1" --label "$command" "$work/1.out" "$out" >&2 || true
    exit 1
  fi
done
echo "same_game_everywhere: $number builds played the same games (${options[*]})"
