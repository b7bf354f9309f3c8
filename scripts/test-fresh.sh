#!/usr/bin/env bash
# Proves the README's two commands on a machine that has nothing: makes a
# fresh Debian 12 root (debootstrap --variant=minbase bookworm) in a
# temporary folder, clones this repository into it, and runs there, as root,
# the demo (bash scripts/demo.sh) and then the test command (bash
# scripts/test.sh). Reports each one's status and time, and keeps the demo's
# screenshots and every log. Whatever it made is unmounted and removed at
# the end, also when interrupted. Needs root.
#
#   scripts/test-fresh.sh                both commands
#   scripts/test-fresh.sh 'COMMAND' ...  these commands instead, in the clone
#
#   SQP_FRESH_REVISION  the commit to clone (default HEAD)
#   SQP_FRESH_OUT       where logs and screenshots are kept (default build/fresh)
#   SQP_FRESH_DEBS      a folder of downloaded .debs to take packages from and
#                       add to (/var/cache/apt/archives, say); saves downloads
#                       when iterating. Unset, everything is downloaded.
#   SQP_FRESH_MIRROR    the Debian mirror (default http://deb.debian.org/debian)
#
# The root has a network of its own (slirp4netns): its virtual displays,
# Wine servers and session buses cannot meet those of the host, which share
# socket names in the abstract namespace.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "test-fresh.sh needs root (chroot, mount)" >&2; exit 1; }

bash scripts/install-deps.sh --only fresh-root

