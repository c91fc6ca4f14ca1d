#!/usr/bin/env bash
# Builds the game for 64-bit Windows: build-windows/moravin.exe, one executable with no DLL
# beside it, and build-windows/moravin-VERSION-windows-x64.zip, the portable package. With
# --tests, the tests too, the Linux game their scripted run is compared with and the Linux
# ranking server the game submits a run to (scripts/test-windows.sh runs them under Wine).
#
# Steps: the Debian packages (mingw-w64, Wine, fonttools), the libraries from Debian's sources
# (scripts/build-deps.sh, cached), the assetgen of the desktop build (build/, the one ./test.sh
# and play.sh use), then the cross build (build-windows/exe), whose executable is copied to
# build-windows/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-windows"
tests=OFF
[[ "${1:-}" == "--tests" ]] && tests=ON
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"

"$root/scripts/install-deps.sh"
"$root/scripts/install-windows-deps.sh"
start=$SECONDS
prefix="$("$root/scripts/build-deps.sh" windows | tail -n1)"
echo "build-windows: libraries ready in $((SECONDS - start)) s"

echo "build-windows: the host's assetgen"
host="$root/build"
[[ -f "$host/CMakeCache.txt" ]] ||
  cmake -S "$root" --preset normal >/dev/null
host_targets=(assetgen)
[[ "$tests" == ON ]] && host_targets+=(moravin moravin-server)
cmake --build "$host" --target "${host_targets[@]}"

echo "build-windows: the game"
start=$SECONDS
# The preset builds at -O2, as the Linux build: at -O3 GCC 12 warns falsely (-Wrestrict) inside
# std::string.
cmake -S "$root" --preset windows -DMORAVIN_DEPS_PREFIX="$prefix" \
  -DMORAVIN_HOST_ASSETGEN="$host/tools/assetgen/assetgen" -DMORAVIN_TESTS="$tests" \
  -DMORAVIN_LINUX_EXE="$host/moravin" -DMORAVIN_LINUX_SERVER="$host/src/server/moravin-server" \
  >/dev/null
cmake --build "$out/exe"
cp "$out"/exe/moravin.exe "$out"/exe/moravin-*-windows-x64.zip "$out/"
echo "build-windows: built in $((SECONDS - start)) s: $out/moravin.exe"
