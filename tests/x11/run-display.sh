#!/bin/sh
# run-display.sh [--openbox] PROGRAM [ARGUMENTS...]
# Runs a program on a virtual X server of its own; with --openbox under a reparenting window
# manager, started and ready before the program.
set -u
manager=""
if [ "${1:-}" = "--openbox" ]; then
  manager=openbox
  shift
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  manager="$1"; shift
  if [ -n "$manager" ]; then
    "$manager" >/dev/null 2>&1 &
    pid=$!
    tries=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
      tries=$((tries + 1))
      [ "$tries" -gt 100 ] && { echo "run-display: $manager did not start" >&2; exit 1; }
      sleep 0.1
    done
    sleep 0.5  # the manager takes over the screen after it has announced itself
  fi
  "$@"
  status=$?
  [ -n "$manager" ] && kill "$pid" 2>/dev/null
  exit $status' run-display "$manager" "$@"
