#!/usr/bin/env bash
# Installs the Debian packages the Windows build and its test need, if any are missing: the
# mingw-w64 compilers of the posix thread model, fontTools (the font subset), dpkg-dev (apt-get
# source unpacks with it), GoogleTest's sources, Wine for the tests, and zip for the package.
set -euo pipefail
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix fonttools dpkg-dev googletest
          wine wine64 zip)

"$(dirname "$0")/install-packages.sh" "${packages[@]}"
