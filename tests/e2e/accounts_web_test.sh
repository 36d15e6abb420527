#!/usr/bin/env bash
# The web documents, the news banner, the account dialogs and the update, on
# the real program with a local web server (VELMONAR_WEB_BASE), the test game
# server on 127.0.0.1:10002, a fresh XDG_CONFIG_HOME and a fake xdg-open that
# records its arguments.
#   accounts_web_test.sh PROGRAM_FOLDER GAME_SERVER WEB_SERVER
# 1. The banner shows the fetched text; a click gives xdg-open its https link.
# 2. Settings, personal: register, log out, a wrong and the right password,
#    the stored log-in file (mode, folder mode, exact bytes) at every step.
# 3. A newer version on the web: the notice, the updater (the product page),
#    the end with status 0 and no options file; then the same from a copy of
#    the program folder without the updater: two notices and the page.
# Screenshots are kept in $VELMONAR_E2E_SHOTS when it is set.
set -u
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$1"
game_server=$2
web_server=$3

# Two untouched copies of the program folder for the update runs.
for copy in update noupdate; do
  mkdir "$work/$copy" && cp -r "$1/." "$work/$copy/" && rm -f "$work/$copy/konfig.ini"
done
rm -f "$work/noupdate/Update.exe"

fake_browser
export XDG_CONFIG_HOME="$work/config"

# --- the web server and its documents ---
web=$work/web
mkdir "$web"
put() { printf '%s' "$2" >"$web/velmonar_$1"; }
put vers.vs 005
put ip.ip 127.0.0.1
put reklama 'https://news.velmonar.example/page?id=7!fresh  news  from  the  web  today'
put reklama.slow 5  # the banner is seen with its first text before the fetch ends
# (within the fetch's 10 s limit)
start_web_server "$web_server" "$web"

# --- the game server (log-ins and registrations go to localhost:10002) ---
start_game_server "$game_server"

LOGIN_W=$(dlu_x 180) LOGIN_H=$(dlu_y 107)
REG_W=$(dlu_x 186) REG_H=$(dlu_y 121)
NAME_W=$(dlu_x 156) NAME_H=$(dlu_y 70)
# Replaces the text of the edit at a point (dialog units) with $4.
fill_edit() {
  dialog_click "$1" "$2" "$3"
  xdotool key ctrl+a BackSpace type --delay 30 "$4"
  sleep 0.1
}
# The message box (caption "Velmonar"): its position, empty when none.
message_box() {
  local id
  id=$(xdotool search --onlyvisible --name '^Velmonar$' 2>/dev/null | head -n1)
  [ -n "$id" ] && xwininfo -id "$id" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }'
}
white_pixels() {  # WxH+X+Y of the screen shot $1
  convert "$work/$1.png" -crop "$2" +repage -threshold 80% -format '%[fx:int(mean*w*h+0.5)]' info:
}

# --- the stored log-in ---
stored=$XDG_CONFIG_HOME/velmonar/strlp.erg
check_stored() {  # name password
  [ -f "$stored" ] || fail "no stored log-in after $1 logged in"
  expect "stored log-in mode" "$(stat -c %a "$stored")" 600
  expect "stored log-in folder mode" "$(stat -c %a "$(dirname "$stored")")" 700
  printf '%s\n%s' "$1" "$2" | cmp -s - "$stored" || fail "stored log-in holds $(od -c "$stored" | head -n3)"
  [ -z "$(find "$(dirname "$stored")" -name '*.tmp*')" ] || fail "a temporary file stays next to strlp.erg"
}
no_stored() { [ ! -e "$stored" ] || fail "$1: strlp.erg is still there"; }

