#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang-14 (ASan and UBSan) and runs each, or the
# ones named, for SECONDS each, one after the other on one core:
#   scripts/fuzz.sh [SECONDS] [TARGET...]      e.g. scripts/fuzz.sh 600 document_fuzz
# New corpus entries, logs and crash inputs go to tests/fuzz/corpus-run/ (kept out of git); the
# committed seeds in tests/fuzz/corpus/TARGET/ are only read. Exits non-zero when a target finds
# something.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

SECONDS_EACH=60
if [ $# -gt 0 ] && [[ "$1" =~ ^[0-9]+$ ]]; then
  SECONDS_EACH="$1"
  shift
fi
FUZZ_DIR="$ROOT/tests/fuzz"
RUN_DIR="$FUZZ_DIR/corpus-run"
FUZZ_BUILD_DIR="${QUORELLA_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"

install_missing "${FUZZ_PACKAGES[@]}"
cmake -S "$ROOT" -B "$FUZZ_BUILD_DIR" -G Ninja -DQUORELLA_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# The machine's cores are shared: two build jobs at most.
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2
cmake --build "$FUZZ_BUILD_DIR" -j "$jobs"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$FUZZ_DIR"/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

# The last value of a "stat::NAME: VALUE" line, or of a "NAME: VALUE" field of the last DONE line.
stat_of() { grep -a "^stat::$2:" "$1" | tail -n 1 | awk '{print $2}'; }
field_of() { grep -a -E '(DONE|INITED) ' "$1" | tail -n 1 | sed -n "s/.* $2: \([0-9]*\).*/\1/p"; }

mkdir -p "$RUN_DIR"
failed=0
summary=()
for target in "${targets[@]}"; do
  binary="$FUZZ_BUILD_DIR/tests/fuzz/$target"
  if [ ! -x "$binary" ]; then
    echo "No fuzz target $target" >&2
    exit 2
  fi
  corpus="$RUN_DIR/$target"
  artifacts="$RUN_DIR/$target-findings/"
  log="$RUN_DIR/$target.log"
  mkdir -p "$corpus" "$artifacts"
  echo "== $target: $SECONDS_EACH s (log $log)"
  # The snapshot target loads each input into a store of its own, kept in memory.
  store_dir=$(mktemp -d /dev/shm/quorella-fuzz.XXXXXX 2>/dev/null || mktemp -d)
  status=0
  started=$(date +%s)
  QUORELLA_FUZZ_STORE="$store_dir/settings.db" "$binary" "$corpus" "$FUZZ_DIR/corpus/$target" -dict="$FUZZ_DIR/$target.dict" \
    -max_total_time="$SECONDS_EACH" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts" >"$log" 2>&1 || status=$?
  run_time=$(($(date +%s) - started))
  rm -rf "$store_dir"
  result="no finding"
  if [ "$status" -ne 0 ]; then
    result="FINDING (exit $status): see $log and $artifacts"
    failed=1
  fi
  summary+=("$(printf '%-20s %6s s %10s exec/s %12s execs  cov %5s  ft %6s  %s' "$target" \
    "$run_time" "$(stat_of "$log" average_exec_per_sec)" \
    "$(stat_of "$log" number_of_executed_units)" "$(field_of "$log" cov)" "$(field_of "$log" ft)" \
    "$result")")
  echo "${summary[-1]}"
done

echo
echo "target               run time    exec/s         executions  coverage        result"
printf '%s\n' "${summary[@]}"
exit "$failed"
