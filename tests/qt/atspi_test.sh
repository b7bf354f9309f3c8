#!/usr/bin/env bash
# The real program read by a real assistive-technology client: sqpatch runs
# on a virtual X display in a D-Bus session of its own with the AT-SPI bus,
# marked enabled the way a desktop marks it when a screen reader runs, and
# atspi_reader.py reads its tree and types a folder into it while Orca runs.
set -euo pipefail

# Inside the display and the D-Bus session: session SQPATCH WORK.
if [ "${1:-}" = session ]; then
  sqpatch=$2
  work=$3
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  trap 'kill "$launcher" 2>/dev/null || true' EXIT
  # Set once the launcher owns its name on the session bus.
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
      org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
      variant:boolean:true >/dev/null 2>&1 && break
    sleep 0.1
  done
  # Orca, Debian's screen reader, with its log of what it says; it is ready
  # once it has said so.
  HOME=$work /usr/bin/python3 "$(dirname "$0")/orca_logged.py" "$work/orca.log" "$work/orca" \
    >"$work/orca.out" 2>&1 &
  orca=$!
  trap 'kill "$launcher" "$orca" 2>/dev/null || true' EXIT
  for _ in $(seq 300); do
    grep -q "SPEECH OUTPUT: 'Screen reader on.'" "$work/orca.log" 2>/dev/null && break
    sleep 0.1
  done
  "$sqpatch" "$work/north.sq2" "" "$work/cd" &
  program=$!
  status=0
  /usr/bin/python3 "$(dirname "$0")/atspi_reader.py" "$work/client" "$work/orca.log" ||
    status=$?
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  # Started with the patch file alone in a home that holds a client and a CD.
  HOME=$work/home WINEPREFIX= "$sqpatch" "$work/north.sq2" &
  program=$!
  /usr/bin/python3 "$(dirname "$0")/found_walk.py" || status=$?
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  exit "$status"
fi

sqpatch=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/client" "$work/cd"
: >"$work/north.sq2"
: >"$work/client/StaIdx0.mul"
: >"$work/client/Map0.mul"
# A Wine prefix with a client under Program Files, and a CD copy on its D:.
uo="$work/home/.wine/drive_c/Program Files/UO"
mkdir -p "$uo" "$work/home/.wine/dosdevices" "$work/disc"
for name in StaIdx0.mul Statics0.mul Map0.mul; do : >"$uo/$name"; : >"$work/disc/$name"; done
truncate -s 21971754 "$work/disc/Statics0.mul"
ln -s ../drive_c "$work/home/.wine/dosdevices/c:"
ln -s "$work/disc" "$work/home/.wine/dosdevices/d:"
timeout 120 xvfb-run -a -s "-screen 0 800x600x24" \
  dbus-run-session -- bash "$0" session "$sqpatch" "$work"
echo "AT-SPI test passed"
