#!/usr/bin/env bash
# Follows the PostgreSQL set-up of the administrator's guide,
# docs/administration.md, as the person setting up the server would, on a
# throwaway cluster of its own with password authentication on: the blocks
# marked "<!-- readme-test: NAME -->" are taken from the guide and run or
# written as they stand. The server is 127.0.0.1 ("localhost" in the guide),
# the workstation reaches it as 127.0.0.2 ("dbserver"), and the office's
# network is 127.0.0.1/32, the address both come from.
#   readme-server-test.sh BUILD_FOLDER [GUIDE]
# Exit status 77 (skipped) when no PostgreSQL server is installed.
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_FOLDER [GUIDE]}" && pwd)
readme=${2:-$(dirname "$0")/../docs/administration.md}
admin=$build/costdesk-admin
[ -x "$admin" ] || { echo "$admin not built" >&2; exit 1; }
unset PGPASSWORD PGPASSFILE PGSERVICE PGUSER PGDATABASE PGHOST PGPORT PGCLUSTER

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bin" ]; then
  echo "*** PostgreSQL server binaries not found: the guide's server steps are NOT checked ***"
  exit 77
fi

fail() { echo "server steps of $(basename "$readme"): $*" >&2; exit 1; }

# Every fenced block under the marker NAME, in the guide's order.
block() {
  awk -v marker="<!-- readme-test: $1 -->" '
    $0 == marker { armed = 1; next }
    armed && /^```/ { if (inside) { inside = 0; armed = 0; found++ } else inside = 1; next }
    inside { print }
    END { exit found ? 0 : 1 }' "$readme" || fail "no block marked 'readme-test: $1'"
}

root=no
[ "$(id -u)" = 0 ] && root=yes
as_postgres() { if [ $root = yes ]; then runuser -u postgres -- "$@"; else "$@"; fi; }

folder=$(mktemp -d /tmp/costdesk-readme.XXXXXX)
[ $root = yes ] && chown postgres:postgres "$folder"
cleanup() {
  as_postgres "$bin/pg_ctl" -D "$folder/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$folder"
}
trap cleanup EXIT

as_postgres "$bin/initdb" -D "$folder/data" -U postgres -E UTF8 --locale=C.UTF-8 >"$folder/initdb.log" 2>&1 \
  || { cat "$folder/initdb.log" >&2; fail "initdb failed"; }
# Much as a fresh Debian server has it: the postgres user on the local
# socket, passwords over TCP, listening on the server itself only. A
# workstation on 127.0.0.2 reaches the server from 127.0.0.1 as well, so
# TCP from there opens only the database postgres (which init needs) here,
# where Debian opens every database, and costdesk to its owner, whose steps
# run on the server itself: the gate and the people reach costdesk only
# through the guide's own line.
cat >"$folder/hba" <<'EOF'
local   all        all                     trust
host    postgres   all   127.0.0.1/32      scram-sha-256
host    costdesk   costdesk   127.0.0.1/32      scram-sha-256
EOF
cat >"$folder/conf" <<EOF
listen_addresses = '127.0.0.1'
unix_socket_directories = '$folder'
password_encryption = scram-sha-256
fsync = off
EOF
as_postgres cp "$folder/hba" "$folder/data/pg_hba.conf"
as_postgres sh -c "cat '$folder/conf' >>'$folder/data/postgresql.conf'"

port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
start() { as_postgres "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 30 -o "-p $port" start >/dev/null; }
port=
for attempt in $(seq 1 20); do
  candidate=$(( 20000 + RANDOM % 30000 ))
  port_free "$candidate" || continue
  port=$candidate
  start && break
  port=
done
[ -n "$port" ] || { cat "$folder/server.log" >&2; fail "could not start PostgreSQL"; }

# The guide calls the installed costdesk-admin (or, in older text, the one in
# build/): either, as a command, becomes this build's. A command is one at the
# start of a line, after "$(", "&&", "|" or a blank; a word such as
# /usr/bin/costdesk-admin or "costdesk-admin:" is no command and stays.
substitute() {
  sed -e "s|build/costdesk-admin|\"$admin\"|g" \
      -e "s#\(^\|\\\$(\|&&\||\|[[:space:]]\)costdesk-admin\([[:space:]]\|\$\)#\1\"$admin\"\2#g" \
      -e "s|localhost:5432|127.0.0.1:$port|g" \
      -e "s|dbserver:5432|127.0.0.2:$port|g" \
      -e "s|192\.168\.1\.0/24|127.0.0.1/32|g" \
      -e "s|^\(listen_addresses *= *\)'\*'|\1'127.0.0.1,127.0.0.2'|"
}

# 1. The workstations let in, and the server restarted.
conf=$(block postgresql.conf | substitute)
hba=$(block pg_hba.conf | substitute)
grep -q "^listen_addresses = '127.0.0.1,127.0.0.2'" <<<"$conf" || fail "postgresql.conf block: $conf"
grep -q "127.0.0.1/32" <<<"$hba" || fail "pg_hba.conf block names no office network: $hba"
as_postgres sh -c "printf '%s\n' \"\$1\" >>'$folder/data/postgresql.conf'; printf '%s\n' \"\$2\" >>'$folder/data/pg_hba.conf'" \
  sh "$conf" "$hba"
as_postgres "$bin/pg_ctl" -D "$folder/data" -w -t 30 -m fast stop >/dev/null
start || { cat "$folder/server.log" >&2; fail "the server did not start again with the guide's settings"; }

# 2 and 3. The server's own steps, as root (or as this user, who owns the
# cluster), in a session without a terminal so that createuser --pwprompt
# reads the password it asks for twice from its input.
server=$(block server | substitute)
grep -q "127.0.0.1:$port" <<<"$server" || fail "the server's steps name no localhost:5432"
password=$(sed -n "s/^export PGPASSWORD='\([^']*\)'.*/\1/p" <<<"$server" | head -n 1)
[ -n "$password" ] || fail "the server's steps set no PGPASSWORD for init"
if [ $root = yes ]; then
  prelude='sudo() { [ "$1" = -u ] || { "$@"; return; }; local u=$2; shift 2; runuser -u "$u" -- "$@"; }'
else
  export PGUSER=postgres
  prelude='runuser() { [ "$1" = -u ] && shift 3; "$@"; }; sudo() { [ "$1" = -u ] && shift 2; "$@"; }'
fi
mkdir -p "$folder/server-home"
# The gate's password the guide gives psql's \password is the one the
# workstations' ~/.pgpass holds.
gate_password=$(block '~/.pgpass' | cut -d: -f5)
[ -n "$gate_password" ] || fail "the workstation's ~/.pgpass holds no password"
person_password=$(sed -n "s/^printf '%s\\\\n' '\([^']*\)' | .*add-user.*/\1/p" <<<"$server" | head -n 1)
[ -n "$person_password" ] || fail "the server's steps add no account with a password"
grep -qF "'$gate_password' '$gate_password' |" <<<"$server" || fail "the gate is not given the password ~/.pgpass holds"
if ! printf '%s\n%s\n' "$password" "$password" \
    | HOME=$folder/server-home PGHOST=$folder PGPORT=$port setsid -w bash -euo pipefail -c "$prelude
$server" >"$folder/server.out" 2>"$folder/server.err"; then
  cat "$folder/server.out" "$folder/server.err" >&2
  fail "a server step failed"
fi
unset PGUSER
if grep -E "NOTICE|WARNING|Unable to free|fe_sendauth|costdesk-admin:" "$folder/server.err" >&2; then
  fail "the server's steps printed the lines above on stderr"
fi

sql() { PGHOST=$folder PGPORT=$port as_postgres "$bin/psql" -U postgres -d "$1" -XAtq -c "$2"; }
[ "$(sql postgres "SELECT rolcreatedb FROM pg_roles WHERE rolname = 'costdesk'")" = f ] \
  || fail "the login keeps CREATEDB after init"
[ "$(sql postgres "SELECT rolpassword LIKE 'SCRAM-SHA-256\$%' FROM pg_authid WHERE rolname = 'costdesk'")" = t ] \
  || fail "the login's password is not kept as SCRAM"
users=$(grep -c "costdesk-admin\" add-user" <<<"$server")
locations=$(grep -c "costdesk-admin\" add-location" <<<"$server")
costTypes=$(grep -c "costdesk-admin\" add-cost-type" <<<"$server")
[ "$locations" -gt 0 ] && [ "$costTypes" -gt 0 ] && [ "$users" -gt 0 ] \
  || fail "the server's steps add no account, location or cost type"
[ "$(sql costdesk "SELECT COUNT(*) FROM T_USER WHERE section IN (3, 6, 9)")" = "$users" ] || fail "accounts: $(sql costdesk 'SELECT * FROM T_USER')"
[ "$(sql costdesk "SELECT COUNT(*) FROM Tr_Place_Cafeteria WHERE Place_Code <> ''")" = "$locations" ] || fail "locations"
[ "$(sql costdesk "SELECT COUNT(*) FROM Tr_Cost_Type")" = "$costTypes" ] || fail "cost types"

# 4. A workstation: the password in ~/.pgpass, the URL in the settings file,
# reaching the server from the office's network.
ws=$folder/workstation
mkdir -p "$ws/.config/costdesk"
block '~/.pgpass' | substitute >"$ws/.pgpass"
chmod 600 "$ws/.pgpass"
block '~/.config/costdesk/costdesk.ini' | substitute >"$ws/.config/costdesk/costdesk.ini"
url=$(sed -n 's/^database=//p' "$ws/.config/costdesk/costdesk.ini")
[[ $url == postgresql://*@127.0.0.2:$port/* ]] || fail "the workstation's settings name no dbserver:5432: $url"
# A person signs in through the gate and works on their own login.
signed_in() {
  printf '%s\n' "$person_password" | HOME=$ws "$admin" export "$url" --report due --from 01/01/2569 --to 31/12/2570 \
    --user somchai --xlsx "$1"
}
if ! signed_in "$folder/ws.xlsx" >"$folder/ws.out" 2>"$folder/ws.err"; then
  cat "$folder/ws.err" >&2
  fail "a person cannot sign in from the workstation"
fi
[ -s "$folder/ws.xlsx" ] || fail "the person's export wrote nothing"
# The gate itself reads no account, and a person's wrong password is refused.
HOME=$ws "$bin/psql" "$url" -XAtqc "SELECT Username FROM T_USER" >/dev/null 2>&1 && fail "the gate reads T_USER"
printf 'Wrong-1\n' | HOME=$ws "$admin" export "$url" --report due --from 01/01/2569 --to 31/12/2570 \
  --user somchai --xlsx "$folder/wrong.xlsx" >/dev/null 2>&1 && fail "a wrong password signed in"
# Without the password the server turns the workstation away.
mkdir -p "$folder/nobody"
if HOME=$folder/nobody "$admin" list-locations "$url" >/dev/null 2>"$folder/nobody.err"; then
  fail "the server let a workstation in without a password"
fi
grep -qi password "$folder/nobody.err" || { cat "$folder/nobody.err" >&2; fail "no password asked for"; }

# The server's log, set up as the guide says, keeps no value of a failed
# statement: the password of an account added twice stays out of it (the
# statement prepared and run as Qt's driver sends them).
PGPASSWORD=$password "$bin/psql" -h 127.0.0.1 -p "$port" -U costdesk -d costdesk -XAtq \
  -c "PREPARE twice(text) AS INSERT INTO T_USER (ID, Username, Password, section) VALUES (1, 'twice', \$1, 3)" \
  -c "EXECUTE twice('Leaked-2569')" >/dev/null 2>&1 && fail "an account was added twice"
sleep 0.5
grep -q "Leaked-2569" "$folder/server.log" && fail "the server's log holds a failed statement's values"
grep -q "duplicate key" "$folder/server.log" || fail "the failed statement was not logged at all"

# 5. A backup and a restore as costdesk-admin advises them: the pg_dump line
# it prints, run as the schema's owner, writes a file for its owner alone;
# the restore steps it prints, run as root on the server, bring back what
# the dump held.
# The dump is the schema owner's to take (the gate reads no table).
owner_url=postgresql://costdesk@127.0.0.1:$port/costdesk
export PGPASSWORD=$password
HOME=$ws "$admin" backup "$owner_url" "$folder/costdesk.dump" >/dev/null 2>"$folder/backup.err" && fail "backup of a server URL ended with 0"
dump=$(sed -n 's/^  \((umask 077 && pg_dump .*)\)$/\1/p' "$folder/backup.err")
[ -n "$dump" ] || { cat "$folder/backup.err" >&2; fail "backup printed no pg_dump line"; }
(cd "$ws" && HOME=$ws bash -euo pipefail -c "$dump") || fail "the printed pg_dump line failed: $dump"
[ "$(stat -c %a "$folder/costdesk.dump")" = 600 ] || fail "the dump is not its owner's alone"
[ $root = yes ] && chown postgres "$folder/costdesk.dump" && chmod 600 "$folder/costdesk.dump"
"$admin" add-location "$owner_url" 99 'หลังการสำรอง' >/dev/null 2>&1 || fail "a location could not be added after the dump"
[ "$(sql costdesk "SELECT COUNT(*) FROM Tr_Place_Cafeteria WHERE Place_Code <> ''")" = $((locations + 1)) ] || fail "added location"
unset PGPASSWORD
HOME=$ws "$admin" restore "$folder/costdesk.dump" "$url" >/dev/null 2>"$folder/restore.err" && fail "restore of a server URL ended with 0"
steps=$(sed -n 's/^     \(runuser -u postgres -- .*\)$/\1/p' "$folder/restore.err")
[ "$(wc -l <<<"$steps")" = 3 ] || { cat "$folder/restore.err" >&2; fail "restore printed no three steps to run"; }
if ! PGHOST=$folder PGPORT=$port bash -euo pipefail -c "$prelude
$steps" >"$folder/restore.out" 2>"$folder/restore.steps.err"; then
  cat "$folder/restore.out" "$folder/restore.steps.err" >&2
  fail "the printed restore steps failed"
fi
[ "$(sql costdesk "SELECT COUNT(*) FROM Tr_Place_Cafeteria WHERE Place_Code <> ''")" = "$locations" ] \
  || fail "the restored database does not hold what the dump held"
[ "$(sql postgres "SELECT COUNT(*) FROM pg_database WHERE datname = 'costdesk_before_restore'")" = 1 ] \
  || fail "the replaced database was not kept aside"
signed_in "$folder/restored.xlsx" >/dev/null 2>&1 || fail "a person cannot sign in to the restored database"

echo "Server steps of $(basename "$readme") followed: $users account(s), $locations location(s), $costTypes cost type(s);" \
     "a person signs in on 127.0.0.2 through the gate of its ~/.pgpass; the advised dump and restore bring them back"
