#!/usr/bin/env bash
# Reads the counts that the end-to-end runs of the program left in their check mode
# (KESTRION_STILL_CHECK): every frame the frame loop did not draw was drawn all the same and
# compared with the one on the screen. Fails when any differed. Exit 77 = skipped: no run
# wrote counts (the end-to-end runs were skipped for want of their tools).
# Usage: still_frames_check.sh <counts file>
set -euo pipefail
counts=${1:?usage: $0 <counts file>}
[[ -s "$counts" ]] || { echo "skipped: no program run wrote its counts to $counts"; exit 77; }
awk '
  /^still frames compared [0-9]+ differing [0-9]+$/ { runs++; compared += $4; differing += $6; next }
  { bad++ }
  END {
    printf "%d runs, %d skipped frames compared, %d differing\n", runs, compared, differing
    if (bad > 0) { print "FAILED: lines the check mode does not write" > "/dev/stderr"; exit 1 }
    if (differing > 0) { print "FAILED: a skipped frame differed from the shown one" > "/dev/stderr"; exit 1 }
  }' "$counts"
