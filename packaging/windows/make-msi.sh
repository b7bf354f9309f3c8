#!/usr/bin/env bash
# Builds the Windows installer from sqpatch.wxs with wixl:
#   make-msi.sh VERSION OUTPUT_MSI SQPATCH_EXE
# VERSION is major.minor[.build], as Windows Installer compares versions.
# wixl takes source files from the folder of the .wxs, so they are gathered
# in a temporary one first.
set -euo pipefail
version=$1
output=$(realpath -m "$2")
exe=$3
here=$(cd "$(dirname "$0")" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/sqpatch.exe"
cp "$here/sqpatch.wxs" "$here/README.txt" "$here/../../src/views/win32/sqpatch.ico" "$stage/"

IFS=. read -r major minor build <<<"$version"
# The installed size in kB, for the list of installed programs.
bytes=$(($(stat -c %s "$stage/sqpatch.exe") + $(stat -c %s "$stage/README.txt")))
wixl --arch x64 -D Version="$version" -D UpgradeBelow="$major.${minor:-0}.$((${build:-0} + 1))" \
  -D SizeKB=$(((bytes + 1023) / 1024)) -o "$output" "$stage/sqpatch.wxs"
