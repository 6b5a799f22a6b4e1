#!/usr/bin/env bash
# Runs the PGN reader's fuzzer for a while (default ten minutes) on the sanitizer build made
# by tools/test.sh (build/asan), on a scratch copy of its corpus.
# Usage: tools/fuzz_pgn.sh [seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
fuzzer=$root/build/asan/tests/game/fuzz/kestrion_pgn_fuzzer
[[ -x $fuzzer ]] || { echo "no $fuzzer: run tools/test.sh (or build build/asan) first" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -R "$root/tests/game/fuzz/pgn_corpus" "$work/corpus"
"$fuzzer" -max_total_time="$seconds" -timeout=25 -max_len=4096 -print_final_stats=1 "$work/corpus"
