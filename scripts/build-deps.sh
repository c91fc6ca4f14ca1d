#!/usr/bin/env bash
# Builds the libraries a cross build of the game links statically (zlib, libpng, freetype,
# SDL2, SDL2_ttf) from Debian's source packages, with the cross toolchain of TARGET, into a
# cache that later builds reuse. Prints the install prefix on its last line.
#
#   scripts/build-deps.sh web|windows
#
# The cache lives in $MORAVIN_DEPS_DIR (default ~/.cache/moravin-deps): sources/ holds the
# unpacked source packages, TARGET-KEY/ the build of one target, where KEY changes with this
# script, the toolchain and the source versions, so a stale build is never reused.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
target="${1:?usage: build-deps.sh TARGET (web or windows)}"
deps_dir="${MORAVIN_DEPS_DIR:-$HOME/.cache/moravin-deps}"
packages=(zlib libpng1.6 freetype libsdl2 libsdl2-ttf)
jobs="$(nproc)"

log() { echo "build-deps: $*" >&2; }

# --- toolchain of each target ------------------------------------------------------------
# cmake_cross / configure_cross run a CMake or autoconf configure step for the target;
# toolchain_id names the compiler version for the cache key.
case "$target" in
  web)
    source "$here/web-env.sh"
    cmake_cross() { emcmake cmake "$@"; }
    configure_cross() { emconfigure "$@"; }
    toolchain_id() { emcc --version 2>/dev/null | head -n1; }
    toolchain_files=("$here/web-env.sh")
    # Only what the game uses of SDL: no haptics, sensors, power, locale, file system paths,
    # HID devices (the browser's Gamepad API serves the controllers), disk audio or offscreen.
    sdl_options=(-DSDL_HAPTIC=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF -DSDL_LOCALE=OFF
                 -DSDL_FILESYSTEM=OFF -DSDL_HIDAPI=OFF -DSDL_DISKAUDIO=OFF -DSDL_OFFSCREEN=OFF)
    ;;
  windows)
    toolchain_file="$here/../cmake/mingw-w64.cmake"
    cmake_cross() { "$@" -DCMAKE_TOOLCHAIN_FILE="$toolchain_file"; }
    configure_cross() {
      CHOST=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix AR=x86_64-w64-mingw32-ar \
        RANLIB=x86_64-w64-mingw32-ranlib "$@"
    }
    toolchain_id() { x86_64-w64-mingw32-g++-posix --version | head -n1; }
    toolchain_files=("$toolchain_file")
    # Only the parts of SDL the game uses: video (Direct3D and OpenGL), audio, events,
    # controllers through XInput and DirectInput, timers, the data folder. Haptics, sensors,
    # HIDAPI and Vulkan would only lengthen the build.
    sdl_options=(-DSDL_HAPTIC=OFF -DSDL_SENSOR=OFF -DSDL_HIDAPI=OFF -DSDL_VULKAN=OFF
                 -DSDL_POWER=OFF -DSDL_LOCALE=ON -DSDL_MISC=OFF)
    ;;
  *) echo "build-deps: unknown target $target" >&2; exit 2 ;;
esac

# --- sources -----------------------------------------------------------------------------
# apt-get source needs a deb-src entry for the archive the binary packages come from.
ensure_deb_src() {
  if apt-get indextargets --format '$(IDENTIFIER)' 2>/dev/null | grep -qx 'Sources'; then return; fi
  local uri
  uri="$(grep -h -m1 -E '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '{print $2}')"
  [[ -n "$uri" ]] || uri="$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list 2>/dev/null)"
  [[ -n "$uri" ]] || { echo "build-deps: no Debian archive found for deb-src" >&2; exit 1; }
  local sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  log "adding a deb-src entry for $uri"
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: %s\n' \
    "$uri" /usr/share/keyrings/debian-archive-keyring.gpg |
    $sudo tee /etc/apt/sources.list.d/moravin-deb-src.sources >/dev/null
  $sudo apt-get update -qq
}

# The unpacked source tree of a package (Debian's patches applied), fetched once.
source_tree() {
  local pkg="$1" dir="$deps_dir/sources"
  mkdir -p "$dir"
  local found
  found="$(find "$dir" -maxdepth 1 -type d -name "$pkg-[0-9]*" | sort | tail -n1)"
  if [[ -z "$found" ]]; then
    ensure_deb_src
    log "fetching the source of $pkg"
    (cd "$dir" && apt-get source -qq "$pkg" >/dev/null 2>&1) ||
      (cd "$dir" && apt-get source "$pkg")
    found="$(find "$dir" -maxdepth 1 -type d -name "$pkg-[0-9]*" | sort | tail -n1)"
  fi
  echo "$found"
}

