#!/usr/bin/env bash
# A long unattended run under AddressSanitizer and UndefinedBehaviorSanitizer:
#   scripts/soak.sh FRAMES
# The sanitized build plays FRAMES frames by itself (--autoplay --headless --fps 0), one game
# after another, and every SOAK_TOUR_FRAMES frames (default 20000) also pauses a game, looks
# through the pause menu and the help, and visits the options at the next title. It reports
# the games that ended and the best distance, the resident memory at 10 % of the run and at its
# end, and every sanitizer report. The exit status is 0 only for a clean run that went the whole
# way: no crash, no report.
#
# SOAK_SEED (default 1) seeds the games; SOAK_BUILD (default build-sanitize) is the build tree;
# SOAK_KEEP names a folder that receives the run's stderr and memory samples when it ends.
set -euo pipefail
cd "$(dirname "$0")/.."

frames="${1:-}"
if [[ ! "$frames" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/soak.sh FRAMES" >&2
  exit 2
fi
seed="${SOAK_SEED:-1}"
tour="${SOAK_TOUR_FRAMES:-20000}"
build="${SOAK_BUILD:-build-sanitize}"

cmake --preset sanitize -B "$build" >/dev/null
cmake --build "$build" --target moravin >/dev/null

run="$(mktemp -d)"
keep="${SOAK_KEEP:-}"
trap '[[ -n "$keep" ]] && mkdir -p "$keep" && cp "$run"/*.txt "$keep"/; rm -rf "$run"' EXIT
# A small quarantine keeps the memory that freed blocks wait in from hiding a leak's growth.
export ASAN_OPTIONS="quarantine_size_mb=16:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1"
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

exe="$(pwd)/$build/moravin"
start=$(date +%s)
(cd "$run" && exec "$exe" --headless --autoplay --fps 0 --seed "$seed" --frames "$frames" \
  --menu-tours "$tour" --save-dir "$run/save" 2>"$run/stderr.txt") &
pid=$!

# Resident memory, sampled every two seconds: seconds since the start and kB.
: >"$run/rss.txt"
while kill -0 "$pid" 2>/dev/null; do
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
  [[ -n "$rss" ]] && echo "$(($(date +%s) - start)) $rss" >>"$run/rss.txt"
  sleep 2
done
status=0
wait "$pid" || status=$?
seconds=$(($(date +%s) - start))

games=$(grep -c '^autoplay: game ' "$run/stderr.txt" || true)
# Each line reads "autoplay: game N distance D ...": the distance is the fifth field.
best=$(awk '/^autoplay: game / {if ($5 + 0 > best) best = $5 + 0} END {print best + 0}' "$run/stderr.txt")
# The game still running when the run ended left its distance in the save file (bytes 32..35).
save="$run/save/SaveData.dat"
last=0
[[ -f "$save" ]] && last=$(od -An -t d4 -j 32 -N 4 "$save" | tr -d ' ')
[[ "$last" -gt "$best" ]] && best=$last
rss10=$(awk -v t="$seconds" 'int($1) >= t / 10 {print $2; exit}' "$run/rss.txt")
rssEnd=$(tail -n 1 "$run/rss.txt" | awk '{print $2}')

echo "soak: $frames frames in $seconds s, seed $seed, exit status $status"
echo "soak: $games games ended; best distance $best (the game running at the end: $last)"
grep '^autoplay: game ' "$run/stderr.txt" | sed 's/^/soak:   /' || true
growth="?"
[[ -n "$rss10" && -n "$rssEnd" ]] && growth=$((rssEnd - rss10))
echo "soak: resident memory at 10 % of the run ${rss10:-?} kB, at the end ${rssEnd:-?} kB," \
  "growth $growth kB (sampled every 2 s)"
reports=$(grep -c -E 'Sanitizer|runtime error' "$run/stderr.txt" || true)
if [[ "$reports" -gt 0 ]]; then
  echo "soak: sanitizer reports:"
  grep -E -A30 'ERROR: .*Sanitizer|runtime error|SUMMARY: .*Sanitizer' "$run/stderr.txt"
else
  echo "soak: no sanitizer report"
fi
other=$(grep -v -E '^autoplay: game ' "$run/stderr.txt" | head -n 20 || true)
[[ -n "$other" ]] && printf 'soak: other messages:\n%s\n' "$other"
[[ "$status" -eq 0 && "$reports" -eq 0 ]]
