#!/usr/bin/env bash
# Builds the Debian package moravin_<version>_<arch>.deb with Debian's own tools
# (dpkg-buildpackage, debhelper) and checks it with lintian, which must find no error.
#
#   scripts/package.sh [--build-dir DIR] [--out DIR]
#
# --build-dir DIR  package the build folder DIR, already built, instead of building afresh
#                  with Debian's compiler flags (CI reuses the build its tests ran on)
# --out DIR        where the .deb is put (default: out/)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

build_dir=""
out_dir="$root/out"
while [[ $# -gt 0 ]]; do
  case $1 in
    --build-dir) build_dir=$(realpath "$2"); shift 2 ;;
    --out) out_dir=$(realpath -m "$2"); shift 2 ;;
    *) echo "usage: scripts/package.sh [--build-dir DIR] [--out DIR]" >&2; exit 2 ;;
  esac
done

# The package's version is the project's: the changelog must be brought up to date with it.
version=$(sed -n 's/^project(moravin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
changelog_version=$(dpkg-parsechangelog -S Version)
if [[ "$version" != "$changelog_version" ]]; then
  echo "package.sh: CMakeLists.txt says $version, debian/changelog $changelog_version" >&2
  exit 1
fi

# dpkg-buildpackage writes into the source tree and puts its results beside it: build in a
# copy of the checkout (tracked and new files, not the build folders).
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src="$work/moravin-$version"
mkdir "$src"
git ls-files -z --cached --others --exclude-standard |
  tar --null --ignore-failed-read -T - -cf - 2>/dev/null | tar -xf - -C "$src"

(cd "$src" && MORAVIN_PREBUILT="$build_dir" dpkg-buildpackage -b -us -uc)

arch=$(dpkg-architecture -qDEB_HOST_ARCH)
deb="$work/moravin_${version}_${arch}.deb"
lintian --fail-on error --tag-display-limit 0 "$deb"
mkdir -p "$out_dir"
mv "$deb" "$out_dir/"
echo "package.sh: $out_dir/$(basename "$deb")"
