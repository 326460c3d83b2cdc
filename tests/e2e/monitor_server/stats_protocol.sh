#!/bin/bash
# The statistics protocol against the real monitor under Wine, from a Linux
# client: UDP from any local port answered on port 3, TCP once the remote
# feature is enabled in the settings file, commands in capitals served and
# with a line end ignored, "vardolin" running the real cleaner, and the
# banned and allowed lists admitting and refusing peers.
set -uo pipefail
: "${SKEL_ROOT:?}" "${SKEL_BIN:?}" "${SKEL_WINE_RUN:?}"
source "$SKEL_ROOT/scripts/wine-env"
skel_display_ready || { echo "no display" >&2; exit 1; }
CLIENT="python3 $SKEL_ROOT/scripts/stats_client.py"
PROBE="$SKEL_BIN/tools/skel_probe.exe"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
cleanup() {
  [[ -n "${MONITOR_PID:-}" ]] && kill "$MONITOR_PID" 2>/dev/null
  [[ -n "${SKEL_XVFB_PID:-}" ]] && kill "$SKEL_XVFB_PID" 2>/dev/null
  rm -rf "${dir:-}"
}
trap cleanup EXIT
fresh_folder() {
  local d
  d=$(mktemp -d "${TMPDIR:-/tmp}/skelvane-e2e.XXXXXX")
  cp "$SKEL_BIN/skelvane.exe" "$d/"
  [[ -f "$SKEL_BIN/Vardolin.exe" ]] && cp "$SKEL_BIN/Vardolin.exe" "$d/vardolin.exe"
  echo "$d"
}
start_monitor() {
  # Probes look only at the windows of the monitor started from this folder.
  export SKEL_PROBE_PATH="${1##*/}"
  "$SKEL_WINE_RUN" "$1/skelvane.exe" >/dev/null 2>&1 &
  MONITOR_PID=$!
}
wait_monitor_exit() {
  for _ in $(seq 150); do
    kill -0 "$MONITOR_PID" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}
# Settings file with the remote feature on: settings PORT ONLYALLOWED
settings() {
  printf '[main]\r\nenableremote=1\r\nremoteport=%s\r\nonlyallowip=%s\r\n' "$1" "$2" \
    >"$dir/skelvane_settings.ini"
}
# Port 2 belongs to one monitor per machine: another one running would
# answer in this monitor's place (its bind fails silently).
wait_port_two_free() {
  for _ in $(seq 120); do
    [[ -z "$(ss -Hulpn 'sport = :2' 2>/dev/null)" ]] && return 0
    sleep 0.5
  done
  fail "another program holds UDP port 2"
}
# The up-time text comes from the main tick: the first complete reply
# follows the first tick, about a second after start-up.
start_and_wait() {
  wait_port_two_free
  start_monitor "$1"
  for _ in $(seq 20); do
    $CLIENT udp --timeout 1 >/dev/null 2>&1 && return 0
    sleep 0.3
  done
  fail "the local listener never gave a complete reply"
}
# The monitor ends on WM_CLOSE to its hidden settings window.
stop_monitor() {
  "$SKEL_WINE_RUN" "$PROBE" close SkelvaneFrmMain >/dev/null
  wait_monitor_exit || fail "the monitor did not end after WM_CLOSE"
}

dir=$(fresh_folder)
port=$(free_port)

# 1. No lists: everyone is admitted.
echo "run 1: no lists"
settings "$port" 0
start_and_wait "$dir"
reply=$($CLIENT udp) || fail "no well-formed UDP reply: '$reply'"
echo "UDP reply: $reply"
$CLIENT udp --request GETALLDATA >/dev/null || fail "GETALLDATA over UDP not answered"
$CLIENT udp --request $'getalldata\r\n' --timeout 1.5 >/dev/null 2>&1 && fail "a request with a line end was answered"
$CLIENT udp --request getall --timeout 1.5 >/dev/null 2>&1 && fail "a partial command was answered"
out=$($CLIENT tcp --port "$port" --request GETALLDATA --request $'getalldata\r\n' \
  --request getalldatagetalldata --request getalldata) || fail "TCP exchange failed: $out"
[[ $(grep -c '^Commit Total: ' <<<"$out") == 2 ]] || fail "TCP replies: $out"
[[ $(grep -c '^(no answer)' <<<"$out") == 2 ]] || fail "TCP ignored requests: $out"

# "vardolin" runs the real cleaner, which writes its log block.
if [[ -f "$dir/vardolin.exe" ]]; then
  log="$dir/vardolin.log"
  printf '[main]\r\nfilecache=False\r\nlogfileenabled=True\r\nlogfilepath=Z:%s\r\nallprocessenable=True\r\nignorelistenable=False\r\nonlylistenable=False\r\nlogfilelist=vardolin\r\n' \
    "${log//\//\\}" >"$dir/Vardolin.ini"
  out=$($CLIENT tcp --port "$port" --request VARDOLIN) || fail "the cleaning request was answered: $out"
  for _ in $(seq 100); do [[ -s "$log" ]] && break; sleep 0.2; done
  [[ -s "$log" ]] || fail "the cleaner did not run on request"
  echo "the cleaner ran and logged $(wc -l <"$log") lines"
else
  echo "cleaner not built: the vardolin check is skipped"
fi
stop_monitor

# 2. The loopback address banned, "only allowed" off: refused.
echo "run 2: loopback banned"
printf '127.0.0.1\r\n' >"$dir/banned.dat"
start_and_wait "$dir"
[[ $($CLIENT admitted --port "$port") == refused ]] || fail "a banned peer was admitted"
$CLIENT udp >/dev/null || fail "the local listener stopped answering"
stop_monitor

# 3. "Only allowed" on: an address on both lists is admitted (the banned
#    list is ignored); with an empty allowed list nobody is.
echo "run 3: only allowed, loopback on both lists"
settings "$port" 1
printf '127.0.0.1\r\n' >"$dir/allowed.dat"
start_and_wait "$dir"
[[ $($CLIENT admitted --port "$port") == admitted ]] || fail "an allowed peer was refused"
stop_monitor
echo "run 4: only allowed, empty allowed list"
printf '' >"$dir/allowed.dat"
start_and_wait "$dir"
[[ $($CLIENT admitted --port "$port") == refused ]] || fail "an empty allowed list admitted a peer"
stop_monitor
pgrep -f "${dir##*/}/skelvane.exe" >/dev/null && fail "a monitor process is left running"
# The lists were only read, never rewritten.
[[ $(cat "$dir/banned.dat") == $'127.0.0.1\r' ]] || fail "banned.dat changed"

# 5. Bad input and many peers: garbage, megabytes in one go, peers that
#    vanish with a reset (some before they are even accepted) and
#    thousands of connect/close cycles. A viewer is served after each, and
#    the cycles leave the monitor's memory where it was.
echo "run 5: bad input and many peers"
rm -rf "$dir"
dir=$(fresh_folder)
settings "$port" 0
start_and_wait "$dir"
pid=$(pgrep -f "${dir##*/}/skelvane.exe" | head -1)
out=$($CLIENT abuse --port "$port" --pid "${pid:-0}" --cycles 2000) || fail "bad input: $out"
echo "$out"
growth=$(python3 -c 'import json,sys; m=json.loads(sys.argv[1])["resident_kb"]; \
a,b=m["after warm-up cycles"],m["after cycles"]; print(b-a if a and b else 0)' "$out")
(( growth < 8192 )) || fail "memory grew by $growth kB over the cycles"
stop_monitor
echo "PASS"
