#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it under Wine: on your X
# display when there is one (the command returns when the program ends); otherwise on a virtual
# display of its own, in the background, with a screenshot of the main window.
#   scripts/run.sh          start the program
#   scripts/run.sh --stop   end a program started on a virtual display
set -euo pipefail
. "$(dirname "$0")/lib.sh"

state=$BUILD/run/state
if [ "${1:-}" = "--stop" ]; then
  if [ -f "$state" ]; then
    . "$state"
    wine_environment "$RUN_PREFIX"
    wineserver -k 2>/dev/null || true
    kill "$RUN_XVFB_PID" 2>/dev/null || true
    rm -f "$state"
    echo "Stopped."
  else
    echo "Nothing started by scripts/run.sh is running."
  fi
  exit 0
fi

ensure_packages
build_windows >/dev/null
program=$BUILD/win/bin/landou.exe

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  prepare_prefix "$BUILD/wine-run"
  echo "Starting the program on display $DISPLAY."
  exec wine "$program" "$@"
fi

start_virtual_display
prefix=$BUILD/wine-virtual
prepare_prefix "$prefix" desktop
mkdir -p "$BUILD/run" "$BUILD/screenshots"
wineserver -p >/dev/null 2>&1 </dev/null
(cd "$(dirname "$program")" && exec setsid wine "$program" "$@" >/dev/null 2>&1 </dev/null) &
printf 'RUN_PREFIX=%q\nRUN_XVFB_PID=%q\n' "$prefix" "$XVFB_PID" > "$state"

# Probe output goes through a file: Wine processes started meanwhile would hold a pipe open.
probe() { wine "$BUILD/win/bin/probe.exe" "$@" > "$BUILD/run/probe.json" 2>/dev/null </dev/null; cat "$BUILD/run/probe.json"; }
if probe wait 蓝豆键盘鼠标模拟器 shown 60000 | grep -q '"reached":true'; then
  read -r x y w h < <(probe window 蓝豆键盘鼠标模拟器 | python3 -c "
import json, sys
print(*json.load(sys.stdin)['outer'])")
  shot=$BUILD/screenshots/main-window.png
  import -window root -crop "${w}x${h}+${x}+${y}" "$shot"
  echo "The program runs on the virtual display $DISPLAY."
  echo "Screenshot of the main window: $shot"
else
  echo "The program was started on $DISPLAY, but its main window did not show within a minute." >&2
fi
echo "To stop it: scripts/run.sh --stop"
