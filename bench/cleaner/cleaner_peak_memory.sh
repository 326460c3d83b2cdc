#!/bin/bash
# The cleaner's peak memory under Wine: one run that logs a few processes, with
# the hosting process's resident high-water mark (VmHWM) sampled until it
# ends. Wine's own libraries are part of that figure.
set -uo pipefail
cd "$(dirname "$0")/../.."
exe=build/win64/bin/Vardolin.exe
[[ -f $exe ]] || { echo "cleaner not built ($exe)"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/"
cat > "$work/Vardolin.ini" <<INI
[main]
filecache=True
logfileenabled=True
logfilepath=Z:${work//\//\\}\\v.log
allprocessenable=True
logfilelist=vardolin,services,explorer,winedevice,svchost
INI
start=$(date +%s.%N)
scripts/wine-run "$work/Vardolin.exe" &
runner=$!
peak=0 rss=0
while kill -0 "$runner" 2>/dev/null; do
  for status in /proc/[0-9]*/status; do
    # Wine names the hosting process after the program.
    [[ $(sed -n 's/^Name:\t//p' "$status" 2>/dev/null) == Vardolin.exe ]] || continue
    hwm=$(sed -n 's/^VmHWM:[ \t]*\([0-9]*\) kB/\1/p' "$status" 2>/dev/null)
    [[ -n $hwm && $hwm -gt $peak ]] && peak=$hwm
  done
  sleep 0.02
done
wait "$runner"
end=$(date +%s.%N)
lines=$(grep -c 'PID: ' "$work/v.log" 2>/dev/null || echo 0)
printf 'cleaner run: %.2f s from start to end (Wine start included), %s processes logged\n' \
  "$(echo "$end - $start" | bc)" "$lines"
printf 'cleaner peak resident memory (VmHWM of the Wine process): %s kB\n' "$peak"