source_versions() {
  for pkg in "${packages[@]}"; do
    apt-cache showsrc --only-source "$pkg" 2>/dev/null | awk '/^Version:/{print $2; exit}'
  done
}

# --- SDL's configure answers --------------------------------------------------------------
# SDL's configure asks the compiler about 300 questions (headers, functions, flags), each a
# small compile and link: about three minutes for the web (emcc) and most of a minute for
# Windows, on two cores. The answers depend only on the toolchain and SDL's source, so each
# target keeps those of a real configure in scripts/sdl2-checks/TARGET.cmake, and CMake starts
# from them when both its first two lines still hold. A configure without them leaves its answers in
# $work/build/SDL2-checks.cmake: copy that file there after an update of the toolchain or SDL.
sdl_checks="$here/sdl2-checks/$target.cmake"
checks_header() { echo "# $(toolchain_id)"; echo "# $(basename "$(source_tree libsdl2)")"; }

# Sets sdl_answers to CMake's option for the recorded answers, when they fit.
sdl_answers=()
use_sdl_checks() {
  if [[ -f "$sdl_checks" && "$(head -n2 "$sdl_checks")" == "$(checks_header)" ]]; then
    sdl_answers=(-C "$sdl_checks")
  else
    log "no recorded answers for this toolchain and SDL: SDL's configure asks them all"
  fi
}

record_sdl_checks() {
  { checks_header
    grep -E '^(HAVE_[A-Za-z0-9_]+|LIBC_IS_GLIBC|STDC_HEADERS):INTERNAL=' \
      "$work/build/SDL2/CMakeCache.txt" |
      sed -E 's/^([^:]+):INTERNAL=(.*)$/set(\1 "\2" CACHE INTERNAL "")/'
  } >"$work/build/SDL2-checks.cmake"
}

key="$( { cat "$0" "${toolchain_files[@]}"; [[ ! -f "$sdl_checks" ]] || cat "$sdl_checks"
          toolchain_id; \
          for pkg in "${packages[@]}"; do echo "$pkg"; done; } | sha256sum | cut -c1-12)"
work="$deps_dir/$target-$key"
prefix="$work/prefix"
if [[ -f "$prefix/.complete" ]]; then
  log "reusing $prefix"
  echo "$prefix"
  exit 0
fi
rm -rf "$work"
mkdir -p "$work/build" "$prefix"

cmake_lib() {  # NAME SOURCE [cmake options...]
  local name="$1" src="$2"
  shift 2
  log "building $name"
  local start=$SECONDS
  cmake_cross cmake -S "$src" -B "$work/build/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >"$work/build/$name.log" 2>&1 ||
    { tail -n 30 "$work/build/$name.log" >&2; exit 1; }
  cmake --build "$work/build/$name" -j "$jobs" >>"$work/build/$name.log" 2>&1 &&
    cmake --install "$work/build/$name" >>"$work/build/$name.log" 2>&1 ||
    { tail -n 30 "$work/build/$name.log" >&2; exit 1; }
  log "$name done in $((SECONDS - start)) s"
}

# zlib: Debian's trimmed source breaks its CMake build; its own configure script works.
build_zlib() {
  local src
  src="$(source_tree zlib)"
  log "building zlib"
  rm -rf "$work/build/zlib" && cp -a "$src" "$work/build/zlib"
  (cd "$work/build/zlib" && configure_cross ./configure --static --prefix="$prefix" &&
     make -j "$jobs" libz.a && make install) >"$work/build/zlib.log" 2>&1 ||
    { tail -n 30 "$work/build/zlib.log" >&2; exit 1; }
}

start=$SECONDS
build_zlib
cmake_lib libpng "$(source_tree libpng1.6)" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF -DZLIB_ROOT="$prefix"
# freetype with zlib only: its bundled zlib would clash with ours at link time.
cmake_lib freetype "$(source_tree freetype)" -DFT_REQUIRE_ZLIB=ON -DZLIB_ROOT="$prefix" \
  -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
use_sdl_checks
cmake_lib SDL2 "$(source_tree libsdl2)" "${sdl_answers[@]}" -DSDL_SHARED=OFF -DSDL_STATIC=ON \
  -DSDL_TEST=OFF "${sdl_options[@]}"
record_sdl_checks
cmake_lib SDL2_ttf "$(source_tree libsdl2-ttf)" -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF \
  -DSDL2TTF_SAMPLES=OFF -DSDL2TTF_INSTALL=ON
source_versions >"$prefix/.versions"
touch "$prefix/.complete"
log "all libraries built in $((SECONDS - start)) s"
echo "$prefix"
