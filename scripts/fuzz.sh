#!/usr/bin/env bash
# Fuzzes each parser of outside input with libFuzzer (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer): the data file reader, the command-line splitter, the notice page,
# the text-to-number reader, the code page 936 decoder and the key names a scripting host passes
# to the component. Each starts from its corpus in
# tests/fuzz/corpus.
#   scripts/fuzz.sh [SECONDS]      each target for SECONDS (60)
#   scripts/fuzz.sh --long [RUNS [SECONDS [CORPUS...]]]
#                                  each target until RUNS inputs (10,000,000) have run, or for
#                                  SECONDS at most; then its corpus in the repository is replaced
#                                  by the minimised merge of what it found. CORPUS names (reader,
#                                  commandline, notice, number, codepage, keys) choose targets, so
#                                  that two runs can share the processors once the first has built
# FUZZ_JOBS=N runs N processes on each target that share its corpus and its inputs to run.
# Prints executions, coverage and crashes per target, ends with "fuzz: N passed, M failed" and
# exits with the number of targets that found a crash (inputs kept in build/fuzz/findings).
set -euo pipefail
. "$(dirname "$0")/lib.sh"
long=false
if [ "${1:-}" = "--long" ]; then
  long=true
  jobs=${FUZZ_JOBS:-1}
  limit=(-runs="$(( ${2:-10000000} / jobs ))")
  [ -n "${3:-}" ] && limit+=(-max_total_time="$3")
  if [ "$jobs" -gt 1 ]; then limit+=(-jobs="$jobs" -workers="$jobs"); fi
  chosen=("${@:4}")
else
  limit=(-max_total_time="${1:-60}")
  chosen=()
fi
ensure_packages
cmake -S "$LANDOU_ROOT" -B "$BUILD/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DLANDOU_FUZZ=ON >/dev/null
cmake --build "$BUILD/fuzz" >/dev/null

sources=$LANDOU_ROOT/tests/fuzz
mkdir -p "$BUILD/fuzz/findings"
status=0
targets=0
run() {  # TARGET CORPUS MAX_LEN [DICTIONARY]
  local target=$1 corpus=$BUILD/fuzz/corpus/$2 kept=$sources/corpus/$2 log=$BUILD/fuzz/$1.log
  local options=(-max_len="$3" -print_final_stats=1 -artifact_prefix="$BUILD/fuzz/findings/$1-")
  [ -n "${4:-}" ] && options+=(-dict="$sources/$4")
  if [ ${#chosen[@]} -gt 0 ] && [[ " ${chosen[*]} " != *" $2 "* ]]; then return; fi
  targets=$((targets + 1))
  rm -rf "$corpus" "$BUILD/fuzz/findings/$1-"*
  mkdir -p "$corpus"
  cp "$kept"/* "$corpus/"
  # Jobs write their logs (fuzz-N.log) in the folder they start in; the first process prints each
  # when its job ends.
  local folder=$BUILD/fuzz/jobs/$2
  rm -rf "$folder" && mkdir -p "$folder"
  (cd "$folder" && "$BUILD/fuzz/tests/fuzz/$target" "${limit[@]}" "${options[@]}" "$corpus") > "$log" 2>&1 || true
  local executions coverage crashes=0
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | awk '{ sum += $1 } END { print sum + 0 }')
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1)
  if ls "$BUILD/fuzz/findings/$target-"* >/dev/null 2>&1; then
    crashes=$(ls "$BUILD/fuzz/findings/$target-"* | wc -l)
    status=$((status + 1))
    grep -E 'ERROR|SUMMARY' "$log" | head -n 5
  fi
  echo "$target: ${executions:-0} inputs, ${coverage:-no coverage}, $crashes crashes"
  if $long && [ "$crashes" -eq 0 ]; then
    local merged=$BUILD/fuzz/merged/$2
    rm -rf "$merged" && mkdir -p "$merged"
    "$BUILD/fuzz/tests/fuzz/$target" -merge=1 -max_len="$3" "$merged" "$corpus" >/dev/null 2>&1
    rm -rf "$kept" && cp -r "$merged" "$kept"
    echo "  corpus: $(ls "$kept" | wc -l) inputs kept in tests/fuzz/corpus/$2"
  fi
}
# The reader takes a file a record at a time, with nothing carried from one record to the next:
# a longer input only adds records, and would only slow the search.
run ScriptReaderFuzz reader 4096 ScriptReader.dict
run CommandLineFuzz commandline 8192
run NoticePageFuzz notice 65536 NoticePage.dict
run TextToNumberFuzz number 256
run CodePageFuzz codepage 4096
run KeyNameFuzz keys 256
echo "fuzz: $((targets - status)) passed, $status failed"
exit $status