# ===== 1. The news banner =====
start_program
wait_dump "the start-up"
click_id 91 "English"
expect "language" "${F[lang]}" 2
xdotool key Escape
wait_dump "Esc"
expect "menu mode after Esc" "$(panel 0)" 0
read -r _ l0 t0 r0 b0 <<<"$(rect_of_id 150)"
[ -n "${r0:-}" ] || fail "no news banner (hover id 150) with the menu closed"
still_shot banner-before
# The advertising document arrives after its delay; the next tick shows it.
wait_log "$web/requests.log" '^/velmonar/reklama$' "reklama asked for" 15
for _ in $(seq 1 30); do
  sleep 1
  xdotool key Escape
  wait_dump "Esc (the menu opens)"
  xdotool key Escape
  wait_dump "Esc (the menu closes)"
  read -r _ l1 t1 r1 b1 <<<"$(rect_of_id 150)"
  [ -n "${r1:-}" ] || fail "no news banner after the fetch"
  [ $((r1 - l1)) -gt $((r0 - l0 + 40)) ] && break
done
# "[ бесплатные  игры  тут ]" becomes the longer fetched line, at the top edge.
[ $((r1 - l1)) -gt $((r0 - l0 + 40)) ] || fail "the banner did not grow with the fetched text: $l0..$r0 then $l1..$r1"
[ "$t1" -lt 60 ] || fail "the banner is not at the top edge: top $t1"
still_shot banner-fetched
differs banner-before banner-fetched "$((r1 - l1 + 20))x$((b1 - t1 + 10))+$((l1 - 10))+$((t1 - 5))"
click_id 150 "a click on the news banner"
wait_log "$work/xdg-open.log" '^https://news\.velmonar\.example/page\?id=7$' "the banner click" 10
# The game server answers pings: the online banner blinks under the menu button.
wait_log "$work/server.log" '^PING' "the ping" 20
sleep 1.5
xdotool key Escape
wait_dump "Esc (the menu opens)"
xdotool key Escape
wait_dump "Esc (the menu closes)"
[ -n "$(centre_of_id 180)" ] || fail "no online banner (hover id 180) while the server answers pings"
still_shot online-banner

