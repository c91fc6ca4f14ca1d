#!/usr/bin/env bash
# Replays the recorded game bench/timedemo.txt headless, as fast as the machine goes, and prints
# the frame statistics. Give other executables to compare them in one sitting (the same game
# is replayed by each, one after the other).
#
#   bench/timedemo.sh [MORAVIN...]      default: build/moravin
set -eu
here=$(cd "$(dirname "$0")" && pwd)
demo=$here/timedemo.txt
# The seed and the frame count the recording names in its first and last lines.
seed=$(sed -n '1s/.*--seed \([0-9]*\).*/\1/p' "$demo")
frames=$(sed -n 's/^# \([0-9]*\) frames ran.*/\1/p' "$demo")
[ $# -gt 0 ] || set -- "$here/../build/moravin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for game in "$@"; do
  rm -rf "$work/save"
  mkdir "$work/save"
  echo "== $game"
  "$game" --headless --fps 0 --seed "$seed" --frames "$frames" --input "$demo" \
    --save-dir "$work/save" --stats "$work/stats.json" 2>&1 >/dev/null | grep -v '^moravin: '
done
