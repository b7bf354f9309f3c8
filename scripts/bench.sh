#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them: the check passes against
# their floors, the system calls of a pass (strace -c), and start-up against
# a bare Qt window, and start-up and typing on a mount that answers late.
# Timings are reported, never judged: not for CI.
#   STARTUP_RUNS  start-ups of each program (default 30)
#   MIN_TIME      seconds per benchmark row (default 0.5)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh bench
cmake --preset bench >/dev/null
cmake --build --preset bench

bin=build/bench/bench
results=build/bench/results
rm -rf "$results"
mkdir -p "$results"

{
  echo "nproc: $(nproc)"
  echo "cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
  echo "kernel: $(uname -r)"
  echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "folders: ${TMPDIR:-/tmp} ($(df -T "${TMPDIR:-/tmp}" | awk 'NR==2 {print $2}'))"
} | tee "$results/machine.txt"

echo
echo "== Check passes against their floors"
"$bin/checks/check_pass_bench" --benchmark_min_time="${MIN_TIME:-0.5}" \
  --benchmark_out="$results/check_pass.json" --benchmark_out_format=json |
  tee "$results/check_pass.txt"

echo
echo "== System calls of 1000 passes on the demo folders (plus one start-up)"
demo=$(pwd)/build/bench/demo
rm -rf "$demo"
bash scripts/make-demo-data.sh "$demo"
for check in client cd; do
  echo "-- $check check, all three files found"
  strace -f -c -o "$results/strace_$check.txt" "$bin/checks/check_pass_trace" "$check" \
    "$demo/$check" 1000 >/dev/null
  grep -E 'calls|newfstatat|statx|openat|getdents64|close|total' "$results/strace_$check.txt"
done

echo
echo "== The search for installed folders, five prefixes and 22,105 folders"
"$bin/found/found_search_bench" --benchmark_min_time="${MIN_TIME:-0.5}" |
  tee "$results/found_search.txt"

echo
echo "== Start-up to the first expose, offscreen"
"$bin/startup/startup_driver" "${STARTUP_RUNS:-30}" "$bin/startup/sqpatch_until_shown" \
  "$bin/startup/bare_window" "$demo/demo.sq2" "$demo/client" "$demo/cd" |
  tee "$results/startup.txt"

echo
echo "== A mount whose lookups take ${HUNG_DELAY:-10} s"
bash bench/startup/hung_mount_bench.sh "$bin/startup" "$demo" | tee "$results/hung_mount.txt"
echo
echo "Results are in $results/"
