#!/bin/sh
# run-display.sh [--openbox] PROGRAM [ARGUMENTS...]
# Runs a program on a virtual X server of its own; with --openbox under a reparenting window
# manager, started and ready before the program. The server picks a free display number itself
# (-displayfd): xvfb-run -a can hand two runs that start at once the same number. Without
# -noreset the server would start afresh, refusing connections, whenever its last client leaves.
set -u
manager=""
if [ "${1:-}" = "--openbox" ]; then
  manager=openbox
  shift
fi
number=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$number" >/dev/null 2>&1 &
server=$!
tries=0
until [ -s "$number" ]; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ] || ! kill -0 "$server" 2>/dev/null; then
    echo "run-display: the X server did not start" >&2
    rm -f "$number"
    exit 1
  fi
  sleep 0.1
done
DISPLAY=":$(head -n 1 "$number")"
export DISPLAY
rm -f "$number"
pid=""
if [ -n "$manager" ]; then
  export SPATIALISER_WINDOW_MANAGER="$manager"
  "$manager" >/dev/null 2>&1 &
  pid=$!
  tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
      echo "run-display: $manager did not start" >&2
      kill "$server"
      exit 1
    fi
    sleep 0.1
  done
  sleep 0.5  # the manager takes over the screen after it has announced itself
fi
"$@"
status=$?
[ -n "$pid" ] && kill "$pid" 2>/dev/null
kill "$server" 2>/dev/null
wait
exit $status
