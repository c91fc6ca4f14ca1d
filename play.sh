#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it. Extra arguments go to the game
# (see ./build/moravin --help).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset normal >/dev/null
cmake --build build --target moravin
exec ./build/moravin "$@"
