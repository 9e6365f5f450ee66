#!/usr/bin/env bash
# Sets up, builds and runs the program on the bundled sample course.
# The program looks for its settings beside its own file, as an installed
# course does, so the sample course is laid out with the program in it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release -DMIRVANE_BUILD_TESTS=OFF
cmake --build --preset release --target mirvane
course=build/course
rm -rf "$course"
mkdir -p "$course"
cp -r examples/course/. "$course/"
cp build/release/mirvane "$course/mirvane"
exec "$course/mirvane" "$@"
