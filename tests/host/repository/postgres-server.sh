#!/bin/sh
# Starts or stops the throw-away PostgreSQL server the repository tests use.
#   postgres-server.sh start STATE   initdb into a new temporary folder, start a
#                                    server listening only on a Unix socket
#                                    there, write its URL to STATE
#   postgres-server.sh stop STATE    stop it and remove the folder
# The server refuses to run as root, so as root it runs as the "postgres"
# user the Debian package creates.
set -eu
action=$1
state=$2

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bindir" ]; then
  echo "postgres-server.sh: no PostgreSQL server in /usr/lib/postgresql (install the postgresql package)" >&2
  exit 1
fi

as_server() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case $action in
start)
  folder=$(mktemp -d /tmp/biwplan-pg.XXXXXX)
  [ "$(id -u)" = 0 ] && chown postgres: "$folder"
  password=biwplan-test
  echo "$password" > "$folder/password"
  [ "$(id -u)" = 0 ] && chown postgres: "$folder/password"
  as_server "$bindir/initdb" -D "$folder/data" -U biwplan --pwfile="$folder/password" \
    --auth=scram-sha-256 -E UTF8 --no-sync > "$folder/initdb.log" 2>&1 ||
    { cat "$folder/initdb.log" >&2; rm -rf "$folder"; exit 1; }
  as_server "$bindir/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 \
    -o "-c listen_addresses='' -k $folder -c fsync=off -c full_page_writes=off -c max_connections=60" start > /dev/null ||
    { cat "$folder/server.log" >&2; rm -rf "$folder"; exit 1; }
  printf 'postgresql://biwplan:%s@/postgres?host=%s\n%s\n' "$password" "$folder" "$folder" > "$state"
  ;;
stop)
  [ -f "$state" ] || exit 0
  folder=$(sed -n 2p "$state")
  as_server "$bindir/pg_ctl" -D "$folder/data" -m immediate -w stop > /dev/null 2>&1 || true
  rm -rf "$folder" "$state"
  ;;
esac
