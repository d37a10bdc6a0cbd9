#!/usr/bin/env bash
# Benchmarks of the Windows program under Wine, on a virtual display of their own.
#   scripts/bench.sh startup [RUNS]   start-up time to the shown main window, against a
#                                     minimal Win32 window program
set -euo pipefail
. "$(dirname "$0")/lib.sh"
ensure_packages
build_windows >/dev/null
start_virtual_display
trap 'kill $XVFB_PID 2>/dev/null' EXIT
prepare_prefix "$BUILD/wine-e2e" desktop
case "${1:-startup}" in
  startup) python3 "$LANDOU_ROOT/tests/e2e/bench_startup.py" "$BUILD/win" "$BUILD/wine-e2e" "${2:-9}" ;;
  *) echo "usage: scripts/bench.sh startup [RUNS]" >&2; exit 2 ;;
esac
