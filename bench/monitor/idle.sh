#!/bin/bash
# The monitor's idle cost under Wine: CPU time per main tick and private
# memory after a minute, next to a minimal Win32 window program with the same
# one-second timer. SKEL_IDLE_SECONDS shortens the minute for a quick look.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BIN=$ROOT/build/win64/bin
SECONDS_IDLE=${SKEL_IDLE_SECONDS:-60}
source "$ROOT/scripts/wine-env"
skel_display_ready || exit 1
skel_wine_ready

# utime+stime in clock ticks and private (anonymous) resident memory in KiB
# of the Linux process that runs the given Windows program.
measure() {
  local exe=$1 name=$2 dir pid runner
  dir=$(mktemp -d)
  cp "$exe" "$dir/"
  "$ROOT/scripts/wine-run" "$dir/$(basename "$exe")" >/dev/null 2>&1 &
  runner=$!
  for _ in $(seq 100); do
    # The Wine process of this copy: its command line is the program's path
    # (the runner's own line has "wine-run" before it).
    pid=$(pgrep -f "^$dir/$(basename "$exe")" | head -1)
    [[ -n "$pid" ]] && break
    sleep 0.1
  done
  sleep 3  # start-up is not idle time
  local t0 t1 hz mem
  hz=$(getconf CLK_TCK)
  t0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$SECONDS_IDLE"
  t1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  mem=$(awk '/^RssAnon:/ {print $2}' "/proc/$pid/status")
  local cpu_ms_per_tick
  cpu_ms_per_tick=$(awk -v a="$t0" -v b="$t1" -v hz="$hz" -v s="$SECONDS_IDLE" \
    'BEGIN {printf "%.3f", (b - a) * 1000 / hz / s}')
  printf "%-22s cpu/tick %8s ms   private memory %7s KiB\n" "$name" "$cpu_ms_per_tick" "$mem"
  echo "$cpu_ms_per_tick $mem" >"$dir/result"
  kill -KILL "$pid" 2>/dev/null
  wait "$runner" 2>/dev/null
  cat "$dir/result"
  rm -rf "$dir"
}

echo "idle for $SECONDS_IDLE s under Wine"
base=$(measure "$BIN/tools/skel_baseline_window.exe" "baseline window" | tail -1)
mon=$(measure "$BIN/skelvane.exe" "skelvane" | tail -1)
read -r bcpu bmem <<<"$base"
read -r mcpu mmem <<<"$mon"
printf "baseline window        cpu/tick %8s ms   private memory %7s KiB\n" "$bcpu" "$bmem"
printf "skelvane               cpu/tick %8s ms   private memory %7s KiB\n" "$mcpu" "$mmem"
awk -v a="$mcpu" -v b="$bcpu" -v c="$mmem" -v d="$bmem" \
  'BEGIN {printf "ratio skelvane/baseline: cpu %.2fx, memory %.2fx\n", (b > 0 ? a / b : 0), (d > 0 ? c / d : 0)}'
[[ -n "${SKEL_XVFB_PID:-}" ]] && kill "$SKEL_XVFB_PID" 2>/dev/null
exit 0
