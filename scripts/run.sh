#!/usr/bin/env bash
# Sets up, builds and runs the player on the bundled sample course.
#
# The program reads its settings beside its own file, as an installed course
# does, so a course installation (program, settings, content) is laid out under
# build/course-installation/. Learner records go to ~/e-Learning/.
# Without a display the player runs in a virtual one: screenshots of what it
# shows are saved to build/screenshots/ and their paths printed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh xdotool imagemagick
cmake --preset release -DMIRVANE_BUILD_TESTS=OFF
cmake --build --preset release --target mirvane
course="$(pwd)/build/course-installation"
rm -rf "$course"
mkdir -p "$course"
cp -r examples/course/. "$course/"
cp build/release/mirvane "$course/mirvane"

if [ -n "${DISPLAY:-}" ]; then
  exec "$course/mirvane"
fi

shots="$(pwd)/build/screenshots"
mkdir -p "$shots"
echo "no display: running the player in a virtual one"
xvfb-run -a -s "-screen 0 1280x800x24" scripts/show-headless.sh "$course/mirvane" "$shots"
