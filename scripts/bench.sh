#!/usr/bin/env bash
# Builds the benchmarks (preset "bench", optimised) and runs them; prints
# Google Benchmark's report, then a short table of the figures beside their
# targets. Extra arguments go to the benchmark program, for example
#   scripts/bench.sh --benchmark_filter=Progress
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench --target mirvane_bench >/dev/null
build/bench/bench/mirvane_bench --benchmark_color=false "$@"
