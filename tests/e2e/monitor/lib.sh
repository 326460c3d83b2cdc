# Shared helpers of the monitor's end-to-end scripts (sourced).
set -uo pipefail
: "${SKEL_BIN:?}" "${SKEL_WINE_RUN:?}"
PROBE="$SKEL_BIN/tools/skel_probe.exe"
# One display for the monitor, the probes and the screenshots.
source "$SKEL_ROOT/scripts/wine-env"
skel_display_ready || { echo "no display" >&2; exit 1; }
cleanup_display() { [[ -n "${SKEL_XVFB_PID:-}" ]] && kill "$SKEL_XVFB_PID" 2>/dev/null; }
probe() {
  local out rc
  out=$("$SKEL_WINE_RUN" "$PROBE" "$@")
  rc=$?
  [[ -n "$out" ]] && printf "%s\n" "${out//$'\r'/}"
  return $rc
}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# A fresh program folder with the monitor (and the cleaner when built).
fresh_folder() {
  local dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/skelvane-e2e.XXXXXX")
  cp "$SKEL_BIN/skelvane.exe" "$dir/"
  [[ -f "$SKEL_BIN/Vardolin.exe" ]] && cp "$SKEL_BIN/Vardolin.exe" "$dir/vardolin.exe"
  echo "$dir"
}
# Starts the monitor in the background; sets MONITOR_PID (the runner's pid).
start_monitor() {
  MONITOR_DIR=$1
  # Probes look only at windows of the monitor started from this folder.
  export SKEL_PROBE_PATH="${MONITOR_DIR##*/}"
  "$SKEL_WINE_RUN" "$1/skelvane.exe" >/dev/null 2>&1 &
  MONITOR_PID=$!
  probe wait SkelvaneFrmMain 30 >/dev/null || fail "the settings window never appeared"
  # The bar window comes at the end of start-up; its first tick a second later.
  probe wait SkelvaneFrmMonitor 30 >/dev/null || fail "the bar window never appeared"
  sleep 1.5
}
# Waits until the runner of the monitor has returned (the process ended).
wait_monitor_exit() {
  local seconds=${1:-15}
  for _ in $(seq $((seconds * 10))); do
    kill -0 "$MONITOR_PID" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
stop_monitor_hard() {
  [[ -n "${MONITOR_PID:-}" ]] && kill "$MONITOR_PID" 2>/dev/null
  [[ -n "${MONITOR_DIR:-}" ]] && pkill -KILL -f "${MONITOR_DIR##*/}/skelvane.exe" 2>/dev/null
  cleanup_display
}
# A screenshot of part of the screen: shot FILE WIDTH HEIGHT LEFT TOP
shot() {
  import -window root -crop "$2x$3+$4+$5" "$1" 2>/dev/null && [[ -s "$1" ]] || fail "screenshot $1 failed"
}
# True while a monitor started from this test's folder still runs.
monitor_running() {
  pgrep -f "${MONITOR_DIR##*/}/skelvane.exe" >/dev/null
}
ini_value() {  # file key
  sed -n "s/^$2=//Ip" "$1" | tr -d '\r' | head -1
}
