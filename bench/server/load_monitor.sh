#!/bin/bash
# Load on the real monitor under Wine: N viewers on their own TCP connections,
# each polling once a second (N = 10, 100, 1000), then closed loops of 1 and
# 8 clients that ask again as soon as a reply is complete. Prints replies per
# second, p50/p99 latency and failed requests per run, and the monitor's
# resident memory before and after.
#   bench/server/load_monitor.sh            (SKEL_BIN, LOAD_SECONDS, LOAD_VIEWERS optional)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
skel_display_ready || exit 1
skel_wine_ready
bin=${SKEL_BIN:-$root/build/win64/bin}
seconds=${LOAD_SECONDS:-10}
client="python3 $root/scripts/stats_client.py"
[[ -f "$bin/skelvane.exe" ]] || { echo "the monitor is not built"; exit 0; }

dir=$(mktemp -d "${TMPDIR:-/tmp}/skelvane-load.XXXXXX")
cp "$bin/skelvane.exe" "$dir/"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
printf '[main]\r\nenableremote=1\r\nremoteport=%s\r\n' "$port" >"$dir/skelvane_settings.ini"
"$root/scripts/wine-run" "$dir/skelvane.exe" >/dev/null 2>&1 &
runner=$!
finish() {
  if [[ -f "$bin/tools/skel_probe.exe" ]]; then
    SKEL_PROBE_PATH="${dir##*/}" "$root/scripts/wine-run" "$bin/tools/skel_probe.exe" close SkelvaneFrmMain >/dev/null 2>&1
  fi
  for _ in $(seq 100); do kill -0 "$runner" 2>/dev/null || break; sleep 0.1; done
  kill "$runner" 2>/dev/null
  [[ -n "${SKEL_XVFB_PID:-}" ]] && kill "$SKEL_XVFB_PID" 2>/dev/null
  rm -rf "$dir"
}
trap finish EXIT

for _ in $(seq 60); do
  $client admitted --port "$port" --timeout 1 >/dev/null 2>&1 && break
  sleep 0.5
done
pid=$(pgrep -f "^$dir/skelvane.exe" | head -1)
rss() { awk '/VmRSS/ {print $2 " kB"}' "/proc/$pid/status" 2>/dev/null; }
echo "monitor memory before: $(rss)"
status=0
for n in ${LOAD_VIEWERS:-10 100 1000}; do
  $client load --port "$port" --viewers "$n" --seconds "$seconds" || status=1
  echo "  monitor memory after $n viewers: $(rss)"
done
for k in 1 8; do
  $client closed-loop --port "$port" --clients "$k" --seconds "$seconds" || status=1
done
echo "monitor memory after: $(rss)"
exit $status
