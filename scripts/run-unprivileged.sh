#!/usr/bin/env bash
# Runs a test binary as an ordinary user. Under root, which passes every
# permission check, the binary is copied where "nobody" can reach it and run
# as that user; otherwise it runs as it is. With --wrapper "COMMAND ARGS",
# the binary runs under that command (valgrind, say).
set -euo pipefail
wrapper=()
if [ "${1:-}" = "--wrapper" ]; then
  read -r -a wrapper <<<"$2"
  shift 2
fi
binary=$1
shift
if [ "$(id -u)" -ne 0 ]; then
  exec "${wrapper[@]}" "$binary" "$@"
fi
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$binary" "$stage/"
chmod 755 "$stage" "$stage/$(basename "$binary")"
cd "$stage"
setpriv --reuid=65534 --regid=65534 --clear-groups --reset-env -- \
  env TMPDIR=/tmp "${wrapper[@]}" "$stage/$(basename "$binary")" "$@"
