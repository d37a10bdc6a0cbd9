#!/usr/bin/env bash
# Installs what is missing, builds both builds, runs every unit and end-to-end test, and ends
# with the line "N passed, M failed". Exits non-zero when anything failed.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages || exit 1
mkdir -p "$BUILD"

echo "== Native build and unit tests"
build_native || { echo "0 passed, 1 failed"; exit 1; }
unit_json=$BUILD/unit-tests.json
"$BUILD/native/tests/unit/unit_tests" --gtest_brief=1 --gtest_output="json:$unit_json"
read -r unit_total unit_failed < <(python3 -c "
import json, sys
r = json.load(open(sys.argv[1]))
print(r['tests'], r['failures'] + r.get('errors', 0))" "$unit_json" 2>/dev/null || echo "0 1")
unit_passed=$((unit_total - unit_failed))
echo "unit: $unit_passed passed, $unit_failed failed"

echo "== Fuzzing the data file reader, the command-line splitter and the notice page (${FUZZ_SECONDS:=15} s each)"
fuzz_log=$BUILD/fuzz.log
"$LANDOU_ROOT/scripts/fuzz.sh" "$FUZZ_SECONDS" 2>&1 | tee "$fuzz_log"
read -r fuzz_passed fuzz_failed < <(sed -n 's/^fuzz: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$fuzz_log")
unit_passed=$((unit_passed + ${fuzz_passed:-0}))
unit_failed=$((unit_failed + ${fuzz_failed:-1}))

echo "== Windows build and end-to-end tests under Wine"
if ! build_windows || ! build_windows_online; then
  echo "$unit_passed passed, $((unit_failed + 1)) failed"
  exit 1
fi
start_virtual_display || { echo "$unit_passed passed, $((unit_failed + 1)) failed"; exit 1; }
trap 'kill $XVFB_PID 2>/dev/null' EXIT
prepare_prefix "$BUILD/wine-e2e" desktop
e2e_log=$BUILD/e2e-tests.log
python3 "$LANDOU_ROOT/tests/e2e/run.py" "$BUILD/win" "$BUILD/wine-e2e" 2>&1 | tee "$e2e_log"
read -r e2e_passed e2e_failed < <(sed -n 's/^end-to-end: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$e2e_log")
e2e_passed=${e2e_passed:-0}
e2e_failed=${e2e_failed:-1}

passed=$((unit_passed + e2e_passed))
failed=$((unit_failed + e2e_failed))
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
