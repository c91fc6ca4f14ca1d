#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz, then runs them, as many at once as there are cores
# (MORAVIN_FUZZ_JOBS sets another number).
#   scripts/fuzz.sh [--seconds N] [TARGET...]
# N seconds per harness (default 30); TARGET names harnesses (save, dib, wave, motion_script,
# message_window, input_script, options, shift_jis, replay_file, server_names, server_requests);
# default all.
# A harness starts from its seeds (fuzz/corpus/TARGET) and the inputs of past faults
# (fuzz/regressions/TARGET); what it learns stays in build-fuzz/corpus/TARGET for the next run.
# An input that crashes or breaks a property is saved in build-fuzz/findings/TARGET/; the
# script then fails. Mend the fault and commit the input to fuzz/regressions/TARGET/, where
# ctest replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=30
if [[ "${1:-}" == "--seconds" ]]; then
  seconds="$2"
  shift 2
fi
mapfile -t all < <(cd fuzz && ls -- *_fuzzer.cpp | sed 's/_fuzzer\.cpp$//')
targets=("${@:-${all[@]}}")

cmake --preset fuzz >/dev/null
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"

# One harness per core at a time: each libFuzzer process uses one core.
jobs="${MORAVIN_FUZZ_JOBS:-$(nproc)}"

# Runs harness $1 for $seconds; its log is build-fuzz/findings/$1/last-run.log.
run_harness() {
  local t="$1"
  mkdir -p "build-fuzz/corpus/$t" "build-fuzz/findings/$t"
  local inputs=("build-fuzz/corpus/$t" "fuzz/corpus/$t")
  [[ -d "fuzz/regressions/$t" ]] && inputs+=("fuzz/regressions/$t")
  "build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/findings/$t/" "${inputs[@]}" \
    >"build-fuzz/findings/$t/last-run.log" 2>&1
}

# What a finished run says: its fault if it failed, then the last status line and the totals
# (executions, their rate, coverage, features).
summarise() {
  local t="$1" status="$2" log="build-fuzz/findings/$1/last-run.log"
  echo "fuzz_$t: ${seconds} s"
  if [[ "$status" -ne 0 ]]; then
    grep -E 'ERROR|property violated|Test unit written' "$log" || tail -20 "$log"
  fi
  grep -E '^#[0-9]+' "$log" | tail -1 | sed 's/^/  /'
  grep -E 'stat::(number_of_executed_units|average_exec_per_sec)' "$log" | sed 's/^/  /'
}

failed=()
for ((i = 0; i < ${#targets[@]}; i += jobs)); do
  batch=("${targets[@]:i:jobs}")
  pids=()
  for t in "${batch[@]}"; do
    run_harness "$t" &
    pids+=($!)
  done
  for k in "${!batch[@]}"; do
    status=0
    wait "${pids[k]}" || status=$?
    summarise "${batch[k]}" "$status"
    [[ "$status" -eq 0 ]] || failed+=("${batch[k]}")
  done
done

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "Faults found by: ${failed[*]} (inputs in build-fuzz/findings/)"
  exit 1
fi
