#!/usr/bin/env bash
# The real program against a silent test game server on 127.0.0.1:10002: its
# first ping arrives a few seconds after the start-up, Esc still works while
# the ping waits for an answer, and SIGTERM then ends it within 5 s, status 0.
set -u
program=$1
server=$2
work=$(mktemp -d)
fail() {
  echo "FAIL: $*" >&2
  kill -KILL "$pid" "$server_pid" 2>/dev/null
  rm -rf "$work"
  exit 1
}

python3 -u "$server" --address 127.0.0.1 --silent >"$work/server.log" 2>&1 &
server_pid=$!
pid=""
for _ in $(seq 1 50); do
  grep -q '^LISTEN' "$work/server.log" && break
  sleep 0.1
done
grep -q '^LISTEN' "$work/server.log" || fail "the test server did not start: $(cat "$work/server.log")"

XDG_CONFIG_HOME="$work/config" "$program" &
pid=$!
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --name '^Велмонар$' 2>/dev/null | head -n1)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended before its window appeared"
  sleep 0.1
done
[ -n "$window" ] || fail "no window titled Велмонар"

# The start-up takes a few seconds; the first ping follows 3.5 s after it.
for _ in $(seq 1 300); do
  grep -q '^PING' "$work/server.log" && break
  sleep 0.1
done
grep -q '^PING' "$work/server.log" || fail "no ping within 30 s"

xdotool key --window "$window" Escape
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "Esc ended the program"

kill -TERM "$pid"
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running 5 s after SIGTERM during a waiting ping"
wait "$pid"
status=$?
kill -KILL "$server_pid" 2>/dev/null
rm -rf "$work"
[ "$status" = 0 ] || fail "exit status $status after SIGTERM"
echo "PASS"
