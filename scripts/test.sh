#!/usr/bin/env bash
# Sets up, builds and runs every test: the unit tests and the desktop
# program's end-to-end tests, which run in a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset debug
cmake --build --preset debug
xvfb-run -a -s "-screen 0 1280x800x24" ctest --preset debug
echo "screenshots of the desktop tests: $(pwd)/build/debug/artifacts/"

# --- Sanitizers: the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer (preset "asan"); the first error fails the run.
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
