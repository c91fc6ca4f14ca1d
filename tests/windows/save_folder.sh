#!/usr/bin/env bash
# moravin.exe under Wine, as a Windows user meets it: --help printed although the program has
# no console of its own, the save kept in %APPDATA%\moravin, once copied there from the folder
# it is started in, and a save folder named in Japanese.
#
#   save_folder.sh WINDOWS_EXE WORK_DIR
set -euo pipefail
exe="$1" work="$2"
fail() { echo "save_folder: $*" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work"

wine "$exe" --help >"$work/help.txt"
grep -q -- "--save-dir" "$work/help.txt" || fail "--help printed no help"
wine "$exe" --version | tr -d '\r' | grep -qx "moravin [0-9.]*" || fail "--version printed no version"

# The default: %APPDATA%\moravin\SaveData.dat, made when the game first starts.
appdata="$(winepath -u "$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')")"
rm -rf "$appdata/moravin"
(cd "$work" && wine "$exe" --headless --frames 2 --seed 1)
[[ -s "$appdata/moravin/SaveData.dat" ]] || fail "no save in $appdata/moravin"

# A folder in Japanese; the options stored there change the file.
japanese="$work/セーブ データ/もらびん"
printf '5 Return\n8 Return\n53 Down\n55 Down\n57 Return\n60 Left\n74 Return\n' >"$work/input.txt"
(cd "$work" && wine "$exe" --headless --frames 120 --seed 1 --input input.txt \
  --save-dir "$(winepath -w "$japanese")")
[[ -s "$japanese/SaveData.dat" ]] || fail "no save in $japanese"
cmp -s "$japanese/SaveData.dat" "$appdata/moravin/SaveData.dat" &&
  fail "the options stored in $japanese left the save as it was"

# A valid save beside the game, where earlier versions kept it, is copied once.
mkdir -p "$work/old"
cp "$japanese/SaveData.dat" "$work/old/SaveData.dat"
rm -rf "$appdata/moravin"
(cd "$work/old" && wine "$exe" --headless --frames 2 --seed 1) 2>"$work/migration.txt"
cmp -s "$work/old/SaveData.dat" "$appdata/moravin/SaveData.dat" ||
  fail "the save beside the game was not copied to $appdata/moravin"
grep -q "copied SaveData.dat" "$work/migration.txt" || fail "the copy was not reported"
