#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every check: the unit tests, the unit
# tests again under AddressSanitizer with UndefinedBehaviorSanitizer and (the threaded ones)
# under ThreadSanitizer, a short fuzzing of each parser of outside input, and the end-to-end
# tests under Wine. Each part ends with its own "N passed, M failed" line (a unit or end-to-end
# test, a sanitizer run, a fuzz target each count once); the last line sums them. Exits
# non-zero when anything failed.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages || exit 1
mkdir -p "$BUILD"
passed=0
failed=0
tally() {  # PART PASSED FAILED
  echo "$1: $2 passed, $3 failed"
  passed=$((passed + $2))
  failed=$((failed + $3))
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

# The unit tests of BINARY with gtest's ARGS; sets tests_passed and tests_failed.
unit_tests() {  # BINARY JSON [ARGS...]
  local binary=$1 json=$2
  shift 2
  rm -f "$json"
  "$binary" --gtest_brief=1 --gtest_output="json:$json" "$@"
  local status=$?
  read -r tests_total tests_failed < <(python3 -c "
import json, sys
r = json.load(open(sys.argv[1]))
print(r['tests'], r['failures'] + r.get('errors', 0))" "$json" 2>/dev/null || echo "0 1")
  tests_passed=$((tests_total - tests_failed))
  # A sanitizer's report ends the process with an error: the run fails whatever it counted.
  [ "$status" -eq 0 ] || [ "$tests_failed" -gt 0 ] || tests_failed=1
}

echo "== Native build and unit tests"
build_native || { tally unit 0 1; finish; }
unit_tests "$BUILD/native/tests/unit/unit_tests" "$BUILD/unit-tests.json"
tally unit "$tests_passed" "$tests_failed"

echo "== Unit tests under sanitizers"
sanitizers_passed=0
sanitizers_failed=0
sanitized() {  # NAME SANITIZERS [GTEST ARGS...]
  local name=$1 list=$2
  shift 2
  if build_sanitized "$name" "$list" >/dev/null && {
       unit_tests "$BUILD/$name/tests/unit/unit_tests" "$BUILD/$name-tests.json" "$@"
       [ "$tests_failed" -eq 0 ]; }; then
    echo "$name: $tests_passed tests clean"
    sanitizers_passed=$((sanitizers_passed + 1))
  else
    echo "$name: failed"
    sanitizers_failed=$((sanitizers_failed + 1))
  fi
}
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
sanitized asan address,undefined
sanitized tsan thread
tally sanitizers "$sanitizers_passed" "$sanitizers_failed"

echo "== Fuzzing each parser of outside input (${FUZZ_SECONDS:=15} s each)"
fuzz_log=$BUILD/fuzz.log
"$LANDOU_ROOT/scripts/fuzz.sh" "$FUZZ_SECONDS" 2>&1 | tee "$fuzz_log" | grep -v '^fuzz: '  # tallied below
read -r fuzz_passed fuzz_failed < <(sed -n 's/^fuzz: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$fuzz_log")
tally fuzz "${fuzz_passed:-0}" "${fuzz_failed:-1}"

echo "== Windows builds: GCC, GCC with local web addresses, clang; the release package"
if ! build_windows || ! build_windows_online || ! "$LANDOU_ROOT/scripts/package.sh"; then
  tally windows-build 0 1
  finish
fi
if build_windows_clang; then tally clang-build 1 0; else tally clang-build 0 1; fi

echo "== Layers: each includes only from itself and the layers below it (native and Windows builds)"
if python3 "$LANDOU_ROOT/tests/layers/check_layers.py" "$BUILD/native" &&
  python3 "$LANDOU_ROOT/tests/layers/check_layers.py" "$BUILD/win"; then
  tally layers 1 0
else
  tally layers 0 1
fi

echo "== End-to-end tests under Wine"
start_virtual_display || { tally display 0 1; finish; }
trap 'kill $XVFB_PID 2>/dev/null' EXIT
prepare_prefix "$BUILD/wine-e2e" desktop
e2e_log=$BUILD/e2e-tests.log
python3 "$LANDOU_ROOT/tests/e2e/run.py" "$BUILD/win" "$BUILD/wine-e2e" 2>&1 | tee "$e2e_log"
read -r e2e_passed e2e_failed < <(sed -n 's/^end-to-end: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$e2e_log")
passed=$((passed + ${e2e_passed:-0}))
failed=$((failed + ${e2e_failed:-1}))
finish
