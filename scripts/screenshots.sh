#!/usr/bin/env bash
# Takes the README's screenshots (docs/screenshots) of the real program under Wine.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
ensure_packages
build_windows >/dev/null
start_virtual_display
trap 'kill $XVFB_PID 2>/dev/null' EXIT
prepare_prefix "$BUILD/wine-e2e" desktop
python3 "$LANDOU_ROOT/tests/e2e/screenshots.py" "$BUILD/win" "$BUILD/wine-e2e" "$LANDOU_ROOT/docs/screenshots"
ls "$LANDOU_ROOT/docs/screenshots"
