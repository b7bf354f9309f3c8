#!/usr/bin/env bash
# Compares the Linux file probes with the Win32 ones under Wine on one tree,
# and fails on any difference the table of accepted ones does not list:
# usage: run_differential.sh NATIVE_HARNESS WINDOWS_HARNESS
# Runs with the Wine prefix of the environment. Under root it then runs once
# more as "nobody", in a prefix of that user's own, since root passes every
# permission check.
set -euo pipefail
this_user_only=false
if [ "$1" = --this-user ]; then
  this_user_only=true
  shift
fi
native=$(realpath "$1")
windows=$(realpath "$2")

compare_as_this_user() {
  local tree answers status=0
  tree=$(mktemp -d)
  answers=$(mktemp)
  "$native" --build "$tree"
  wine "$windows" --root "$(winepath -w "$tree")" >"$answers" </dev/null
  echo "-- the tree as $tree"
  "$native" --root "$tree" --compare "$answers" || status=$?
  echo "-- the tree as $(winepath -w "$tree"), through the Wine prefix"
  "$native" --root "$(winepath -w "$tree")" --compare "$answers" || status=$?
  chmod -R u+rwx "$tree"
  rm -rf "$tree" "$answers"
  return "$status"
}

if $this_user_only || [ "$(id -u)" -ne 0 ]; then
  echo "== differential suite as $(id -un)"
  compare_as_this_user
  exit
fi

echo "== differential suite as root"
compare_as_this_user

# "nobody" cannot use root's prefix or reach the build tree: the harnesses
# and this script go to a folder of its own, where wineboot makes its prefix.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$native" "$windows" "$0" "$stage/"
chmod 755 "$stage" "$stage"/*
chown 65534:65534 "$stage"
as_nobody() {
  setpriv --reuid=65534 --regid=65534 --clear-groups --reset-env -- \
    env HOME="$stage" TMPDIR=/tmp PATH=/usr/local/bin:/usr/bin:/bin WINEPREFIX="$stage/prefix" \
    WINEDEBUG=-all WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-}" LC_ALL="${LC_ALL:-C.UTF-8}" TZ=UTC "$@"
}
start=$SECONDS
as_nobody bash -c 'wineboot --init >/dev/null 2>&1 </dev/null; wineserver -w' || true
echo "(a Wine prefix for nobody: $((SECONDS - start)) s)"
status=0
as_nobody bash "$stage/$(basename "$0")" --this-user "$stage/$(basename "$native")" \
  "$stage/$(basename "$windows")" || status=$?
as_nobody wineserver -k 2>/dev/null || true
exit "$status"
