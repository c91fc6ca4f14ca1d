#!/usr/bin/env bash
# moravin.exe under Wine takes part in the world ranking: a game played with the setting on,
# against the Linux moravin-server on loopback over plain HTTP (the only place plain HTTP goes),
# is placed on the game over screen and found in the ranking.
#
#   ranking.sh WINDOWS_EXE SERVER_EXE WORK_DIR
set -euo pipefail
exe="$1" server="$2" work="$3"
fail() { echo "ranking: $*" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work/save"

printf 'listen = 127.0.0.1:0\ndatabase = %s\n' "$work/ranking.db" >"$work/server.conf"
"$server" --config "$work/server.conf" >"$work/server.out" 2>"$work/server.err" &
server_pid=$!
trap 'kill $server_pid 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  grep -q "listening on" "$work/server.out" && break
  sleep 0.1
done
url="$(grep -o 'http://[0-9.:]*' "$work/server.out" | head -1)"
[[ -n "$url" ]] || fail "the server did not start: $(cat "$work/server.err")"

printf 'moravin ranking 1\nopted-in yes\nserver %s\nname Wine\n' "$url" >"$work/save/Ranking.txt"
# The seed comes on the title; the game starts a second later and ends once the heroine is
# pushed out; real time, since a run may not have more play frames than its seed's age allows.
printf '5 Return\n8 Return\n60 Return\n70-900 Z\n' >"$work/input.txt"
(cd "$work" && wine "$exe" --headless --fps 50 --frames 330 --input input.txt \
  --trace trace.jsonl --save-dir "$(winepath -w "$work/save")")
tail -1 "$work/trace.jsonl" | grep -q '"ranking":"placed","place":1' ||
  fail "the game over did not show the place: $(tail -1 "$work/trace.jsonl" | cut -c1-400)"
ranking="$(curl -sf "$url/api/v1/ranking?period=all")" || fail "no ranking from the server"
grep -q '"name":"Wine"' <<<"$ranking" || fail "the run is not in the ranking: $ranking"
echo "ranking: placed first, and in the ranking"
