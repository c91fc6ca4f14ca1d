# Sourced by the web build scripts: Debian's emscripten with a writable cache.
#
# Debian ships emscripten's prebuilt system libraries as a read-only cache, and emcc fails at
# once when EM_CACHE points at an empty folder (it would try to download). A tree of links to
# the shipped files, with real folders, lets emcc write its lock and anything it adds.
deps_dir="${MORAVIN_DEPS_DIR:-$HOME/.cache/moravin-deps}"
export EM_CACHE="${EM_CACHE:-$deps_dir/emscripten-cache}"
if [[ ! -f "$EM_CACHE/.linked" ]]; then
  rm -rf "$EM_CACHE"
  mkdir -p "$(dirname "$EM_CACHE")"
  cp -rs /usr/share/emscripten/cache "$EM_CACHE"
  rm -f "$EM_CACHE/cache.lock"
  touch "$EM_CACHE/.linked"
fi
# emcc's JavaScript tools need Debian's node modules (acorn), whichever node is first on PATH.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
# Debian's emcc runs "python3" from PATH; a Python version manager's shim there costs more
# than the compile of a small file, on every one of the thousands of emcc calls of a build
# (configure checks included). Debian's emscripten goes with Debian's Python.
export EMSDK_PYTHON="${EMSDK_PYTHON:-/usr/bin/python3}"
