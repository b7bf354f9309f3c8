# Sourced by tests: a mount whose lookups wait until the test releases them
# (hung_mount.py). Needs root or fusermount, and /dev/fuse.
#   hung_mount_start SOURCE MOUNTPOINT   mounted and held on return
#   hung_mount_release / hung_mount_hold
#   hung_mount_stop                      released and unmounted
hung_mount_tool=$(dirname "${BASH_SOURCE[0]}")/hung_mount.py
hung_mount_pid=""

hung_mount_start() {
  hung_mount_point=$2
  mkdir -p "$hung_mount_point"
  /usr/bin/python3 "$hung_mount_tool" "$1" "$2" --control "$2.control" >"$2.log" 2>&1 &
  hung_mount_pid=$!
  until grep -qsx ready "$2.log"; do
    kill -0 "$hung_mount_pid" 2>/dev/null || { cat "$2.log" >&2; return 1; }
    sleep 0.1
  done
}

hung_mount_release() { echo release >"$hung_mount_point.control"; }
hung_mount_hold() { echo hold >"$hung_mount_point.control"; }

hung_mount_stop() {
  [ -n "$hung_mount_pid" ] || return 0
  hung_mount_release
  kill "$hung_mount_pid" 2>/dev/null || true
  wait "$hung_mount_pid" 2>/dev/null || true
  hung_mount_pid=""
  if mountpoint -q "$hung_mount_point"; then
    fusermount -u -z "$hung_mount_point" 2>/dev/null || umount -l "$hung_mount_point"
  fi
}
