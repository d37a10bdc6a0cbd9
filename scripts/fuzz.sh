#!/usr/bin/env bash
# Fuzzes the data file reader, the command-line splitter and the notice page (libFuzzer, clang)
# for SECONDS each (default 60). Ends with the line "fuzz: N passed, M failed" and exits with
# the number of fuzzers that found a crash; the inputs are kept in build/fuzz/findings.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
seconds=${1:-60}
ensure_packages
cmake -S "$LANDOU_ROOT" -B "$BUILD/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DLANDOU_FUZZ=ON >/dev/null
cmake --build "$BUILD/fuzz" >/dev/null

corpus=$BUILD/fuzz/corpus
rm -rf "$BUILD/fuzz/findings"
mkdir -p "$corpus/reader" "$corpus/commandline" "$corpus/notice" "$BUILD/fuzz/findings"
printf '\xca\xf3\xb1\xea]]][[[100]]][[[200]]][[[\xd7\xf3\xbc\xfc\xb5\xa5\xbb\xf7]]][[[100]]][[[*+++---' > "$corpus/reader/seed"
printf '"C:\\Program Files\\landou\\landou.exe" "C:\\My Files\\a b.qd"' > "$corpus/commandline/seed"
# 鼠键广告[ad]链接[http://a]更新内容[new]更新地址[https://b] in code page 936
printf '\xca\xf3\xbc\xfc\xb9\xe3\xb8\xe6[ad]\xc1\xb4\xbd\xd3[http://a]\xb8\xfc\xd0\xc2\xc4\xda\xc8\xdd[new]\xb8\xfc\xd0\xc2\xb5\xd8\xd6\xb7[https://b]' > "$corpus/notice/seed"

status=0
targets=0
run() {  # TARGET CORPUS MAX_LEN
  echo "== $1 for ${seconds} s"
  targets=$((targets + 1))
  if "$BUILD/fuzz/tests/fuzz/$1" -max_total_time="$seconds" -max_len="$3" -print_final_stats=1 \
       -artifact_prefix="$BUILD/fuzz/findings/$1-" "$corpus/$2" 2>&1 | grep -E 'stat::number_of_executed_units|ERROR|SUMMARY'; then
    :
  fi
  if ls "$BUILD/fuzz/findings/$1-"* >/dev/null 2>&1; then status=$((status + 1)); echo "$1 found a crash: $BUILD/fuzz/findings"; fi
}
run ScriptReaderFuzz reader 1048576
run CommandLineFuzz commandline 8192
run NoticePageFuzz notice 1048576
echo "fuzz: $((targets - status)) passed, $status failed"
exit $status
