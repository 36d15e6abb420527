# What the end-to-end scripts share: a private copy of the program folder,
# the program started with the debug dump, the dump read after every press,
# presses at the hit rectangles the dump names, screenshots and the end.
# Source it, then call e2e_setup PROGRAM_FOLDER. Dump fields: tests/e2e/README.md.

e2e_setup() {
  work=$(mktemp -d)
  pid=""
  helper_pids=()
  trap e2e_cleanup EXIT
  # The program folder is the executable's own folder: a copy, not a link.
  cp -r "$1/." "$work/"
  rm -f "$work/konfig.ini"
  dumpfile=$work/dump.txt
  read -r screen_w screen_h < <(xdotool getdisplaygeometry)
  last_seq=0
  last_press=""
  dump=""
}

# An options file: language $1, every other option at its default.
write_options() {
  printf '%s' "$1 0 1 0 1 0 2.05 0 0.31 60 1 1 1 1 1 1 0.95 0.9 0.6 0.4 0.1 0.4 0.48 0.5 0.12 0.3 0.23 0.12 0.3 0.23" \
    >"${2:-$work}/konfig.ini"
}

e2e_cleanup() {
  [ -n "${pid:-}" ] && kill -KILL "$pid" 2>/dev/null
  local p
  for p in "${helper_pids[@]}"; do kill -KILL "$p" 2>/dev/null; done
  if [ -n "${VELMONAR_E2E_SHOTS:-}" ] && ls "$work"/*.png >/dev/null 2>&1; then
    mkdir -p "$VELMONAR_E2E_SHOTS" && cp "$work"/*.png "$VELMONAR_E2E_SHOTS/"
  fi
  rm -rf "$work"
}

fail() { echo "FAIL: $*" >&2; echo "last dump: ${dump:-}" >&2; exit 1; }
expect() { [ "$2" = "$3" ] || fail "$1: expected $3, got $2"; }

# Starts the program from the copy with the dump; extra arguments are
# environment assignments (NAME=value).
start_program() {
  env "$@" VELMONAR_DEBUG_DUMP="$dumpfile" "$work/velmonar" &
  pid=$!
}

# --- the dump, parsed with shell built-ins into F[field], cells[], tray[] and
# hit[name] = "id l t r b" ---
declare -A F hit
wait_dump() {
  local line kv entry name rest
  for _ in $(seq 1 1200); do
    line=""
    [ -f "$dumpfile" ] && read -r line <"$dumpfile"
    kv=${line%% *}
    if [ -n "$line" ] && [ "${kv#seq=}" -gt "$last_seq" ]; then
      dump=$line
      last_seq=${kv#seq=}
      F=()
      for kv in $dump; do F[${kv%%=*}]=${kv#*=}; done
      IFS=, read -ra cells <<<"${F[cells]:-}"
      IFS=, read -ra tray <<<"${F[tray]:-}"
      hit=()
      IFS=';' read -ra entries <<<"${F[hits]:-}"
      for entry in "${entries[@]}"; do
        name=${entry%%:*}
        rest=${entry#*:}
        hit[$name]="${rest%%:*} $(tr , ' ' <<<"${rest#*:}")"
      done
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || fail "the program ended"
    sleep 0.05
  done
  fail "no new dump within 60 s after $1"
}
cell() { echo "${cells[$(( ($2 - 1) * 10 + $1 - 1 ))]}"; }
# The probe's window points of the squares (empty_point and piece_point by
# "x,y") and of the tray slots (slot_point by rank), in $work/points.txt.
read_points() {
  "$probe" points "$work" >"$work/points.txt" || fail "the probe found no points"
  declare -gA empty_point piece_point slot_point
  local kind a b c d e f
  while read -r kind a b c d e f; do
    [ "$kind" = square ] && empty_point[$a,$b]="$c $d" && piece_point[$a,$b]="$e $f"
    [ "$kind" = slot ] && slot_point[$a]="$b $c"
  done <"$work/points.txt"
}
click_square() {
  if [ "$(cell "$1" "$2")" = 0/-1 ]; then press_at ${empty_point[$1,$2]}; else press_at ${piece_point[$1,$2]}; fi
  wait_dump "a click on square $1,$2"
}
# The probe's move for the last dump played as two clicks (from fx,fy to
# tx,ty): the player's piece leaves its square.
play_move() {
  read -r fx fy tx ty < <("$probe" move "$dumpfile") || fail "no legal move"
  click_square "$fx" "$fy"
  click_square "$tx" "$ty"
  [[ "$(cell "$fx" "$fy")" != 1/* ]] || fail "the piece did not leave $fx,$fy"
}
# Up to $1 times: a pause of $2 s, a press where nothing is (the window's left
# edge) that just dumps the state ($3 says what), until the command after them
# holds for that dump.
look_until() {  # tries pause what command...
  for _ in $(seq 1 "$1"); do
    sleep "$2"
    press_at 3 $((screen_h / 2))
    wait_dump "$3"
    "${@:4}" && return 0
  done
  return 1
}
# A save file as the program writes it: the label line, 400 cell values, 19 ints.
expect_save_file() {  # path what
  head -n 1 "$1" | grep -Eq '^![1-9][0-9]?\.[01][0-9]\.[0-9]{4}       [0-2][0-9]:[0-5][0-9]:[0-5][0-9]$' ||
    fail "$2: the label of $(basename "$1"): $(head -c 40 "$1")"
  expect "$2: values on line 2" "$(sed -n 2p "$1" | wc -w)" 400
  expect "$2: ints on line 3" "$(sed -n 3p "$1" | grep -Ecx '(-?[0-9]+ ){19}')" 1
  expect "$2: line ends" "$(wc -l <"$1")" 2
}
# A save file of the position given as "x,y=owner/rank" words (the lakes
# added, every other square empty, no knowledge, no plan tags), labelled $1,
# with the 19 integers $3.
write_save() {  # label position ints
  local -A at
  local w x y v
  for w in $2; do at[${w%%=*}]=${w#*=}; done
  printf '!%s\n' "$1"
  for x in $(seq 1 10); do
    for y in $(seq 1 10); do
      v=${at[$x,$y]:-0/-1}
      [[ $y == [56] && $x == [3478] ]] && v=5/-1
      printf '%s %s 0 0 ' "${v%/*}" "${v#*/}"
    done
  done
  printf '\n'
  printf '%s ' $3
}
# A modal notice blocks the dump: Return on it until the dump's sequence grows.
close_notice() {
  local seq0=$last_seq line kv
  sleep 1
  shot "$1"
  read -r line <"$dumpfile"
  kv=${line%% *}
  expect "$1: dump written under the notice" "${kv#seq=}" "$seq0"
  [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -ge 2 ] || fail "$1: no notice window"
  for _ in $(seq 1 30); do
    xdotool mousemove "$((screen_w / 2))" "$((screen_h / 2))" key Return
    sleep 0.5
    read -r line <"$dumpfile"
    kv=${line%% *}
    [ "${kv#seq=}" -gt "$seq0" ] && { wait_dump "$1 closed"; return 0; }
  done
  fail "$1: the notice did not close"
}
# The panel flag k of the last dump (0 menu mode, k = panel + 1 for panels 0-14,
# 16 the text window, 17 game over, 18 the opponent choice).
panel() { echo "${F[panels]:$1:1}"; }
# The entries by name.
MENU=1 SETTINGS=2 SLOTS=7 SAVE_PROMPT=8 LOADS=9 LOAD_PROMPT=10 NEW_PROMPT=11 EXIT_PROMPT=12 RESET_PROMPT=13
LANGUAGES=14 ABOUT=15 TEXT=16 GAME_OVER=17 OPPONENT=18
NO_PANELS=0000000000000000000

