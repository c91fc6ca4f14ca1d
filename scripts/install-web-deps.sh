#!/usr/bin/env bash
# Installs the Debian packages the browser build and its test need, if any are missing:
# emscripten, fontTools (the font subset), dpkg-dev (apt-get source unpacks with it),
# Chromium for the browser test, and the test's driver from npm (tests/web).
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(emscripten fonttools dpkg-dev chromium)
# The machine's own Node.js and npm serve when there are some; Debian's otherwise.
command -v npm >/dev/null || packages+=(nodejs npm)

scripts/install-packages.sh "${packages[@]}"
if [[ ! -d tests/web/node_modules/playwright-core ]]; then
  (cd tests/web && npm ci --no-audit --no-fund --silent)
fi
