#!/usr/bin/env bash
# The real program against a silent test game server on 127.0.0.1:10002: its
# first ping arrives a few seconds after the start-up, Esc still works while
# the ping waits for an answer, and SIGTERM then ends it within 5 s, status 0.
#   online_ping_test.sh PROGRAM_FOLDER GAME_SERVER
set -u
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$1"
start_game_server "$2" --silent
start_program XDG_CONFIG_HOME="$work/config"
wait_main_window

# The start-up takes a few seconds; the first ping follows 3.5 s after it.
wait_log "$work/server.log" '^PING' "the first ping" 30

xdotool key --window "$window" Escape
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "Esc ended the program"
end_program "during a waiting ping"
echo "PASS"
