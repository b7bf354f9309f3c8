#!/usr/bin/env bash
# The real program on a virtual X display, driven with xdotool: a start-up
# error shows the "Error" box, Enter closes it and the program ends with
# status 1; a good start opens "Stonequill Patch 1".
set -euo pipefail
sqpatch=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/client"
: >"$work/north.sq2"

run_on_display() {
  timeout 60 xvfb-run -a -s "-screen 0 640x480x24" bash -c "$1" smoke "$sqpatch" "$work"
}

# No arguments: the usage box waits for the user.
run_on_display '
  "$1" & pid=$!
  box=$(timeout 20 xdotool search --sync --name "^Error$" | head -n 1)
  xdotool windowfocus --sync "$box" key Return
  status=0; wait "$pid" || status=$?
  echo "exit status $status"
  [ "$status" -eq 1 ]
'

# A good start: the wizard window opens and stays until it is closed.
run_on_display '
  "$1" "$2/north.sq2" "$2/client" "$2/client" & pid=$!
  timeout 20 xdotool search --sync --name "^Stonequill Patch 1$" >/dev/null
  kill -0 "$pid"
  kill "$pid"
'
echo "smoke test passed"
