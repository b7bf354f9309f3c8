#!/usr/bin/env bash
# Sets up a fresh machine, builds with warnings as errors, and runs every
# test: the core and the Linux program, the Windows program under Wine, the
# packages, then the sanitizer, valgrind and fuzzing runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash tests/scripts/install_deps_waits_for_apt_test.sh
bash scripts/check-format.sh
cmake --workflow --preset ci
cmake --preset bench >/dev/null
cmake --build --preset bench
bash scripts/test-windows.sh
bash scripts/test-packages.sh
bash scripts/test-reliability.sh
