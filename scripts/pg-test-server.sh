#!/usr/bin/env bash
# A throwaway PostgreSQL server for the tests: a new cluster in a temporary
# folder, run as the postgres user on a free local port.
#   pg-test-server.sh start   prints the folder and the URL (two lines)
#   pg-test-server.sh restart FOLDER   (the same port; clients lose their sessions)
#   pg-test-server.sh stop FOLDER
set -euo pipefail

pg_bin() {
  local dir
  dir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  [ -n "$dir" ] || { echo "PostgreSQL server binaries not found" >&2; exit 1; }
  echo "$dir"
}

as_postgres() {
  if [ "$(id -un)" = postgres ]; then "$@"
  elif [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"
  else "$@"
  fi
}

port_free() {
  ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

case "${1:-}" in
  start)
    bin=$(pg_bin)
    folder=$(mktemp -d /tmp/costdesk-pg.XXXXXX)
    [ "$(id -u)" = 0 ] && chown postgres:postgres "$folder"
    as_postgres "$bin/initdb" -D "$folder/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$folder/initdb.log" 2>&1 \
      || { cat "$folder/initdb.log" >&2; exit 1; }
    for attempt in $(seq 1 20); do
      port=$(( 20000 + RANDOM % 30000 ))
      port_free "$port" || continue
      if as_postgres "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 30 \
           -o "-p $port -k $folder -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" start >/dev/null; then
        echo "$folder"
        echo "postgresql://postgres@127.0.0.1:$port/postgres"
        exit 0
      fi
    done
    cat "$folder/server.log" >&2 || true
    exit 1
    ;;
  restart)
    folder=${2:?folder}
    bin=$(pg_bin)
    as_postgres "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 30 -m fast restart >/dev/null
    ;;
  stop)
    folder=${2:?folder}
    bin=$(pg_bin)
    as_postgres "$bin/pg_ctl" -D "$folder/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$folder"
    ;;
  *)
    echo "usage: $0 start | restart FOLDER | stop FOLDER" >&2
    exit 2
    ;;
esac
