#!/usr/bin/env bash
# Fails when a C++ file differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
# Outside a git checkout (or without git), every source file but the builds'.
mapfile -t files < <(git ls-files '*.h' '*.cpp' 2>/dev/null ||
  find . -path ./build -prune -o -type f \( -name '*.h' -o -name '*.cpp' \) -print)
[ ${#files[@]} -eq 0 ] && exit 0
clang-format --dry-run --Werror "${files[@]}"
