#!/usr/bin/env bash
# Starts the program, finds its full-screen window by its title, sends Enter
# and Esc (it keeps running), then SIGTERM (it ends cleanly, exit status 0).
set -u
program=$1
fail() { echo "FAIL: $*" >&2; kill -KILL "$pid" 2>/dev/null; exit 1; }

"$program" &
pid=$!

window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --name '^Велмонар$' 2>/dev/null | head -n1)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended before its window appeared"
  sleep 0.1
done
[ -n "$window" ] || fail "no window titled Велмонар"

read -r screen_w screen_h < <(xdotool getdisplaygeometry)
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = "$screen_w" ] && [ "$HEIGHT" = "$screen_h" ] ||
  fail "window is ${WIDTH}x${HEIGHT}, screen is ${screen_w}x${screen_h}"
[ "$X" = 0 ] && [ "$Y" = 0 ] || fail "window is at $X,$Y"

xdotool mousemove --window "$window" 100 100
xdotool key --window "$window" Return
sleep 0.3
kill -0 "$pid" 2>/dev/null || fail "Enter ended the program"
xdotool key --window "$window" Escape
sleep 0.3
kill -0 "$pid" 2>/dev/null || fail "Esc ended the program"
xdotool key --window "$window" Escape
sleep 0.3
kill -0 "$pid" 2>/dev/null || fail "a second Esc ended the program"

kill -TERM "$pid"
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running 5 s after SIGTERM"
wait "$pid"
status=$?
[ "$status" = 0 ] || fail "exit status $status after SIGTERM"
echo "PASS"
