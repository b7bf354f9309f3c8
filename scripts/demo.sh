#!/usr/bin/env bash
# Sets up a fresh machine, builds the Linux program, makes sample folders and
# opens the wizard on them. Without a display it runs under Xvfb, saves
# screenshots of page 0 and page 1, prints their paths and ends.
# SCALE=1.5 (or 2, ...) runs it as on a screen of that density
# (QT_SCALE_FACTOR); the screenshots are then taken at that scale and named
# page0-x1.5.png and page1-x1.5.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh demo
cmake --preset dev >/dev/null
cmake --build --preset dev --target sqpatch
demo=$(pwd)/build/demo
# Fresh sample data; screenshots taken at other scales stay.
rm -rf "$demo/client" "$demo/cd" "$demo/demo.sq2"
bash scripts/make-demo-data.sh "$demo"
sqpatch=$(pwd)/build/dev/src/views/qt/sqpatch
suffix=""
if [ -n "${SCALE:-}" ]; then
  export QT_SCALE_FACTOR=$SCALE
  suffix="-x$SCALE"
fi
if [ -n "${DISPLAY:-}" ]; then
  exec "$sqpatch" "$demo/demo.sq2" "$demo/client" "$demo/cd"
fi
xvfb-run -a -s "-screen 0 1920x1200x24" bash -c '
  "$1" "$2/demo.sq2" "$2/client" "$2/cd" &
  pid=$!
  window=$(timeout 20 xdotool search --sync --name "^Stonequill Patch 1$" | head -n 1)
  xdotool windowfocus --sync "$window"
  sleep 0.5
  import -window "$window" "$2/page0$3.png"
  xdotool key Tab Tab Tab Return   # to Next, and press it
  sleep 0.5
  import -window "$window" "$2/page1$3.png"
  kill "$pid"
' demo "$sqpatch" "$demo" "$suffix"
echo "Screenshots: $demo/page0$suffix.png $demo/page1$suffix.png"
