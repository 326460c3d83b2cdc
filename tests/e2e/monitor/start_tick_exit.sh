#!/bin/bash
# Starts the monitor in an empty folder: start-up writes its keys, the
# up-time caption moves every second, and a close that is not the user's
# close box ends the process, saving the settings window's position.
source "$(dirname "$0")/lib.sh"
trap stop_monitor_hard EXIT

dir=$(fresh_folder)
"$SKEL_WINE_RUN" reg delete 'HKCU\Software\Quorbelta\Vardolin Skelvane' /f >/dev/null 2>&1

start_monitor "$dir"
sleep 1
[[ $(probe visible SkelvaneFrmMain) == 0 ]] || fail "the settings window starts visible"
title=$(probe title SkelvaneFrmMain)
[[ "$title" == *" v2.4.1"* ]] || fail "caption '$title' lacks the version"

# Start-up's handlers write their keys into the new settings file.
ini="$dir/skelvane_settings.ini"
[[ -f "$ini" ]] || fail "no settings file after start-up"
expect() { [[ "$(ini_value "$ini" "$1")" == "$2" ]] || fail "$1 is '$(ini_value "$ini" "$1")', not '$2'"; }
expect show 1
expect compact 0
expect showtotals 0
expect 1sttext "Memory Total"
expect 2ndtext "Commit Total"
expect programback 4210752
expect monitorprogressdontusebarfill True
expect text1left True
expect trayicon3bgcolor 255
expect trayicon1fontsize 6.75

# "Monitor Settings" shows the window; its menu bar carries the up-time
# caption, which the tick rewrites every second: the menu bar's pixels change.
probe command SkelvaneFrmMain 40010 >/dev/null
sleep 1.5
[[ $(probe visible SkelvaneFrmMain) == 1 ]] || fail "Monitor Settings did not show the window"
shots="${SKEL_SHOTS:-$PWD/screenshots}"
mkdir -p "$shots"
read -r l t r b <<<"$(probe rect SkelvaneFrmMain)"
menubar() { shot "$1" $((r - l)) 30 "$l" $((t + 20)); }
# Four shots 1.1 s apart: a late tick may leave one pair equal, never two.
changes=0
for i in 1 2 3 4; do
  menubar "$shots/menubar-$i.png"
  if ((i > 1)); then
    cmp -s "$shots/menubar-$((i - 1)).png" "$shots/menubar-$i.png" || changes=$((changes + 1))
  fi
  sleep 1.1
done
((changes >= 2)) || fail "the up-time caption did not change each second ($changes changes in 4 s)"
for tab in 0 1 2 3; do
  probe tab SkelvaneFrmMain "$tab" || fail "tab $tab could not be selected"
  sleep 0.4
  shot "$shots/settings-tab$tab.png" $((r - l)) $((b - t)) "$l" "$t"
done

# The user's close box only hides the window.
probe closebox SkelvaneFrmMain
sleep 0.7
kill -0 "$MONITOR_PID" 2>/dev/null || fail "the close box ended the monitor"
[[ $(probe visible SkelvaneFrmMain) == 0 ]] || fail "the close box did not hide the window"

# Any other close ends the monitor.
probe close SkelvaneFrmMain
wait_monitor_exit 15 || fail "the monitor did not end after WM_CLOSE"
top=$(probe regget 'Software\Quorbelta\Vardolin Skelvane' FrmMain_x) || fail "FrmMain_x not saved"
left=$(probe regget 'Software\Quorbelta\Vardolin Skelvane' FrmMain_y) || fail "FrmMain_y not saved"
echo "saved position: top $top left $left"
monitor_running && fail "a monitor process is left running"
rm -rf "$dir"
echo "PASS"
