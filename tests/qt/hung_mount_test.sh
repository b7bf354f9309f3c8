#!/usr/bin/env bash
# The real program with its client folder on a mount that does not answer
# (tests/support/hung_mount.py): it shows its window, checks a local folder,
# lands the mount's answers once released, and closes while a lookup waits.
# hung_mount_reader.py drives it and reads it through AT-SPI on Xvfb.
#   hung_mount_test.sh SQPATCH
set -euo pipefail
here=$(dirname "$0")

# Inside the display and the D-Bus session: session SQPATCH WORK.
if [ "${1:-}" = session ]; then
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  trap 'kill "$launcher" 2>/dev/null || true' EXIT
  until dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null 2>&1; do sleep 0.1; done
  "$2" "$3/north.sq2" "$3/mnt/UO" "$3/local" &
  program=$!
  # The window is on screen while the mount still holds the first lookup.
  status=0
  timeout 20 xdotool search --sync --onlyvisible --name "^Stonequill Patch 1$" >/dev/null ||
    { echo "FAIL the window was not shown while the mount held its lookups"; status=1; }
  [ "$status" -ne 0 ] || /usr/bin/python3 "$here/hung_mount_reader.py" "$3" || status=$?
  [ "$status" -eq 0 ] || { kill -9 "$program" 2>/dev/null || true; exit "$status"; }
  # The reader closed the window while a lookup still waits: the program ends.
  for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$program" 2>/dev/null && { echo "FAIL the program outlived its window"; exit 1; }
  wait "$program" || status=$?
  [ "$status" -eq 0 ] || echo "FAIL exit status $status after closing, not 0"
  exit "$status"
fi

source "$here/../support/hung_mount.sh"
work=$(mktemp -d)
trap 'hung_mount_stop; rm -rf --one-file-system "$work"' EXIT
mkdir -p "$work/source/UO" "$work/local"
: >"$work/north.sq2"
for file in StaIdx0.mul Statics0.mul Map0.mul; do
  : >"$work/source/UO/$file"
  : >"$work/local/$file"
done
hung_mount_start "$work/source" "$work/mnt"
timeout 170 xvfb-run -a -s "-screen 0 800x600x24" \
  dbus-run-session -- bash "$0" session "$1" "$work"
echo "hung mount test passed"
