#!/usr/bin/env bash
# kestrion-engine as a chess program meets it, through pipes: the handshake, a search that
# answers isready while it thinks and stops on stop, a game clock answered in time, a barrage
# of bad input each answered with an info string, and an end at quit and at the end of input.
# Usage: engine_process.sh <kestrion-engine> <expected version>
set -euo pipefail
engine=$1
version=$2
work=$(mktemp -d)
engine_pid=""
cleanup() {
  [[ -n $engine_pid ]] && kill "$engine_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  [[ -f $work/out ]] && { echo "--- engine output:" >&2; tail -n 30 "$work/out" >&2; }
  exit 1
}

[[ $("$engine" --version) == "Kestrion engine $version" ]] || fail "--version"
"$engine" --help | grep -q 'UCI' || fail "--help"
status=0
"$engine" --sideways 2>/dev/null || status=$?
[[ $status -eq 2 ]] || fail "an unknown option ended with $status, not 2"

# The engine reads a FIFO that this script writes, and writes a file this script reads.
mkfifo "$work/in"
"$engine" <"$work/in" >"$work/out" 2>"$work/err" &
engine_pid=$!
exec 3>"$work/in"
send() { printf '%s\n' "$@" >&3; }
# Waits up to $2 seconds for a line matching the pattern $1, after line $3 of the output.
wait_for() {
  local pattern=$1 seconds=$2 after=${3:-0}
  for _ in $(seq $((seconds * 20))); do
    tail -n +"$((after + 1))" "$work/out" | grep -q -- "$pattern" && return 0
    sleep 0.05
  done
  return 1
}
lines() { wc -l <"$work/out"; }

send uci
wait_for '^uciok$' 10 || fail "no uciok"
grep -q "^id name Kestrion $version$" "$work/out" || fail "no id name"
grep -q '^option name Hash type spin' "$work/out" || fail "no Hash option"
grep -q '^option name Level type combo default Full' "$work/out" || fail "no Level option"

echo "-- go infinite, isready while thinking, stop"
mark=$(lines)
send "position startpos moves e2e4 e7e5" "go infinite"
sleep 0.3
send isready
wait_for '^readyok$' 5 "$mark" || fail "isready was not answered during the search"
tail -n +"$((mark + 1))" "$work/out" | grep -q '^bestmove' && fail "an infinite search answered before stop"
wait_for '^info depth .* score .* nodes .* nps .* time .* pv ' 10 "$mark" || fail "no info lines"
send stop
wait_for '^bestmove [a-h][1-8][a-h][1-8]' 5 "$mark" || fail "stop brought no bestmove"

echo "-- a game clock: 10 s + 0.1 s"
mark=$(lines)
start=$(date +%s%N)
send "position startpos" "go wtime 10000 btime 10000 winc 100 binc 100"
wait_for '^bestmove [a-h][1-8][a-h][1-8]' 5 "$mark" || fail "no move within 5 s with 10 s on the clock"
took=$(( ($(date +%s%N) - start) / 1000000 ))
echo "answered in $took ms"

echo "-- bad input"
mark=$(lines)
send "position fen 8/8/8 w - - 0 1" "position startpos moves e2e5" "go depth x nodes 99999999999999999999999999 movetime 20" \
  "setoption name Level value Grandmaster" "setoption name Hash value -3" "frobnicate" \
  "$(head -c 3000 /dev/zero | tr '\0' 'q')" "isready"
wait_for '^readyok$' 10 "$mark" || fail "no readyok after the bad input"
wait_for '^bestmove' 10 "$mark" || fail "the go among the bad input gave no move"
for what in "refused position fen" "refused move 'e2e5'" "refused go depth" "out of range" \
            "refused setoption Level" "Hash '-3' is out of range" "unknown command: frobnicate" \
            "unknown command: qqqq"; do
  tail -n +"$((mark + 1))" "$work/out" | grep -q "^info string .*$what" || fail "no info string for: $what"
done
grep -qv '^\(id \|option \|uciok\|readyok\|info \|bestmove \)' "$work/out" &&
  fail "a line of no known kind: $(grep -v '^\(id \|option \|uciok\|readyok\|info \|bestmove \)' "$work/out" | head -n 1)"

echo "-- quit during a search"
send "go infinite"
sleep 0.2
send quit
for _ in $(seq 100); do kill -0 "$engine_pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$engine_pid" 2>/dev/null && fail "quit did not end the engine"
wait "$engine_pid" || fail "exit code $? after quit"
engine_pid=""
exec 3>&-
[[ -s $work/err ]] && fail "it wrote to standard error: $(head -n 3 "$work/err")"

echo "-- the end of input during a search"
status=0
{ printf 'position startpos\ngo infinite\n'; sleep 0.3; } | timeout 10 "$engine" >"$work/out" || status=$?
[[ $status -eq 0 ]] || fail "exit code $status at the end of input"
grep -q '^bestmove' "$work/out" || fail "no bestmove before ending at the end of input"
echo "engine_process: passed"