# The hit rectangle named $1 (close, maximise, minimise, help, menu,
# textclose, w<index>), or with hover id $1, as "id l t r b"; its centre as
# "x y". Empty when the last dump names none.
rect_of_id() { local n; n=$(name_of_id "$1"); [ -n "$n" ] && echo "${hit[$n]}"; }
centre_of() {
  local id l t r b
  [ -n "${hit[$1]:-}" ] || return
  read -r id l t r b <<<"${hit[$1]}"
  echo "$(( (l + r) / 2 )) $(( (t + b) / 2 ))"
}
centre_of_id() { local n; n=$(name_of_id "$1"); [ -n "$n" ] && centre_of "$n"; }

# --- the mouse: off the point and back on (a fresh hover), then a press ---
press_at() {
  [ "$last_press" = "$1 $2" ] && sleep 1.1  # never a double click
  xdotool mousemove "$(($1 + 4))" "$2" mousemove "$1" "$2" click 1
  last_press="$1 $2"
}
# Presses the element named $1 and waits for the dump ($2 says what; $3,
# when given, names the element in the failure).
click_name() {
  local at=""
  [ -n "$1" ] && at=$(centre_of "$1")
  [ -n "$at" ] || fail "$2: no element ${3:-$1} on screen"
  press_at $at
  wait_dump "$2"
}
# The same for the element with hover id $1.
click_id() { click_name "$(name_of_id "$1")" "$2" "with hover id $1"; }
# click_id, then only the given panel flags set (as expect_panels).
click_panels() {  # id what flags...
  click_id "$1" "$2"
  expect_panels "$2" "${@:3}"
}
# The hover id $1's hit rectangle name ("w<index>", "close", ...), if any.
name_of_id() {
  local name id rest
  for name in "${!hit[@]}"; do
    read -r id rest <<<"${hit[$name]}"
    [ "$id" = "$1" ] && { echo "$name"; return; }
  done
}
# Only the given panel flags set (entries as for panel), with the menu mode
# when any of panels 0 to 14, the game over or the opponent choice is among them.
expect_panels() {  # what, flags...
  local what=$1 want=0000000000000000000 f
  shift
  for f in "$@"; do
    want=${want:0:f}1${want:f+1}
    [ "$f" -le 15 ] || [ "$f" -ge 17 ] && want=1${want:1}
  done
  expect "$what: panels" "${F[panels]}" "$want"
}
park_pointer() { xdotool mousemove 2 "$(( $(xdotool getdisplaygeometry | cut -d' ' -f2) / 2 ))"; }

