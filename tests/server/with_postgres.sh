#!/usr/bin/env bash
# Runs a command beside a PostgreSQL 15 server of its own: a new cluster in a temporary folder,
# listening on 127.0.0.1 only, stopped and deleted when the command ends. The command finds it
# in MORAVIN_TEST_POSTGRES_URL; MORAVIN_TEST_POSTGRES_RESTART is a shell command that restarts
# it on the same port (a fast stop, then a start, tried a few times), printing PostgreSQL's log
# and failing when it does not come back.
#   tests/server/with_postgres.sh COMMAND [ARG...]
#   tests/server/with_postgres.sh --restart FOLDER PORT     (what that command runs)
# PostgreSQL refuses to run as root: when root, the cluster belongs to the user "postgres"
# (made by Debian's package) or else "nobody".
set -euo pipefail
bin=/usr/lib/postgresql/15/bin

# A command run as the owner of $folder; pg_ctl for the cluster in it.
as_owner() {
  if [[ $(id -u) -eq 0 ]]; then runuser -u "$(stat -c %U "$folder")" -- "$@"; else "$@"; fi
}
ctl() { as_owner "$bin/pg_ctl" -D "$folder/data" -l "$folder/log" "$@"; }

start_on() {
  ctl -o "-c listen_addresses=127.0.0.1 -p $1 -k $folder -c fsync=off -c max_connections=200" \
    -w -t 30 start >/dev/null
}

log_tail() {
  echo "with_postgres.sh: $1; the end of PostgreSQL's log:" >&2
  tail -n 40 "$folder/log" >&2 || true
}

if [[ ${1:-} == --restart ]]; then
  folder=$2 port=$3
  ctl -w -t 30 stop -m fast >/dev/null || { log_tail "PostgreSQL did not stop"; exit 1; }
  # The port may still be held for a moment (by a client's socket on it, say): a few tries.
  for try in 1 2 3 4 5; do
    start_on "$port" && exit 0
    echo "with_postgres.sh: PostgreSQL did not start again on port $port (try $try)" >&2
    sleep 1
  done
  log_tail "PostgreSQL did not start again on port $port"
  exit 1
fi

folder=$(mktemp -d /tmp/moravin-postgres.XXXXXX)
if [[ $(id -u) -eq 0 ]]; then
  owner=postgres
  id -u "$owner" >/dev/null 2>&1 || owner=nobody
  chown "$owner" "$folder"
fi
child=
stop() {
  local status=$?
  [[ -n $child ]] && kill -KILL "$child" 2>/dev/null
  [[ $status -ne 0 && -f $folder/log ]] && log_tail "the command failed (status $status)"
  ctl stop -m immediate >/dev/null 2>&1 || true
  rm -rf "$folder"
  exit "$status"
}
trap stop EXIT
trap 'exit 143' TERM HUP
trap 'exit 130' INT
as_owner "$bin/initdb" -D "$folder/data" -A trust -U moravin --no-sync >/dev/null
# A free port below the ephemeral range, where no client's socket takes it while the server is
# down: a few tries at random ones.
ports=$(($(cut -f1 /proc/sys/net/ipv4/ip_local_port_range) - 10000))
((ports > 1000)) || ports=1000
for try in 1 2 3 4 5; do
  port=$((10000 + RANDOM % ports))
  start_on "$port" && break
  [[ $try -eq 5 ]] && { log_tail "PostgreSQL did not start"; exit 1; }
done
export MORAVIN_TEST_POSTGRES_URL="postgresql://moravin@127.0.0.1:$port/postgres"
printf -v MORAVIN_TEST_POSTGRES_RESTART '%q --restart %q %q' "$0" "$folder" "$port"
export MORAVIN_TEST_POSTGRES_RESTART
# The command runs in the background so that a TERM from ctest's timeout stops it and the
# cluster at once, rather than after the command.
"$@" &
child=$!
status=0
wait "$child" || status=$?
child=
exit "$status"
