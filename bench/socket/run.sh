#!/bin/bash
# Round trips per second and latency percentiles of a request/reply over
# loopback TCP through the socket component, against a plain blocking
# Winsock client, under Wine. Uses the win64 build (SKEL_BUILD_DIR to pick
# another) and builds the benchmark there when it is missing.
#   bench/socket/run.sh [round trips]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${SKEL_BUILD_DIR:-$root/build/win64}
exe=$build/bench/socket/socket_roundtrip_bench.exe
if [[ ! -x $exe ]]; then
  if [[ ! -f $build/build.ninja ]]; then
    cmake --preset win64 -B "$build" >/dev/null || exit 1
  fi
  cmake --build "$build" --target socket_roundtrip_bench >/dev/null || exit 1
fi
"$root/scripts/wine-run" "$exe" "${1:-5000}"