shot() { import -window root "$work/$1.png" || fail "no screenshot"; }
# Shot $1 with the pointer parked, after a pause of $2 s (none unless given).
still_shot() {  # name [pause]
  park_pointer
  sleep "${2:-0}"
  shot "$1"
}
# The brightest grey inside the region WxH+X+Y of shot $1.
brightest_in() {
  convert "$work/$1.png" -crop "$2" +repage -colorspace gray -format '%[fx:int(255*maxima+0.5)]' info:
}
# The hit rectangle named $1 exists, is not empty and is inked in shot $2.
expect_button() {  # name shot what
  local id l t r b
  [ -n "$1" ] && [ -n "${hit[$1]:-}" ] || fail "$3: no hit rectangle ${1:-for it}"
  read -r id l t r b <<<"${hit[$1]}"
  [ $((r - l)) -gt 4 ] && [ $((b - t)) -gt 4 ] || fail "$3: $1 is $((r - l)) x $((b - t))"
  [ "$(brightest_in "$2" "$((r - l))x$((b - t))+$l+$t")" -gt 150 ] || fail "$3: $1 is not inked at its place"
}
# The number of pixels two shots differ by in the region WxH+X+Y.
pixels_differing() { compare -metric AE -crop "$3" "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }
differs() {
  local n
  n=$(pixels_differing "$@")
  [ "${n%.*}" -gt 100 ] || fail "$1 and $2 do not differ in $3 ($n pixels)"
}

# Waits up to $2 tenths of a second (100 unless given) for the program to end
# and expects exit status $3 (0 unless given); $1 says after what.
expect_exit() {
  local status
  for _ in $(seq 1 "${2:-100}"); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "still running after $1"
  wait "$pid"
  status=$?
  pid=""
  expect "exit status after $1" "$status" "${3:-0}"
}
# SIGTERM and the exit status, which must be 0, within 5 s.
end_program() {
  kill -TERM "$pid"
  expect_exit "SIGTERM${1:+ $1}" 50
}

# --- the program's window and the toolkit's own windows (no window manager) ---
# Waits for the window titled Велмонар; its id in $window.
wait_main_window() {
  window=""
  for _ in $(seq 1 100); do
    window=$(xdotool search --name '^Велмонар$' 2>/dev/null | head -n1)
    [ -n "$window" ] && return
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its window appeared"
    sleep 0.1
  done
  fail "no window titled Велмонар"
}
# "x y" of the viewable top-level window of exactly W x H pixels, if any.
window_of_size() {
  local id
  for id in $(xwininfo -root -children | awk -v g=" $1x$2+" 'index($0, g) { print $1 }'); do
    xwininfo -id "$id" 2>/dev/null | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
      /Map State: IsViewable/ { v = 1 } END { if (v) print x, y }'
  done | head -n1
}
# Waits up to 15 s for a window of W x H ($3 says what): "x y", or none.
wait_window() {  # W H what
  local at
  for _ in $(seq 1 300); do
    at=$(window_of_size "$1" "$2")
    [ -n "$at" ] && { sleep 0.3; echo "$at"; return; }
    sleep 0.05
  done
  fail "no $3 ($1 x $2) within 15 s"
}
wait_no_window() {
  for _ in $(seq 1 300); do [ -z "$(window_of_size "$1" "$2")" ] && return; sleep 0.05; done
  fail "the $3 ($1 x $2) is still shown"
}
shown() { [ -n "$(window_of_size "$1" "$2")" ]; }
# A window that appears under a still pointer takes no input until the
# pointer enters it: off, then onto the point.
dialog_click() {  # "x y" of the dialog, a point in dialog units
  local dx dy
  read -r dx dy <<<"$1"
  xdotool mousemove 0 0 sleep 0.2 mousemove $((dx + $(dlu_x "$2"))) $((dy + $(dlu_y "$3"))) sleep 0.2 click 1
  sleep 0.2
}
dialog_keys() {  # "x y" of the dialog, keys
  local dx dy
  read -r dx dy <<<"$1"
  shift
  xdotool mousemove 0 0 sleep 0.2 mousemove $((dx + 2)) $((dy + 2)) sleep 0.2 key "$@"
  sleep 0.2
}
# Dialog units to pixels, as the platform's dialogs lay them out.
dlu_x() { echo $(($1 * 3 / 2)); }
dlu_y() { echo $(($1 * 13 / 8)); }
NOTICE_W=$(dlu_x 248) NOTICE_H=$(dlu_y 41)

# --- the helpers around the program ---
# Waits up to $4 s for a line of file $1 matching the extended pattern $2 ($3 says what).
wait_log() {
  for _ in $(seq 1 $(($4 * 10))); do grep -qE "$2" "$1" 2>/dev/null && return; sleep 0.1; done
  fail "$3: nothing like \"$2\" in $(basename "$1"): $(tail -n 20 "$1" 2>/dev/null)"
}
# A fake xdg-open first on PATH that notes its arguments in $work/xdg-open.log.
fake_browser() {
  mkdir -p "$work/bin"
  printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s/xdg-open.log"\n' "$work" >"$work/bin/xdg-open"
  chmod +x "$work/bin/xdg-open"
  export PATH="$work/bin:$PATH"
}
# The test game server on 127.0.0.1:10002 with the given options, its log in
# $work/server.log; other checkouts on this machine may hold the port for a
# while, so it is tried again.
start_game_server() {
  local server=$1 p
  shift
  for _ in $(seq 1 20); do
    python3 -u "$server" --address 127.0.0.1 "$@" >"$work/server.log" 2>&1 &
    p=$!
    helper_pids+=("$p")
    for _ in $(seq 1 300); do
      grep -q '^LISTEN' "$work/server.log" && return
      kill -0 "$p" 2>/dev/null || break
      sleep 0.1
    done
    sleep 5
  done
  fail "the game server did not start: $(cat "$work/server.log")"
}
# The local web server on the documents of folder $2; VELMONAR_WEB_BASE points at it.
start_web_server() {
  python3 -u "$1" "$2" >"$work/web.port" 2>"$work/web.err" &
  helper_pids+=("$!")
  for _ in $(seq 1 300); do [ -s "$work/web.port" ] && break; sleep 0.1; done
  [ -s "$work/web.port" ] || fail "the web server did not start: $(cat "$work/web.err")"
  export VELMONAR_WEB_BASE="http://127.0.0.1:$(head -n1 "$work/web.port")"
}
