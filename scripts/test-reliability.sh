#!/usr/bin/env bash
# The reliability checks: the whole test suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, every test binary under valgrind memcheck, and
# each fuzz target for a bounded time (SQP_FUZZ_SECONDS, 25 by default).
# Installs what it needs on a fresh Debian 12 machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh reliability

jobs=$(nproc)
step() { echo "== $* ($(date -u +%T))"; }

step "AddressSanitizer and UBSan: build and run every test"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan -j "$jobs"

step "valgrind memcheck: every test binary, no error and no leak"
cmake --preset memcheck
cmake --build --preset memcheck
ctest --preset memcheck -j "$jobs"

step "libFuzzer: each target for ${SQP_FUZZ_SECONDS:-25} s"
cmake --preset fuzz -DSQP_FUZZ_SECONDS="${SQP_FUZZ_SECONDS:-25}"
cmake --build --preset fuzz
ctest --preset fuzz -j "$jobs"

step "reliability checks passed"
