#!/usr/bin/env bash
# An online game of the real program, as a guest, against the headless
# client "bob" through the test game server on 127.0.0.1:10002; a local web
# server (VELMONAR_WEB_BASE) and a fresh XDG_CONFIG_HOME.
#   online_game_test.sh PROGRAM_FOLDER E2E_PROBE GAME_SERVER WEB_SERVER HEADLESS_CLIENT
# bob queues first, so the program moves first; the steps are told below.
# Screenshots are kept in $VELMONAR_E2E_SHOTS when it is set.
set -u
probe=$2
game_server=$3
web_server=$4
headless=$5
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$1"
export XDG_CONFIG_HOME="$work/config"
fake_browser

read_points

web=$work/web
mkdir "$web"
printf 005 >"$web/velmonar_vers.vs"
printf 127.0.0.1 >"$web/velmonar_ip.ip"
start_web_server "$web_server" "$web"
start_game_server "$game_server" --account bob:pw

# bob queues first (his log-in is stored in
# a folder of his own).
mkdir "$work/bob"
XDG_CONFIG_HOME="$work/bob" "$headless" --server 127.0.0.1 --login bob:pw --seed 7 --limit 240 \
  >"$work/bob.log" 2>&1 &
bob_pid=$!
helper_pids+=("$bob_pid")
wait_log "$work/server.log" '^QUEUED bob$' "bob's match request" 60

# --- the program: English, new game, play online, automatic setup ---
start_program
wait_dump "the start-up"
click_id 91 "English"
click_id 6 "New game"
for id in 130 131 132; do [ -n "$(centre_of_id $id)" ] || fail "no opponent choice button $id"; done
still_shot opponent-choice
click_id 131 "Play online"
wait_log "$work/server.log" '^STATUS ' "the status query" 20
for id in 170 171; do [ -n "$(centre_of_id $id)" ] || fail "no setup choice button $id"; done
sleep 1
still_shot online-status
click_id 170 "Automatic setup"
# The server pairs the guest request (well-formed, or it would say so) with bob.
wait_log "$work/server.log" '^PAIRED bob \(guest\)' "the pairing of bob with the guest" 30
wait_log "$work/bob.log" '^PAIRED .*opponent=.* first=opponent' "bob's pairing" 30
grep -q '^MATCH malformed' "$work/server.log" && fail "the program's match request is malformed"

count_owner() { local n=0 c; for c in "${cells[@]}"; do [ "${c%/*}" = "$1" ] && n=$((n + 1)); done; echo $n; }
armies_placed() { [ "${F[setup]}" = 0 ] && [ "$(count_owner 1)" = 40 ] && [ "$(count_owner 2)" = 40 ]; }
look_until 30 1 "a look at the board" armies_placed
expect "both armies on the board, play" "$(count_owner 1) $(count_owner 2) ${F[setup]}" "40 40 0"
shot online-armies

# The first move reaches bob turned by 180 degrees; his answer comes back.
play_move
wait_log "$work/bob.log" "^MOVE [0-9]+ opponent $((11 - fx)) $((11 - fy)) $((11 - tx)) $((11 - ty))\$" "bob's view of the move" 30
wait_log "$work/bob.log" '^MOVE [0-9]+ own ' "bob's answer" 30
read -r _ _ _ bfx bfy btx bty < <(grep -E '^MOVE [0-9]+ own ' "$work/bob.log" | head -n1)
answer="$((11 - bfx)),$((11 - bfy)),$((11 - btx)),$((11 - bty))"
last_is() { [ "${F[last]}" = "$1" ]; }
look_until 20 0.5 "a look at bob's answer" last_is "$answer"
expect "bob's answer on the program's board" "${F[last]}" "$answer"
shot online-answer

# bob is stopped: the notice (before or after the next move), then the computer.
kill -TERM "$bob_pid"
for _ in $(seq 1 50); do kill -0 "$bob_pid" 2>/dev/null || break; sleep 0.1; done
kill -KILL "$bob_pid" 2>/dev/null
notice_at() { window_of_size "$NOTICE_W" "$NOTICE_H"; }
wait_notice() { for _ in $(seq 1 "$1"); do at=$(notice_at); [ -n "$at" ] && return 0; sleep 0.1; done; return 1; }
at=""
by_click=0
if ! wait_notice 100; then
  by_click=1
  # The program learns of it when it sends the next move.
  read -r fx fy tx ty < <("$probe" move "$dumpfile") || fail "no legal move"
  click_square "$fx" "$fy"
  press_at ${empty_point[$tx,$ty]:-${piece_point[$tx,$ty]}}
  wait_notice 200 || fail "no notice after the opponent left"
fi
sleep 0.5
shot opponent-left-notice
dialog_keys "$at" Return
wait_no_window "$NOTICE_W" "$NOTICE_H" "notice after Enter"
[ $by_click = 1 ] && wait_dump "the move that met the notice"
# The computer answers from now on.
in_play() { [ "${F[setup]}" = 0 ]; }
look_until 10 0.5 "a look after the notice" in_play
play_move
mine="$fx,$fy,$tx,$ty"
moved_on() { [ "${F[last]}" != "$mine" ]; }
moved_on || look_until 20 0.5 "a look for the computer's answer" moved_on ||
  fail "the computer did not answer after the opponent left"
expect "game over" "${F[over]}" 0
shot computer-answer
wait_log "$work/server.log" '^REPORT - ' "the report \")-\"" 20
end_program
echo PASS
