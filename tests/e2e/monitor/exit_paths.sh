#!/bin/bash
# "Exit" from the monitor's menu and Windows logging off both end the monitor
# through the same shutdown, saving the settings window's position.
source "$(dirname "$0")/lib.sh"
trap stop_monitor_hard EXIT

for way in exit logoff; do
  "$SKEL_WINE_RUN" reg delete 'HKCU\Software\Quorbelta\Vardolin Skelvane' /f >/dev/null 2>&1
  dir=$(fresh_folder)
  start_monitor "$dir"
  if [[ $way == exit ]]; then
    probe command SkelvaneFrmMain 40015 >/dev/null   # "Exit"
  else
    probe endsession SkelvaneFrmMain >/dev/null
  fi
  wait_monitor_exit 15 || fail "$way did not end the monitor"
  probe regget 'Software\Quorbelta\Vardolin Skelvane' FrmMain_x >/dev/null ||
    fail "$way did not save the settings window's position"
  monitor_running && fail "$way left a monitor running"
  rm -rf "$dir"
  echo "$way: ended, position saved"
done
echo "PASS"
