#!/usr/bin/env bash
# Takes the README's screenshots (docs/screenshots) of the real program under Wine.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
open_e2e_session
python3 "$LANDOU_ROOT/bench/screenshots.py" "$BUILD/win" "$BUILD/wine-e2e" "$LANDOU_ROOT/docs/screenshots"
ls "$LANDOU_ROOT/docs/screenshots"
