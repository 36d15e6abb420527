#!/usr/bin/env bash
# Starts the program, finds its full-screen window by its title, sends Enter
# and Esc (it keeps running), then SIGTERM (it ends cleanly, exit status 0).
#   main_window_test.sh PROGRAM
set -u
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$(dirname "$1")"
start_program
wait_main_window

read -r screen_w screen_h < <(xdotool getdisplaygeometry)
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = "$screen_w" ] && [ "$HEIGHT" = "$screen_h" ] ||
  fail "window is ${WIDTH}x${HEIGHT}, screen is ${screen_w}x${screen_h}"
[ "$X" = 0 ] && [ "$Y" = 0 ] || fail "window is at $X,$Y"

xdotool mousemove --window "$window" 100 100
for key in Return Escape Escape; do
  xdotool key --window "$window" $key
  sleep 0.3
  kill -0 "$pid" 2>/dev/null || fail "$key ended the program"
done
end_program
echo "PASS"
