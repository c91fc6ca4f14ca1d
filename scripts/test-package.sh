#!/usr/bin/env bash
# The Debian package as a user meets it: built from scratch by scripts/package.sh (which checks
# it with lintian), installed with apt-get, started from / the way a launcher starts it, then
# removed and purged. Checks that the game runs from where the package put it, that removing
# it takes away every file it brought, and that the player's save is left as it was.
#
#   scripts/test-package.sh
#
# It installs and removes the package `moravin` on this machine: run it where that is wanted
# (CI, a throw-away machine), as root or with sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
fail() { echo "test-package.sh: $*" >&2; exit 1; }

scripts/install-deps.sh
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

# Debian's tools skip a package's test step with nocheck: the rules must then leave it to
# dh_auto_test, which honours it, instead of running the game.
sequence() { DEB_BUILD_OPTIONS=$1 dh binary --buildsystem=cmake+ninja --no-act; }
sequence "" | grep -q override_dh_auto_test || fail "the package's build runs no test step"
! sequence nocheck | grep -q override_dh_auto_test ||
  fail "DEB_BUILD_OPTIONS=nocheck still runs the package's test step"

scripts/package.sh --out "$home/out"
deb=$(echo "$home"/out/moravin_*.deb)
$sudo apt-get install -y -q "$deb"

# Started from / with a home of its own, as a player's launcher would start it.
data="$home/player/.local/share/moravin"
(cd / && env -u XDG_DATA_HOME HOME="$home/player" /usr/games/moravin --headless --fps 0 --seed 1 \
   --autoplay --frames 3000) || fail "the installed game did not run"
[[ "$(stat -c %s "$data/SaveData.dat")" == 44 ]] || fail "the installed game left no save"
save_before=$(sha256sum <"$data/SaveData.dat")
echo "test-package.sh: /usr/games/moravin ran from / and stored $data/SaveData.dat"

# Every file the package brought, to check that removing it takes them all away.
files=$(dpkg -L moravin | while read -r path; do [[ -d "$path" ]] || echo "$path"; done)
[[ -n "$files" ]] || fail "dpkg lists no file of the package"
$sudo apt-get remove -y -q moravin
# With no configuration files of its own, a removed package is already unknown to apt, so the
# purge goes through dpkg; afterwards dpkg must know nothing of it.
$sudo dpkg --purge moravin
status=$(dpkg-query -W -f '${db:Status-Status}' moravin 2>/dev/null || true)
[[ -z "$status" || "$status" == not-installed ]] || fail "after the purge, dpkg says: $status"
left=$(while read -r path; do [[ ! -e "$path" ]] || echo "$path"; done <<<"$files")
[[ -z "$left" ]] || fail "files left after the package was purged: $left"
[[ "$(sha256sum <"$data/SaveData.dat")" == "$save_before" ]] ||
  fail "removing the package changed the player's save"
echo "test-package.sh: built, installed, ran, removed and purged; the save is untouched"
