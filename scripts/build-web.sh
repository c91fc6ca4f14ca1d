#!/usr/bin/env bash
# Builds the game for the browser: build-web/ holds the site a host serves (moravin.html, its
# code and module under versioned names, the manifest, icons and service worker, the font's
# licence). Serve the folder and open moravin.html (README).
#
# Steps: the Debian packages (emscripten, fonttools), the libraries from Debian's sources
# (scripts/build-deps.sh, cached), the assetgen of the desktop build (build/, the one ./test.sh
# and play.sh use), then the WebAssembly build (build-web/wasm), whose output is copied to
# build-web/ (the folder wasm/ apart).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-web"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"

"$root/scripts/install-deps.sh"
"$root/scripts/install-web-deps.sh"
prefix="$("$root/scripts/build-deps.sh" web | tail -n1)"
source "$root/scripts/web-env.sh"

echo "build-web: the host's assetgen"
host="$root/build"
[[ -f "$host/CMakeCache.txt" ]] ||
  cmake -S "$root" --preset normal >/dev/null
cmake --build "$host" --target assetgen

echo "build-web: the game"
emcmake cmake -S "$root" --preset web -DMORAVIN_DEPS_PREFIX="$prefix" \
  -DMORAVIN_HOST_ASSETGEN="$host/tools/assetgen/assetgen" >/dev/null
cmake --build "$out/wasm" --target moravin-site moravin_verify
# The replay verifier for node (tests/web) stays in wasm/: it is no file of the site.
# The site replaces the last one whole: no file of an older version stays beside it.
find "$out" -mindepth 1 -maxdepth 1 ! -name wasm -exec rm -rf {} +
cp -r "$out/wasm/site/." "$out/"

echo "build-web: $out/moravin.html"
