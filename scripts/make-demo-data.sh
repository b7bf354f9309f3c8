#!/usr/bin/env bash
# Makes the demo's sample data in folder $1: a client folder with the three
# map files, a CD folder whose "Statics0.mul" has the exact size of "The
# Second Age" (sparse: it takes no disk space), and a patch file.
set -euo pipefail
demo=$1
mkdir -p "$demo/client" "$demo/cd"
for folder in client cd; do
  truncate -s 100 "$demo/$folder/StaIdx0.mul"
  truncate -s 200 "$demo/$folder/Map0.mul"
done
truncate -s 1000 "$demo/client/Statics0.mul"
truncate -s 21971754 "$demo/cd/Statics0.mul"
chmod 0444 "$demo/cd/"*.mul
truncate -s 0 "$demo/demo.sq2"
