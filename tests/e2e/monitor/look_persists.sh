#!/bin/bash
# A colour preset chosen in the running monitor writes its keys, and the next
# start paints the bar window in those colours.
source "$(dirname "$0")/lib.sh"
trap stop_monitor_hard EXIT

dir=$(fresh_folder)
ini="$dir/skelvane_settings.ini"
start_monitor "$dir"
probe command SkelvaneFrmMain 40010 >/dev/null   # "Monitor Settings"
sleep 1
probe tab SkelvaneFrmMain 1 || fail "no Monitor Settings tab"
probe combo SkelvaneFrmMain "Color Presets:" 7 || fail "the preset list could not be used"   # "Dark Red"
sleep 1
[[ "$(ini_value "$ini" programback)" == 128 ]] || fail "programback is '$(ini_value "$ini" programback)' after Dark Red"
[[ "$(ini_value "$ini" monitorprogressbarfill)" == 0 ]] || fail "monitorprogressbarfill not written"
probe close SkelvaneFrmMain
wait_monitor_exit 15 || fail "the monitor did not end"

# Next start: the bar window's background is the preset's dark red.
start_monitor "$dir"
read -r l t r b <<<"$(probe rect SkelvaneFrmMonitor)"
shots="${SKEL_SHOTS:-$PWD/screenshots}"
mkdir -p "$shots"
shot "$shots/bar-dark-red.png" $((r - l)) $((b - t)) "$l" "$t"
# A pixel at the right end of the lower text line: background, not text.
pixel=$(convert "$shots/bar-dark-red.png" -format "%[pixel:p{$((r - l - 10)),$((b - t - 8))}]" info:)
echo "background pixel: $pixel"
[[ "$pixel" == "srgb(128,0,0)" ]] || fail "the bar window's background is $pixel after restart"
probe close SkelvaneFrmMain
wait_monitor_exit 15 || fail "the monitor did not end"
echo "PASS"