repository=$(pwd)
revision=$(git rev-parse --verify "${SQP_FRESH_REVISION:-HEAD}^{commit}")
out=$(realpath -m "${SQP_FRESH_OUT:-build/fresh}")
mirror=${SQP_FRESH_MIRROR:-http://deb.debian.org/debian}
debs=${SQP_FRESH_DEBS:+$(realpath "$SQP_FRESH_DEBS")}
if [ $# -gt 0 ]; then
  commands=("$@")
else
  commands=("bash scripts/demo.sh" "bash scripts/test.sh")
fi
clone=/srv/stonequill

rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/sqp-fresh.XXXXXX")
root=$work/root
netns=$work/netns
slirp=""

# Every process whose root is the fresh root: what a command left running.
processes_in_root() {
  local entry
  for entry in /proc/[0-9]*; do
    [ "$(readlink "$entry/root" 2>/dev/null)" = "$root" ] && echo "${entry#/proc/}"
  done
  return 0
}
end_processes_in_root() {
  local pids attempt
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    mapfile -t pids < <(processes_in_root)
    [ ${#pids[@]} -eq 0 ] && return 0
    if [ "$attempt" -lt 6 ]; then
      kill -TERM "${pids[@]}" 2>/dev/null || true
    else
      kill -KILL "${pids[@]}" 2>/dev/null || true
    fi
    sleep 1
  done
}
# The mount points at or below $1, deepest first.
mounts_under() {
  awk -v top="$1" '$5 == top || index($5, top "/") == 1 { print $5 }' /proc/self/mountinfo |
    sort -r
}
cleanup() {
  local status=$? point left
  trap - EXIT INT TERM HUP
  end_processes_in_root
  if [ -n "$slirp" ]; then
    kill "$slirp" 2>/dev/null || true
    wait "$slirp" 2>/dev/null || true
  fi
  for point in $(mounts_under "$work"); do
    umount "$point" 2>/dev/null || umount -l "$point" || true
  done
  left=$(mounts_under "$work")
  if [ -n "$left" ]; then
    # Never delete through a mount: /dev or /proc of the host may be below.
    echo "test-fresh.sh: still mounted, left in place: $left" >&2
    exit 1
  fi
  rm -rf --one-file-system "$work"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

step() { echo "== test-fresh: $* ($(date -u +%T))"; }

step "debootstrap --variant=minbase bookworm"
started=$SECONDS
began=$SECONDS
# The root lives in a file system of its own, in a sparse image: removing a
# tree of several GB file by file takes minutes where the disk discards
# each freed block; one image goes at once.
truncate -s 64G "$work/root.img"
mkfs.ext4 -q -E nodiscard "$work/root.img"
mkdir -p "$root"
mount -o loop,nodiscard "$work/root.img" "$root"
debootstrap --variant=minbase ${debs:+--cache-dir="$debs"} bookworm "$root" "$mirror" \
  >"$out/debootstrap.log" 2>&1 || { tail -n 30 "$out/debootstrap.log"; exit 1; }
echo "root made in $((SECONDS - started)) s"

security=${mirror%/debian}/debian-security
[ "$security" != "$mirror" ] || security=http://deb.debian.org/debian-security
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
EOF
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
# Packages may not start services in the root.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"

mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --make-rslave "$root/sys"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"
# The tests mount FUSE file systems through the host's /dev/fuse.
[ -c "$root/dev/fuse" ] || { echo "no /dev/fuse on the host: modprobe fuse" >&2; exit 1; }
# Shared memory of the root's own, not the host's.
mount -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"
if [ -n "$debs" ]; then
  mount --bind "$debs" "$root/var/cache/apt/archives"
fi

# The root's network: slirp4netns gives the namespace a connection out
# through the host, and nothing else.
touch "$netns"
unshare --net="$netns" true
slirp4netns --configure --mtu=65520 --disable-host-loopback --netns-type=path "$netns" tap0 \
  >"$out/slirp4netns.log" 2>&1 &
slirp=$!
for _ in $(seq 50); do
  nsenter --net="$netns" grep -q tap0 /proc/net/route 2>/dev/null && break
  sleep 0.2
done
nsenter --net="$netns" grep -q tap0 /proc/net/route ||
  { cat "$out/slirp4netns.log"; echo "no network for the root" >&2; exit 1; }

# The clone sits where the tests' ordinary user (nobody) can read it.
git clone --quiet --no-checkout "$repository" "$root$clone"
git -C "$root$clone" checkout --quiet --detach "$revision"
chmod 755 "$root/srv" "$root$clone"
echo "cloned $(git -C "$root$clone" log -1 --format='%h %s')"

# Runs $1 in the clone as root, as on a fresh machine: a login's plain
# environment, no terminal, no display.
in_root() {
  nsenter --net="$netns" chroot "$root" /usr/bin/env -i \
    HOME=/root USER=root LOGNAME=root SHELL=/bin/bash TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    ${CI:+CI="$CI"} \
    bash -c "umask 022 && cd $clone && $1" </dev/null
}

summary=()
failed=0
number=0
for command in "${commands[@]}"; do
  number=$((number + 1))
  log=$out/command-$number.log
  step "$command"
  started=$SECONDS
  status=0
  # In the background, so that an interrupt ends the wait at once.
  (
    set +e
    in_root "$command" 2>&1 | tee "$log"
    exit "${PIPESTATUS[0]}"
  ) &
  wait $! || status=$?
  elapsed=$((SECONDS - started))
  end_processes_in_root
  line="$command: $([ "$status" -eq 0 ] && echo passed || echo "FAILED (status $status)")"
  line+=" in $((elapsed / 60)) min $((elapsed % 60)) s; log: $log"
  [ "$status" -eq 0 ] || failed=1
  # The demo names its screenshots; they are kept with the logs.
  shots=$(sed -n 's/^Screenshots: //p' "$log" | tail -n 1)
  if [ -n "$shots" ]; then
    kept=()
    for shot in $shots; do
      cp "$root$shot" "$out/" && kept+=("$out/$(basename "$shot")")
    done
    line+="; screenshots: ${kept[*]}"
  fi
  summary+=("$line")
done

step "summary (a fresh Debian 12 minbase root, $(git -C "$repository" rev-parse --short "$revision"))"
elapsed=$((SECONDS - began))
summary+=("in all, with the root: $((elapsed / 60)) min $((elapsed % 60)) s")
printf '%s\n' "${summary[@]}" | tee "$out/summary.txt"
exit "$failed"
