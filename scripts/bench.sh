#!/usr/bin/env bash
# Benchmarks of the Windows program under Wine, on a virtual display of their own.
#   scripts/bench.sh startup [RUNS]   start-up time to the shown main window, against a
#                                     minimal Win32 window program, and to the end of start-up
#                                     with a notice server that answers, none, and a hung one
#   scripts/bench.sh list [ROWS] [N]  the command list: ROWS rows added one by one through
#                                     createRow and deleted again, messages handled every N rows
#   scripts/bench.sh script [ROWS]    a data file of ROWS rows imported into the list and
#                                     exported again: times and peak memory
#   scripts/bench.sh badfiles [MB]    data files of MB megabytes (64) that are garbage, separators
#                                     only, lead bytes only or a valid list, each read into the
#                                     list by a process of its own: rows, time and peak memory
#   scripts/bench.sh component [CALLS] the size of qdauto.dll and the median time of one MoveTo
#                                     call by name through IDispatch
#   scripts/bench.sh playback [ROWS [PASSES [LOADED]]]  every call of ROWS clicking rows (60)
#                                     played PASSES times (10) against the ideal timeline, issued
#                                     and received, beside waits each from its own start and plain
#                                     Sleep waits; then LOADED passes (3) with both processors
#                                     busy at a higher priority: the gaps between move and click,
#                                     beside plain Sleep's; the latency of F11 beside a bare
#                                     program's (ROWS 0: only that latency; PASSES 0: no quiet passes)
#   scripts/bench.sh idle [SECONDS]   the processor time the program uses over SECONDS (60) in
#                                     which nothing runs, beside the minimal window program
set -euo pipefail
. "$(dirname "$0")/lib.sh"
open_e2e_session
case "${1:-startup}" in
  startup) python3 "$LANDOU_ROOT/bench/startup.py" "$BUILD/win" "$BUILD/wine-e2e" "${2:-9}" ;;
  list) wine "$BUILD/win/bin/bench-list.exe" "${2:-10000}" "${3:-100}" ;;
  script) (cd "$BUILD" && wine "$BUILD/win/bin/bench-script.exe" "${2:-100000}") ;;
  badfiles) python3 "$LANDOU_ROOT/bench/badfiles.py" "$BUILD/win" "${2:-64}" ;;
  component) python3 "$LANDOU_ROOT/bench/component.py" "$BUILD/win" "$BUILD/wine-e2e" "${2:-5000}" ;;
  idle) python3 "$LANDOU_ROOT/bench/idle.py" "$BUILD/win" "$BUILD/wine-e2e" "${2:-60}" ;;
  playback) python3 "$LANDOU_ROOT/bench/playback.py" "$BUILD/win" "$BUILD/wine-e2e" "${2:-60}" "${3:-10}" "${4:-3}" ;;
  *) echo "usage: scripts/bench.sh startup [RUNS] | list [ROWS] [N] | script [ROWS] | badfiles [MB] | component [CALLS] | playback [ROWS [PASSES [LOADED]]] | idle [SECONDS]" >&2; exit 2 ;;
esac
