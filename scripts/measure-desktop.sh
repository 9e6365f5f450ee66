#!/usr/bin/env bash
# Measures the desktop program on the sample course in a virtual display: the
# time from its start to the first progress string in the launch page's
# tracking frame, and the memory of its process tree (the program and the
# browser engine's processes) once the course menu shows.
# Run scripts/run.sh (or build the release preset) first.
set -euo pipefail
cd "$(dirname "$0")/.."
course=$(mktemp -d)
home=$(mktemp -d)
trap 'rm -rf "$course" "$home"' EXIT
cp -r examples/course/. "$course/"
sed -i 's/^showlogin=true/showlogin=false/' "$course/mirvane.ini"
cp build/release/mirvane "$course/mirvane"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  course="$1"; home="$2"
  start=$(date +%s%N)
  HOME="$home" MIRVANE_TRACE_BROWSER=1 "$course/mirvane" > "$course/trace.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 300); do
    grep -q "^complete .*trackingdata.htm" "$course/trace.log" && break
    sleep 0.02
  done
  ready=$(date +%s%N)
  echo "start to first progress string: $(( (ready - start) / 1000000 )) ms"
  sleep 3
  tree() { echo "$1"; for c in $(pgrep -P "$1"); do tree "$c"; done; }
  rss=0; count=0
  for p in $(tree "$pid"); do
    r=$(awk "/^VmRSS/ {print \$2}" "/proc/$p/status" 2>/dev/null || echo 0)
    rss=$((rss + ${r:-0})); count=$((count + 1))
  done
  echo "memory of the process tree: $((rss / 1024)) MiB resident in $count processes"
  kill "$pid"
' _ "$course" "$home"
