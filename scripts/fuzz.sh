#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz") and runs each for SECONDS,
# two at a time (MIRVANE_FUZZ_JOBS), starting from the seed corpus in
# fuzz/corpus/<target>/. New inputs go to build/fuzz/corpus/<target>/, crash
# inputs to build/fuzz/artifacts/<target>/, each run's log to
# build/fuzz/logs/<target>.log.
#
#   scripts/fuzz.sh SECONDS [TARGET...]     e.g. scripts/fuzz.sh 600
#
# Targets: value_encoding settings record page_commands text_repair issue_export
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(value_encoding settings record page_commands text_repair issue_export)
jobs=${MIRVANE_FUZZ_JOBS:-2}

scripts/install-deps.sh clang libclang-rt-14-dev libxml2-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

run() {
  local t=$1
  mkdir -p "build/fuzz/corpus/$t" "build/fuzz/artifacts/$t" build/fuzz/logs
  if "build/fuzz/fuzz/${t}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=8192 -print_final_stats=1 -artifact_prefix="build/fuzz/artifacts/$t/" \
      "build/fuzz/corpus/$t" "fuzz/corpus/$t" >"build/fuzz/logs/$t.log" 2>&1; then
    echo "$t: no finding in ${seconds}s ($(grep -o 'stat::number_of_executed_units: *[0-9]*' \
      "build/fuzz/logs/$t.log" | grep -o '[0-9]*$') runs)"
  else
    echo "$t: FINDING, see build/fuzz/logs/$t.log and build/fuzz/artifacts/$t/"
    return 1
  fi
}

status=0
pids=()
for t in "${targets[@]}"; do
  run "$t" &
  pids+=($!)
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
  fi
done
for p in "${pids[@]}"; do wait "$p" || status=1; done
exit $status
