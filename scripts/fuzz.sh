#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz, then runs each one in turn.
#   scripts/fuzz.sh [--seconds N] [TARGET...]
# N seconds per harness (default 30); TARGET names harnesses (save, dib, wave, motion_script,
# message_window, input_script, options, shift_jis); default all.
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

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMORAVIN_FUZZ=ON -DMORAVIN_TESTS=OFF \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"

failed=()
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t" "build-fuzz/findings/$t"
  inputs=("build-fuzz/corpus/$t" "fuzz/corpus/$t")
  [[ -d "fuzz/regressions/$t" ]] && inputs+=("fuzz/regressions/$t")
  log="build-fuzz/findings/$t/last-run.log"
  echo "fuzz_$t: ${seconds} s"
  if ! "build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/findings/$t/" "${inputs[@]}" >"$log" 2>&1; then
    failed+=("$t")
    grep -E 'ERROR|property violated|Test unit written' "$log" || tail -20 "$log"
  fi
  # The last status line and the totals: executions, their rate, coverage, features.
  grep -E '^#[0-9]+' "$log" | tail -1 | sed 's/^/  /'
  grep -E 'stat::(number_of_executed_units|average_exec_per_sec)' "$log" | sed 's/^/  /'
done

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "Faults found by: ${failed[*]} (inputs in build-fuzz/findings/)"
  exit 1
fi
