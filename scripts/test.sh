#!/usr/bin/env bash
# Sets up a fresh machine, builds with warnings as errors, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/check-format.sh
cmake --workflow --preset ci
