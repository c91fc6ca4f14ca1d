#!/usr/bin/env bash
# Installs the Debian packages the Windows build and its test need, if any are missing: the
# mingw-w64 compilers of the posix thread model, fontTools (the font subset), dpkg-dev (apt-get
# source unpacks with it), GoogleTest's sources, Wine for the tests, and zip for the package.
set -euo pipefail
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix fonttools dpkg-dev googletest
          wine wine64 zip)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
