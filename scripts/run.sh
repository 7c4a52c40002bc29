#!/usr/bin/env bash
# Starts CostDesk. On the embedded database it creates the demonstration
# database first, the first time only.
#   run.sh --check-display   only checks that there is a screen to show it on
set -euo pipefail
build=${1:-build}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
  echo "No display found. CostDesk is a desktop program; on a machine without a screen run it under a"
  echo "virtual display instead:   xvfb-run -a make run"
  exit 1
fi
[ "$build" = --check-display ] && exit 0

settings="${XDG_CONFIG_HOME:-$HOME/.config}/costdesk/costdesk.ini"
if [ -z "${COSTDESK_DATABASE:-}" ] && ! grep -qs '^database=' "$settings"; then
  db="${XDG_DATA_HOME:-$HOME/.local/share}/costdesk/costdesk.sqlite"
  if [ ! -f "$db" ]; then
    echo "Creating the demonstration database $db"
    "$build/costdesk-admin" init "sqlite:$db"
    "$build/costdesk-admin" demo "sqlite:$db"
  fi
fi
exec "$build/costdesk" "${@:2}"