# ===== 2. The account dialogs =====
rm -f "$work/xdg-open.log"
click_name menu "the menu button"
click_id 10 "Settings"
at=$(centre_of_id 19)
[ -n "$at" ] || fail "no personal entry (hover id 19) in the settings"
seq_before=$last_seq
press_at $at
login=$(wait_window "$LOGIN_W" "$LOGIN_H" "log-in dialog")
shot login-dialog
no_stored "before any log-in"
dialog_click "$login" 44 93  # "Registration"
wait_no_window "$LOGIN_W" "$LOGIN_H" "log-in dialog"
reg=$(wait_window "$REG_W" "$REG_H" "registration dialog")
fill_edit "$reg" 131 36 alice
fill_edit "$reg" 131 53 Secret42
fill_edit "$reg" 131 69 Secret42
fill_edit "$reg" 131 85 alice@example.org
shot registration-dialog
dialog_keys "$reg" Return
name=$(wait_window "$NAME_W" "$NAME_H" "name dialog after the registration")
grep -qx 'REGISTER alice new' "$work/server.log" || fail "no registration on the server: $(cat "$work/server.log")"
check_stored alice Secret42
shot name-dialog
read -r nx ny <<<"$name"
name_box="$(dlu_x 55)x$(dlu_y 12)+$((nx + $(dlu_x 91)))+$((ny + $(dlu_y 10)))"
[ "$(white_pixels name-dialog "$name_box")" -gt 15 ] || fail "the name dialog shows no name"
# Log out: the file goes, the log-in dialog follows.
dialog_click "$name" 77 37
wait_no_window "$NAME_W" "$NAME_H" "name dialog"
login=$(wait_window "$LOGIN_W" "$LOGIN_H" "log-in dialog after the log-out")
no_stored "after the log-out"
# A wrong password: the message, the dialog stays, nothing stored.
fill_edit "$login" 109 34 alice
fill_edit "$login" 109 51 Wrong99
dialog_keys "$login" Return
box=""
for _ in $(seq 1 200); do box=$(message_box); [ -n "$box" ] && break; sleep 0.05; done
[ -n "$box" ] || fail "no message after a wrong password"
wait_log "$work/server.log" '^LOGIN alice refused$' "the wrong password" 10
sleep 0.3
shot wrong-password
shown "$LOGIN_W" "$LOGIN_H" || fail "the log-in dialog closed after a wrong password"
no_stored "after a wrong password"
dialog_keys "$box" Return
for _ in $(seq 1 100); do [ -z "$(message_box)" ] && break; sleep 0.05; done
[ -z "$(message_box)" ] || fail "the message stays after Enter"
# The right password: the file comes back, the name dialog follows.
fill_edit "$login" 109 51 Secret42
dialog_keys "$login" Return
name=$(wait_window "$NAME_W" "$NAME_H" "name dialog after the log-in")
wait_log "$work/server.log" '^LOGIN alice ok$' "the right password" 10
check_stored alice Secret42
shot name-dialog-again
# Close: the file stays; every dialog is gone and the press is dumped.
dialog_click "$name" 77 56
wait_no_window "$NAME_W" "$NAME_H" "name dialog"
wait_dump "the end of the account session"
check_stored alice Secret42
shown "$LOGIN_W" "$LOGIN_H" && fail "a log-in dialog is left open"
# Log out again; Esc closes the log-in dialog that follows.
press_at $at
name=$(wait_window "$NAME_W" "$NAME_H" "name dialog from the stored log-in")
dialog_click "$name" 77 37
login=$(wait_window "$LOGIN_W" "$LOGIN_H" "log-in dialog after the second log-out")
no_stored "after the second log-out"
dialog_keys "$login" Escape
wait_no_window "$LOGIN_W" "$LOGIN_H" "log-in dialog"
wait_dump "the second account session"
no_stored "at the end"
[ ! -e "$work/xdg-open.log" ] || fail "the account dialogs opened a link: $(cat "$work/xdg-open.log")"
# The close button (and the exit prompt's "yes", when it asks) writes the
# options file: the control for the update runs, which must not.
at_close=$(centre_of close)
press_at $at_close
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  read -r line <"$dumpfile"
  kv=${line%% *}
  if [ "${kv#seq=}" -gt "$last_seq" ]; then
    wait_dump "the close button"
    [ -n "$(centre_of_id 85)" ] && press_at $(centre_of_id 85)
  fi
  sleep 0.1
done
expect_exit "the close button" 1
[ -f "$work/konfig.ini" ] || fail "the close button wrote no konfig.ini"

# ===== 3. A newer version on the web =====
put vers.vs 006
: >"$web/requests.log"
update_run() {  # folder, shot name, notices; the notices closed one by one
  local folder=$1 notice k
  rm -f "$work/xdg-open.log"
  "$folder/velmonar" &
  pid=$!
  for k in $(seq 1 "$3"); do
    [ "$k" = 1 ] || sleep 0.5
    notice=$(wait_window "$NOTICE_W" "$NOTICE_H" "update notice $k")
    shot "$2-$k"
    [ ! -e "$work/xdg-open.log" ] || fail "a page opened before update notice $k was closed"
    dialog_keys "$notice" Return
  done
  expect_exit "the update notice" 150
  wait_log "$work/xdg-open.log" '^https://velmonar\.example/soft/Velmonar\.php$' "the product page" 10
  expect "pages opened" "$(wc -l <"$work/xdg-open.log")" 1
  [ ! -e "$folder/konfig.ini" ] || fail "konfig.ini written on the way to the update"
  [ -z "$(find "$XDG_CONFIG_HOME" -name 'konfig.ini' 2>/dev/null)" ] || fail "konfig.ini written in the config folder"
}
update_run "$work/update" update-notice 1
grep -qx /velmonar/vers.vs "$web/requests.log" || fail "vers.vs never asked for"
grep -q 'ip.ip\|reklama' "$web/requests.log" && fail "a newer version, yet more documents were asked for: $(cat "$web/requests.log")"
update_run "$work/noupdate" noupdate-notice 2
echo PASS
