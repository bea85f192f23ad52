#!/usr/bin/env bash
# The benchmark's quick run on a PostgreSQL server of its own: a cluster made in a temporary
# directory, listening only on a Unix socket there (as the "postgres" user under root, which the
# server refuses to run as), the small database copied to it by the program, then every
# operation once and a few invoices from each number of workstations.
# Arguments: the program, the benchmark, the directory of the small database.
set -euo pipefail
korvel=$1 bench=$2 data=$3
bin=/usr/lib/postgresql/15/bin
root=$(mktemp -d /tmp/korvel-benchpg-XXXXXX)
as_server() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
cleanup() {
    as_server "$bin/pg_ctl" -D "$root/data" -m immediate -w stop >/dev/null 2>&1 || true
    rm -rf "$root"
}
trap cleanup EXIT
[ "$(id -u)" -eq 0 ] && chown postgres "$root"

as_server "$bin/initdb" -D "$root/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >/dev/null
as_server "$bin/pg_ctl" -D "$root/data" -l "$root/server.log" -w start \
    -o "-k $root -p 5433 -c listen_addresses='' -c fsync=off" >/dev/null
as_server "$bin/createdb" -h "$root" -p 5433 -U postgres korvel
uri="postgresql://postgres@/korvel?host=$root&port=5433"
"$korvel" --copy-database "$data/korvel_data.mdb" "$uri" >/dev/null
"$bench" --server "$uri" --quick
# The single actions once more through the slow link's proxy.
"$bench" --server "$uri" --delay 10 --quick
