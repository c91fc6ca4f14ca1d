#!/usr/bin/env bash
# Runs a command beside a PostgreSQL 15 server of its own: a new cluster in a temporary folder,
# listening on 127.0.0.1 only, stopped and deleted when the command ends. The command finds it
# in MORAVIN_TEST_POSTGRES_URL; MORAVIN_TEST_POSTGRES_CTL is pg_ctl for that cluster (to
# restart it), run as its owner.
#   tests/server/with_postgres.sh COMMAND [ARG...]
# PostgreSQL refuses to run as root: when root, the cluster belongs to the user "postgres"
# (made by Debian's package) or else "nobody".
set -euo pipefail
bin=/usr/lib/postgresql/15/bin
folder=$(mktemp -d /tmp/moravin-postgres.XXXXXX)
as_owner=()
if [[ $(id -u) -eq 0 ]]; then
  owner=postgres
  id -u "$owner" >/dev/null 2>&1 || owner=nobody
  chown "$owner" "$folder"
  as_owner=(runuser -u "$owner" --)
fi
ctl=("${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -l "$folder/log")
stop() {
  "${ctl[@]}" stop -m immediate >/dev/null 2>&1 || true
  rm -rf "$folder"
}
trap stop EXIT
"${as_owner[@]}" "$bin/initdb" -D "$folder/data" -A trust -U moravin --no-sync >/dev/null
# A free port: a few tries at random ones.
for try in 1 2 3 4 5; do
  port=$((20000 + RANDOM % 30000))
  options="-c listen_addresses=127.0.0.1 -p $port -k $folder -c fsync=off -c max_connections=200"
  if "${ctl[@]}" -o "$options" -w -t 30 start >/dev/null; then
    break
  fi
  [[ $try -eq 5 ]] && { cat "$folder/log" >&2; exit 1; }
done
export MORAVIN_TEST_POSTGRES_URL="postgresql://moravin@127.0.0.1:$port/postgres"
export MORAVIN_TEST_POSTGRES_CTL="${ctl[*]}"
"$@"
