#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds everything with warnings as errors and
# runs every test: once in a normal build and once more under AddressSanitizer and
# UndefinedBehaviorSanitizer; the mixer and audio tests under ThreadSanitizer; then a
# 50,000-frame soak of the game playing itself, and each fuzz harness for 30 seconds.
set -euo pipefail
cd "$(dirname "$0")"
# Each step says when it ended, so that a CI log shows where the time goes.
start=$SECONDS
ended() { echo "test.sh: $1 ended at $((SECONDS - start)) s"; }
scripts/install-deps.sh
ended "package installs"
scripts/format.sh --check
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

# The builds are the presets of CMakePresets.json, with warnings as errors.
cmake --preset normal >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j2
ended "normal build and tests"

cmake --preset sanitize >/dev/null
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure -j2
ended "sanitized build and tests"

# The mixer and the SDL audio device under ThreadSanitizer: SDL's audio thread mixes while the
# game thread plays, moves and frees sounds. Only that one test program is built.
cmake --preset tsan >/dev/null
cmake --build build-tsan --target test_audio_threads
ctest --test-dir build-tsan --output-on-failure -j2 -L threads
ended "ThreadSanitizer build and tests"

# A short soak on the sanitized build: the game plays itself for 50,000 frames, with menu tours.
scripts/soak.sh 50000
ended "soak"

scripts/fuzz.sh --seconds 30
ended "fuzzing"
