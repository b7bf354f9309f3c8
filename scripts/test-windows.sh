#!/usr/bin/env bash
# Cross-builds the Windows program with mingw-w64 and runs its tests under
# Wine: the core suite through CTest's emulator, then the real window under
# Xvfb driven with xdotool. Installs what it needs on a fresh Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh windows

# A private Wine prefix; no Mono or Gecko prompts, no menu entries.
export TZ=UTC
# Wine writes file names in the charset of the Unix locale: under the plain
# POSIX locale of a fresh machine, no name outside ASCII reaches the disk.
export LC_ALL=C.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
WINEPREFIX=$(mktemp -d)
export WINEPREFIX
unset DISPLAY
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# One server for every test instead of one per program run. The prefix's
# own background processes start here, on no terminal: started later, they
# would inherit a test's output and hold it open.
wineserver -p
# Without the 32-bit half wineboot reports a failure it can live with.
timeout 300 wineboot --init >/dev/null 2>&1 </dev/null || true
[ -d "$WINEPREFIX/drive_c/windows" ] || { echo "Wine prefix was not created" >&2; exit 1; }
# wineboot left a desktop process that has no display; kept alive by the
# persistent server, it would take the first test's windows where no X
# server shows them. Start the server afresh so each test's program brings
# a desktop on its own display.
wineserver -k
wineserver -w
wineserver -p
# The prefix's services start again with the first program; started by a
# build step or a test, they would hold its output open. Start them here,
# with a console program that brings up no desktop.
timeout 300 wine cmd /c exit </dev/null >/dev/null 2>&1 || true

cmake --preset windows
cmake --build --preset windows
ctest --preset windows -j2

# The Linux file probes against Wine's kernel32 on one tree, as root and as
# "nobody" (docs/differential.md); the native harness comes from the ci build.
cmake --preset ci >/dev/null
cmake --build --preset ci --target differential_harness
bash tests/differential/run_differential.sh build/ci/tests/differential/differential_harness \
  build/windows/tests/differential/differential_harness.exe
