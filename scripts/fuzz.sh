#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang and the address and undefined-behaviour
# sanitizers in their own build folder, then runs each, one after the other, for SECONDS
# (default 30) on a scratch copy of its committed corpus: the committed seeds are never
# written to. Prints one line per target and fails when any target finds a crash, a leak,
# a sanitizer report, a broken property or an input slower than the time-out; the input
# is kept in <build>/findings/<target>/.
#   bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
bash scripts/install-deps.sh
build=${FUZZ_BUILD_DIR:-build-fuzz}
# -O1 with the debug settings: assertions on, a usable speed.
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 \
  -DENABLE_SANITIZERS=ON -DBUILD_FUZZERS=ON -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target fuzzers -j"$(nproc)" >/dev/null

export LC_ALL=C.UTF-8
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failed=0
for corpus in fuzz/corpus/*/; do
  name=$(basename "$corpus")
  findings="$build/findings/$name"
  mkdir -p "$findings" "$scratch/$name"
  cp -r "$corpus". "$scratch/$name/"
  dict=()
  [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
  log="$build/findings/$name.log"
  start=$(date +%s)
  status=0
  "$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$findings/" "${dict[@]}" "$scratch/$name" >"$log" 2>&1 || status=$?
  elapsed=$(( $(date +%s) - start ))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 | sed 's/cov: \([0-9]*\) ft: \([0-9]*\)/\1\/\2/')
  if [ "$status" -eq 0 ]; then
    result="sem falhas"
  else
    result="FALHA (saída $status): veja $log e a entrada em $findings/"
    failed=1
  fi
  printf 'fuzz_%-11s %9s execuções em %4s s, cobertura %s (cov/ft): %s\n' \
    "$name" "${runs:-?}" "$elapsed" "${coverage:-?}" "$result"
done
exit "$failed"
