#!/usr/bin/env bash
# The Windows executable under Wine and the Linux one play the same scripted game (same seed,
# same input, headless): their traces, save files and screenshots must be the same bytes.
#
#   same_run.sh WINDOWS_EXE LINUX_EXE INPUT WORK_DIR
set -euo pipefail
windows_exe="$1" linux_exe="$2" input="$3" work="$4"
# The walk quits from the title; --frames only bounds a run that went astray.
frames=4000
# The logo, a menu, the play, the game over after its fade-in, the title.
shots=(30 120 555 760 800)
args=(--headless --lang ja --seed 7 --fps 0 --frames "$frames" --input input.txt
      --trace trace.jsonl --save-dir save)
outputs=(trace.jsonl save/SaveData.dat)
for frame in "${shots[@]}"; do
  args+=(--screenshot "$frame:shot-$frame.png")
  outputs+=("shot-$frame.png")
done

rm -rf "$work"
for side in linux windows; do
  mkdir -p "$work/$side"
  cp "$input" "$work/$side/input.txt"
done
(cd "$work/linux" && "$linux_exe" "${args[@]}")
(cd "$work/windows" && wine "$windows_exe" "${args[@]}")

failed=0
for file in "${outputs[@]}"; do
  if ! cmp -s "$work/linux/$file" "$work/windows/$file"; then
    echo "same_run: $file differs between Linux and Windows" >&2
    failed=1
  fi
done
lines="$(wc -l <"$work/windows/trace.jsonl")"
if [[ "$lines" -ge "$frames" ]]; then
  echo "same_run: the Windows run never quit: it ran to the bound of $frames frames" >&2
  failed=1
fi
exit "$failed"
