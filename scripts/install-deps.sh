#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, if any are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format ccache
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev fonts-ipafont-gothic
  libcairo2-dev libpango1.0-dev libimagequant-dev libfluidsynth-dev timgm6mb-soundfont
  libpng-dev nlohmann-json3-dev
  # the world ranking's client: HTTPS with the system's certificates
  libcurl4-openssl-dev
  # the desktop mouse test: an X server of its own and real pointer events
  xvfb xdotool
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # installation and packaging: validators, the manual page, the Debian package
  desktop-file-utils appstream man-db debhelper lintian git
  # the fuzz harnesses: clang and its libFuzzer runtime
  clang libclang-rt-14-dev
  # the ranking server: HTTP, SQLite, PostgreSQL's client, ICU (names); a PostgreSQL 15 server
  # for its tests
  libcpp-httplib-dev libsqlite3-dev libpq-dev libicu-dev postgresql-15
)

"$(dirname "$0")/install-packages.sh" "${packages[@]}"
