#!/usr/bin/env bash
# The program under faults, under Wine on a virtual display of its own.
#   scripts/stress.sh f11 [N]      N (1000) real F11 presses at random intervals of 1-300 ms while
#                                  a macro plays into the test target and notepad; then: alive,
#                                  the caption, runs that acted at once, keys left down
#   scripts/stress.sh hung [TIMES] F11 during a call that hangs on a window that stopped
#                                  answering (the time to the caption's change), and the close
#                                  box during such a call (the time to the process's end)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
case "${1:-}" in
  f11|hung) ;;
  *) echo "usage: scripts/stress.sh f11 [N] | hung [TIMES]" >&2; exit 2 ;;
esac
open_e2e_session
python3 "$LANDOU_ROOT/bench/stress.py" "$BUILD/win" "$BUILD/wine-e2e" "$@"
