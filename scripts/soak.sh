#!/usr/bin/env bash
# Soak run: page commands through the scenario runner on a copy of the sample
# course whose records persist in a temporary data folder; prints the peak
# resident size of the runner after 10,000 and after 100,000 commands (two
# runs, measured by /usr/bin/time), so a growth shows as a difference.
#
#   scripts/soak.sh [COMMANDS...]      default: 10000 100000
#
# The course and its data folder go in a fresh folder under MIRVANE_SOAK_TMP
# (default: $TMPDIR or /tmp); every record write is flushed to that disk.
set -euo pipefail
cd "$(dirname "$0")/.."
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)
command -v /usr/bin/time >/dev/null || scripts/install-deps.sh time
cmake --preset release >/dev/null
cmake --build --preset release --target mirvane-scenario >/dev/null

work=$(mktemp -d -p "${MIRVANE_SOAK_TMP:-${TMPDIR:-/tmp}}")
trap 'rm -rf "$work"' EXIT
cp -r examples/course "$work/course"
# The learner runs anonymously (no login screen), test results give no
# message boxes, and the data folder is a real folder that outlives the run.
sed -i -e 's/^showlogin=.*/showlogin=false/' -e 's/^showtestmessages=.*/showtestmessages=false/' \
  "$work/course/mirvane.ini"
printf 'datapath=%s/data/\r\n' "$work" >>"$work/course/mirvane.ini"

# A learner working through the course again and again: open an object, begin
# and bookmark its screens, keep notes, report a score on the test screen,
# end the object; the launch page reloads the tracking page now and then.
scenario() {
  awk -v total="$1" 'BEGIN {
    n = 0
    paths[1] = 2; paths[2] = 1
    while (n < total) {
      for (p = 1; p <= 2 && n < total; p++) for (o = 1; o <= paths[p] && n < total; o++) {
        print "navigate frmMain.wbContent javascript:openlobject(" p "," o ")"; n++
        for (s = 0; s < 3 && n < total; s++) {
          print "navigate frmMain.wbContent javascript:lpoint_begin(\x27" s "\x27);"; n++
          if (p == 2 && s == 2) {
            print "navigate frmMain.wbContent javascript:setscore(\"" (60 + n % 40) "\");"; n++
          } else {
            print "navigate frmMain.wbContent javascript:setbookmark(\"l" p "/o" o "/p" (s + 1) ".htm\");"; n++
          }
        }
        print "navigate frmMain.wbContent javascript:savenotes(Notes " n ")"; n++
        print "navigate frmMain.wbContent javascript:loadnotes()"; n++
        print "navigate frmMain.wbContent javascript:lobject_end(\"next\");"; n++
        print "complete frmMain.wbContent trackingdata.htm"; n++
      }
    }
  }'
}

for count in "${counts[@]}"; do
  rm -rf "$work/data"
  scenario "$count" >"$work/scenario.txt"
  start=$(date +%s.%N)
  /usr/bin/time -f '%M' -o "$work/rss" build/release/mirvane-scenario "$work/course" "$work/scenario.txt" \
    >"$work/transcript.txt"
  end=$(date +%s.%N)
  lines=$(grep -c '^> ' "$work/transcript.txt")
  printf '%7d commands: peak resident size %6d KiB, %s s, %d scenario lines run\n' "$count" \
    "$(cat "$work/rss")" "$(echo "$end - $start" | bc)" "$lines"
done
