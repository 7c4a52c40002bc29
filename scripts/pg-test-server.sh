#!/usr/bin/env bash
# A throwaway PostgreSQL server for the tests: a new cluster in a temporary
# folder, run as the postgres user on a free local port.
#   pg-test-server.sh start   prints the folder and the URL (two lines)
#   pg-test-server.sh restart FOLDER   (the same port; clients lose their sessions)
#   pg-test-server.sh stop FOLDER
# A primary with a synchronous standby, for the failover tests:
#   pg-test-server.sh start-primary   as start, ready to stream its WAL (folder, URL)
#   pg-test-server.sh start-standby PRIMARY_FOLDER
#                     a copy of the primary (pg_basebackup -R) on 127.0.0.2 that
#                     streams from it, made its synchronous standby (folder, URL)
#   pg-test-server.sh promote FOLDER   the standby takes writes when this ends
#   pg-test-server.sh stop-fast FOLDER | stop-immediate FOLDER
#                     the server stops (immediate: as if its machine failed);
#                     the folder stays until stop
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
  ! (exec 3<>"/dev/tcp/${2:-127.0.0.1}/$1") 2>/dev/null
}

# A new folder for a cluster, owned by the user that runs the server.
new_folder() {
  local folder
  folder=$(mktemp -d /tmp/costdesk-pg.XXXXXX)
  [ "$(id -u)" = 0 ] && chown postgres:postgres "$folder"
  echo "$folder"
}

# Starts the cluster in FOLDER on ADDRESS at a free port; prints the folder
# and the URL as start does.
start_on() {
  local bin=$1 folder=$2 address=$3 port attempt
  for attempt in $(seq 1 20); do
    port=$(( 20000 + RANDOM % 30000 ))
    port_free "$port" "$address" || continue
    if as_postgres "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 \
         -o "-p $port -k $folder -c listen_addresses=$address -c fsync=off -c max_connections=200" start >/dev/null; then
      echo "$folder"
      echo "postgresql://postgres@$address:$port/postgres"
      return 0
    fi
  done
  cat "$folder/server.log" >&2 || true
  return 1
}

# The port a running cluster listens on, from its postmaster.pid.
port_of() {
  sed -n 4p "$1/data/postmaster.pid"
}

# One value from the cluster in FOLDER, through its own socket.
query() {
  as_postgres "$(pg_bin)/psql" -h "$1" -p "$(port_of "$1")" -U postgres -d postgres -XAtq -c "$2"
}

# Waits up to 60 s until query FOLDER SQL prints EXPECTED.
wait_for() {
  local attempt
  for attempt in $(seq 1 1200); do
    [ "$(query "$1" "$2" 2>/dev/null)" = "$3" ] && return 0
    sleep 0.05
  done
  echo "gave up waiting for $3 from: $2" >&2
  return 1
}

case "${1:-}" in
  start)
    bin=$(pg_bin)
    folder=$(mktemp -d /tmp/costdesk-pg.XXXXXX)
    [ "$(id -u)" = 0 ] && chown postgres:postgres "$folder"
    as_postgres "$bin/initdb" -D "$folder/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$folder/initdb.log" 2>&1 \
      || { cat "$folder/initdb.log" >&2; exit 1; }
    # The superuser (the tests' schema owner) as before; every other login,
    # each person's own among them, with its password, as on the office's
    # server.
    as_postgres sh -c "cat >'$folder/data/pg_hba.conf'" <<'EOF2'
local   all             all                                     trust
host    all             postgres        127.0.0.1/32            trust
host    all             all             127.0.0.1/32            scram-sha-256
EOF2
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
  start-primary)
    bin=$(pg_bin)
    folder=$(new_folder)
    as_postgres "$bin/initdb" -D "$folder/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$folder/initdb.log" 2>&1 \
      || { cat "$folder/initdb.log" >&2; exit 1; }
    # The standby on another loopback address copies and streams from here.
    as_postgres sh -c "cat >>'$folder/data/pg_hba.conf'" <<'EOF'
host    all             all             127.0.0.0/8             trust
host    replication     all             127.0.0.0/8             trust
EOF
    as_postgres sh -c "cat >>'$folder/data/postgresql.conf'" <<'EOF'
wal_level = replica
max_wal_senders = 4
EOF
    start_on "$bin" "$folder" 127.0.0.1
    ;;
  start-standby)
    primary=${2:?primary folder}
    bin=$(pg_bin)
    folder=$(new_folder)
    # -R leaves standby.signal and the primary's address in the copy; the
    # application name is what the primary's synchronous_standby_names names.
    as_postgres "$bin/pg_basebackup" -d "host=127.0.0.1 port=$(port_of "$primary") user=postgres application_name=costdesk_standby" \
      -D "$folder/data" -R -X stream -c fast >"$folder/basebackup.log" 2>&1 \
      || { cat "$folder/basebackup.log" >&2; exit 1; }
    out=$(start_on "$bin" "$folder" 127.0.0.2) || exit 1
    wait_for "$primary" "SELECT state FROM pg_stat_replication WHERE application_name = 'costdesk_standby'" streaming
    # Only now: a primary told to wait for a standby that is not there takes no commit.
    query "$primary" "ALTER SYSTEM SET synchronous_standby_names = 'costdesk_standby'" >/dev/null
    query "$primary" "SELECT pg_reload_conf()" >/dev/null
    wait_for "$primary" "SELECT sync_state FROM pg_stat_replication WHERE application_name = 'costdesk_standby'" sync
    echo "$out"
    ;;
  promote)
    folder=${2:?folder}
    bin=$(pg_bin)
    as_postgres "$bin/pg_ctl" -D "$folder/data" -w -t 60 promote >/dev/null
    # pg_ctl returns once the control file says so, a moment before new
    # sessions may write.
    wait_for "$folder" "SELECT pg_is_in_recovery()" f
    ;;
  stop-fast|stop-immediate)
    folder=${2:?folder}
    bin=$(pg_bin)
    as_postgres "$bin/pg_ctl" -D "$folder/data" -m "${1#stop-}" -w -t 60 stop >/dev/null
    ;;
  *)
    echo "usage: $0 start | restart FOLDER | stop FOLDER | start-primary | start-standby PRIMARY_FOLDER" \
         "| promote FOLDER | stop-fast FOLDER | stop-immediate FOLDER" >&2
    exit 2
    ;;
esac
