#!/usr/bin/env bash
# Inside a virtual display: starts the player, shows its login screen, logs a
# learner in by typing, shows the player, and saves a screenshot of each.
set -euo pipefail
program="$1"
shots="$2"
"$program" > "$shots/player.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
shoot() {
  import -window root "$shots/$1.png"
  echo "screenshot: $shots/$1.png"
}
sleep 6
shoot 1-login
# The id box has the focus; Enter presses the start button; a new learner is
# asked whether to create the account (Yes is the default button).
xdotool type --delay 60 "ana"
xdotool key Tab
xdotool type --delay 60 "secret"
xdotool key Return
sleep 2
shoot 2-new-account-question
xdotool key Return
sleep 8
shoot 3-player
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
