#!/usr/bin/env bash
# Installs what building, testing and running need on a fresh Debian 12
# machine: the packages of the build (unless the first argument is --only),
# and those of each purpose named as an argument. Any other argument is a
# package name (or a .deb file).
# Every script installs its own purposes, so that the lists below are the one
# place that says what a step needs.
#
# When another apt or dpkg run holds the package manager's lock (a desktop's
# update service at boot, say), it says "waiting for apt" and waits up to
# SQP_APT_WAIT seconds (300 by default) for it to end.
set -euo pipefail

purpose_packages() {
  case $1 in
    # Compilers, CMake, GoogleTest and the format check; the Linux program and
    # its tests: Qt 6 Widgets, the window font (Wine's "MS Sans Serif"), a
    # fallback font, and a virtual display with a keyboard and mouse to drive
    # it. Accessibility: Qt's platform header that switches it on in the
    # offscreen tests, a real AT-SPI client reading the running program, and
    # Orca, Debian's screen reader, saying what it reads. The window icon is
    # an SVG, drawn by Qt's SVG icon engine; xprop reads it and WM_CLASS off
    # the window. A FUSE file system in Python stands in for a mount that
    # hangs. The benchmarks are built (never timed) with the tests, so that
    # they keep compiling.
    build)
      echo build-essential cmake ninja-build libgtest-dev clang-format util-linux \
        qt6-base-dev libgl-dev fonts-wine fonts-liberation fonts-dejavu-core \
        xvfb xauth xdotool qt6-base-private-dev at-spi2-core python3-pyatspi dbus orca \
        libbenchmark-dev libqt6svg6 x11-utils python3-fusepy fuse3
      ;;
    # Screenshots of the wizard.
    demo) echo imagemagick ;;
    # The cross build, and the real window under Wine driven on a virtual
    # display; its colours are read from screenshots, its windows' X
    # properties with xprop. wixl builds the .msi installer, msiinfo reads it.
    # Drives and shares on a hung mount: the FUSE file system of the tests.
    windows)
      echo googletest g++-mingw-w64-x86-64-posix wine64 wine fonts-wine \
        xvfb xauth xdotool x11-utils imagemagick wixl msitools python3-fusepy fuse3
      ;;
    # The .deb (CPack's shlibdeps needs file and dpkg-shlibdeps), installed
    # and checked as a user meets it: desktop and MIME databases, xdg-mime
    # with two readers of the MIME database, the man page, an XML checker,
    # the AppStream validator, lintian, the window's X properties (xprop),
    # and unzip for the Windows .zip.
    packages)
      echo file dpkg-dev desktop-file-utils xdg-utils shared-mime-info \
        libfile-mimeinfo-perl libglib2.0-bin man-db groff-base libxml2-utils unzip \
        appstream lintian x11-utils
      ;;
    # Sanitizers and libFuzzer come with clang; memcheck with valgrind.
    reliability) echo clang libclang-rt-14-dev valgrind ;;
    # The benchmarks, a count of their system calls, and a mount that
    # answers late.
    bench) echo libbenchmark-dev strace python3-fusepy fuse3 ;;
    # scripts/test-fresh.sh on the host: a Debian root in a file system
    # image, with a network of its own.
    fresh-root) echo debootstrap e2fsprogs mount slirp4netns git ;;
    *) return 1 ;;
  esac
}

purposes=(build)
if [ "${1:-}" = --only ]; then
  purposes=()
  shift
fi
wanted=()
for argument in "${purposes[@]}" "$@"; do
  if listed=$(purpose_packages "$argument"); then
    read -r -a names <<<"$listed"
    wanted+=("${names[@]}")
  else
    wanted+=("$argument")
  fi
done
missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT

# Runs apt-get; while another run holds apt's or dpkg's lock, tries again.
apt_get() {
  local deadline=$((SECONDS + ${SQP_APT_WAIT:-300})) status said="" holder
  while :; do
    status=0
    DEBIAN_FRONTEND=noninteractive $sudo apt-get "$@" 2>"$errors" || status=$?
    if [ "$status" -ne 0 ] && [ "$SECONDS" -lt "$deadline" ] &&
      grep -qE 'Could not get lock|Unable to acquire the dpkg frontend lock|Unable to lock' "$errors"; then
      if [ -z "$said" ]; then
        holder=$(grep -m 1 -oE 'held by process [0-9]+( \([^)]*\))?' "$errors" || true)
        echo "waiting for apt: its lock is ${holder:-held by another run}" >&2
        said=yes
      fi
      sleep 2
      continue
    fi
    cat "$errors" >&2
    return "$status"
  done
}
apt_get update
apt_get install -y --no-install-recommends "${missing[@]}"
