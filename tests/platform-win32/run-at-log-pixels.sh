#!/bin/sh
# run-at-log-pixels.sh DPI PREFIX PROGRAM [ARGUMENTS...]
# Runs a Windows program under Wine with the system DPI set to DPI (LogPixels), in a Wine prefix
# of its own at PREFIX (made on first use), so that programs running in the shared prefix at the
# same time keep 96.
set -u
dpi=$1
prefix=$2
shift 2
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
export WINEPREFIX="$prefix" WINEDEBUG=-all
# The loader of the program's own kind: the 64-bit one also where no 32-bit program runs.
loader=wine
if [ "$("$scripts/pe-machine" "$1")" = x86-64 ]; then
  loader=/usr/lib/wine/wine64
  export WINELOADER=$loader
fi
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  "$loader" wineboot -i >/dev/null 2>&1 || true
fi
"$loader" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w  # the registry is on disk before the program's process reads it
exec "$scripts/wine-run" "$@"
