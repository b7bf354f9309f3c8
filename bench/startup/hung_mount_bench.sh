#!/usr/bin/env bash
# Start-up and typing with the folders on a mount whose every lookup takes
# HUNG_DELAY seconds (default 10; tests/support/hung_mount.py), beside the
# same start with local folders. Needs root or fusermount, and /dev/fuse.
#   hung_mount_bench.sh BENCH_BIN DEMO_FOLDER
#   STARTUP_RUNS  start-ups of each (default 10)
#   KEYS          keys typed into the hung client folder (default 200)
set -euo pipefail
bin=$1
demo=$2
here=$(dirname "$0")
work=$(mktemp -d)
mkdir "$work/mnt"
/usr/bin/python3 "$here/../../tests/support/hung_mount.py" "$demo" "$work/mnt" \
  --delay "${HUNG_DELAY:-10}" >"$work/mount.log" 2>&1 &
mount=$!
trap 'kill "$mount"; wait "$mount" || true; rm -rf --one-file-system "$work"' EXIT
until grep -qsx ready "$work/mount.log"; do kill -0 "$mount"; sleep 0.1; done

startup() {
  "$bin/startup_driver" "${STARTUP_RUNS:-10}" "$bin/sqpatch_until_shown" "$bin/bare_window" \
    "$demo/demo.sq2" "$1" "$2" | grep -E '^\| (program|sqpatch)'
}
echo "-- start to the window shown, local folders"
startup "$demo/client" "$demo/cd"
echo "-- start to the window shown, both folders on the mount (${HUNG_DELAY:-10} s a lookup)"
startup "$work/mnt/client" "$work/mnt/cd"
# A burst, then a fast typist's pace.
for interval in 50 150; do
  echo "-- typing into the client folder on the mount, a key every $interval ms"
  "$bin/key_to_repaint" "${KEYS:-200}" "$interval" "$demo/demo.sq2" "$work/mnt/client" \
    "$work/mnt/cd" 2>/dev/null
done
