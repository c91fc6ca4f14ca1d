#!/usr/bin/env bash
# The browser build's test command: builds the page (scripts/build-web.sh) and the native
# game it is compared with (and the ranking server, whose page it tests too), then runs
# tests/web in Debian's headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
scripts/build-web.sh
cmake --build build --target moravin moravin-server server_load  # configured by build-web.sh (or ./test.sh) before
echo "test-web: built in $((SECONDS - start)) s"
(cd tests/web && node --test --test-concurrency=1 --test-reporter=spec)
echo "test-web: done in $((SECONDS - start)) s"
