#!/usr/bin/env bash
# scripts/install-deps.sh, started while another run holds apt's and dpkg's
# locks, says "waiting for apt", installs nothing while they are held, and
# installs once they are released. The package is an empty one built here,
# so nothing is downloaded. Needs root: it takes the machine's real locks.
set -euo pipefail
cd "$(dirname "$0")/../.."
if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps waits for apt: skipped, needs root"
  exit 0
fi

fail() {
  echo "FAILED: install-deps waits for apt: $*" >&2
  [ -f "$work/install.log" ] && cat "$work/install.log" >&2
  exit 1
}
installed() { dpkg-query -W -f='${Status}' sqp-lock-probe 2>/dev/null | grep -q "ok installed"; }

work=$(mktemp -d)
holder=""
installer=""
cleanup() {
  [ -n "$holder" ] && kill "$holder" 2>/dev/null
  [ -n "$installer" ] && kill "$installer" 2>/dev/null
  wait 2>/dev/null
  if dpkg-query -W sqp-lock-probe >/dev/null 2>&1; then
    DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y sqp-lock-probe >/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/probe/DEBIAN"
cat >"$work/probe/DEBIAN/control" <<'CONTROL'
Package: sqp-lock-probe
Version: 1.0
Architecture: all
Maintainer: Stonequill Patch developers <root@localhost>
Description: empty package of the apt lock test
CONTROL
dpkg-deb --build "$work/probe" "$work/sqp-lock-probe.deb" >/dev/null

# The locks as apt and dpkg take them (fcntl write locks on the whole file),
# held until this test ends the holder.
perl -MFcntl -e '
  my @held;
  for my $path (@ARGV) {
    open(my $file, ">>", $path) or die "$path: $!";
    my $lock = pack("s s x4 q q i x4", F_WRLCK, 0, 0, 0, 0);
    fcntl($file, F_SETLK, $lock) or die "$path: $!";
    push @held, $file;
  }
  $| = 1;
  print "held\n";
  sleep 1 while 1;
' /var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock >"$work/holder.log" 2>&1 &
holder=$!
for _ in $(seq 100); do
  grep -q held "$work/holder.log" && break
  kill -0 "$holder" 2>/dev/null || fail "could not take the locks: $(cat "$work/holder.log")"
  sleep 0.1
done

SQP_APT_WAIT=300 bash scripts/install-deps.sh --only "$work/sqp-lock-probe.deb" \
  >"$work/install.log" 2>&1 &
installer=$!
for _ in $(seq 600); do
  grep -q "waiting for apt" "$work/install.log" && break
  kill -0 "$installer" 2>/dev/null || fail "ended without waiting"
  sleep 0.1
done
grep -q "waiting for apt" "$work/install.log" || fail "did not say \"waiting for apt\""
kill -0 "$installer" 2>/dev/null || fail "ended while the locks were held"
installed && fail "installed while the locks were held"

kill "$holder"
wait "$holder" 2>/dev/null || true
holder=""
status=0
wait "$installer" || status=$?
installer=""
[ "$status" -eq 0 ] || fail "ended with status $status after the locks were released"
installed || fail "did not install after the locks were released"
echo "ok: install-deps waits for apt's lock, then installs"
