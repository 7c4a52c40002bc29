#!/usr/bin/env bash
# Runs every test through CTest with a private PostgreSQL server of its own,
# started for the run and stopped afterwards.
set -uo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)

pg_folder=""
if out=$("$here/pg-test-server.sh" start); then
  pg_folder=$(sed -n 1p <<<"$out")
  export COSTDESK_TEST_PG=$(sed -n 2p <<<"$out")
  echo "PostgreSQL test server: $COSTDESK_TEST_PG"
else
  echo "************************************************************************"
  echo "*** COULD NOT START POSTGRESQL: the PostgreSQL tests cannot run, and  ***"
  echo "*** the run fails once the SQLite half has been shown.               ***"
  echo "************************************************************************"
fi
cleanup() { [ -n "$pg_folder" ] && "$here/pg-test-server.sh" stop "$pg_folder"; }
trap cleanup EXIT

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/costdesk-runtime.XXXXXX)}
chmod 700 "$XDG_RUNTIME_DIR"
ctest --test-dir "$build" --output-on-failure -j 2
status=$?
# Half a run is no pass: the shared server is what the workstations use.
if [ -z "$pg_folder" ]; then
  echo "FAILED: the PostgreSQL half of the suite did not run." >&2
  exit 1
fi
exit $status
