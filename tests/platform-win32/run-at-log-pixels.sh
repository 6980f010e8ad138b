#!/bin/sh
# run-at-log-pixels.sh DPI PREFIX PROGRAM [ARGUMENTS...]
# Runs a Windows program under Wine with the system DPI set to DPI (LogPixels), in a Wine prefix
# of its own at PREFIX (made on first use), so that programs running in the shared prefix at the
# same time keep 96.
set -u
dpi=$1
prefix=$2
shift 2
export WINEPREFIX="$prefix" WINEDEBUG=-all
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  wineboot -i >/dev/null 2>&1 || true
fi
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w  # the registry is on disk before the program's process reads it
exec wine "$@"
