#!/usr/bin/env bash
# The real program on a virtual X display, driven with xdotool: a start-up
# error shows the "Error" box, Enter closes it and the program ends with
# status 1; a good start opens "Stonequill Patch 1", which the desktop
# matches to the desktop entry and shows with its icon.
#   program_smoke_test.sh SQPATCH DESKTOP_FILE
set -euo pipefail
sqpatch=$1
desktop_name=$(basename "$2" .desktop)
# Task bars match WM_CLASS to the entry's StartupWMClass or its file name.
grep -qxF "StartupWMClass=$desktop_name" "$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/client"
: >"$work/north.sq2"

run_on_display() {
  timeout 60 xvfb-run -a -s "-screen 0 640x480x24" bash -c "$1" smoke "$sqpatch" "$work" \
    "$desktop_name"
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

# A good start: the wizard window opens and stays until it is closed; its
# WM_CLASS names the desktop entry, and it carries the built-in icon.
run_on_display '
  set -e
  "$1" "$2/north.sq2" "$2/client" "$2/client" & pid=$!
  window=$(timeout 20 xdotool search --sync --name "^Stonequill Patch 1$" | head -n 1)
  kill -0 "$pid"
  xprop -id "$window" WM_CLASS | grep -xF "WM_CLASS(STRING) = \"$3\", \"Stonequill Patch\""
  xprop -id "$window" _NET_WM_ICON | grep -F "Icon (32 x 32)"
  kill "$pid"
'
echo "smoke test passed"
