#!/usr/bin/env bash
# The options as a player sets them through the panels, one of each kind
# (switches, dragged sliders, a colour by the editor's ramps), written on exit
# and kept over a restart, step by step as numbered below. (Whether a panel
# flies in is the fly-in callers' test's.)
#   options_test.sh PROGRAM_FOLDER
# Screenshots are kept in $VELMONAR_E2E_SHOTS when it is set.
set -u
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$1"

# The chosen knob offsets and colour values.
SIZE_OFFSET=230     # piece scale 2.1 - 230 / 1420
REFLECT_OFFSET=150  # reflection alpha 150 / 255
RGB=(40 200 90)     # own pieces: red, green, blue / 255

# The hit rectangle of widget $1: "id l t r b".
rect() { [ -n "${hit[w$1]:-}" ] || fail "widget $1 not on screen"; echo "${hit[w$1]}"; }
# The window point at knob offset $2 of slider or ramp widget $1 (its hit
# rectangle starts 3 pixels inside the widget's left edge).
slider_point() {
  local id l t r b
  read -r id l t r b <<<"$(rect "$1")"
  [ $(( l - 3 + $2 )) -lt "$r" ] || fail "offset $2 beyond widget $1"
  echo "$(( l - 3 + $2 )) $(( (t + b) / 2 ))"
}
# A drag inside slider $1 from offset $2 to offset $3, in steps.
drag() {
  local x0 y x1 step
  read -r x0 y <<<"$(slider_point "$1" "$2")"
  read -r x1 _ <<<"$(slider_point "$1" "$3")"
  xdotool mousemove "$x0" "$y" mousedown 1
  wait_dump "the press on widget $1"
  for step in 1 2 3 4; do
    xdotool mousemove "$(( x0 + (x1 - x0) * step / 4 ))" "$y"
    sleep 0.2
  done
  xdotool mouseup 1
  last_press=""
  sleep 0.3
}
# Presses on a slider or ramp at offset $2 (a plain click).
click_at_offset() {
  press_at $(slider_point "$1" "$2")
  wait_dump "a click on widget $1"
}
panels_open() {  # the flags named by their entries, "1" each
  local k
  for k in "$@"; do [ "$(panel "$k")" = 1 ] || fail "panel entry $k is not open: ${F[panels]}"; done
}
click_open() {  # id what entries...: click_id, then panels_open
  click_id "$1" "$2"
  panels_open "${@:3}"
}
# The region of widgets $@ on screen: the union of their hit rectangles,
# as WxH+X+Y for compare.
region_of() {
  local name id l t r b L=99999 T=99999 R=0 B=0 w
  for w in "$@"; do
    read -r id l t r b <<<"$(rect "$w")"
    [ "$l" -lt $L ] && L=$l; [ "$t" -lt $T ] && T=$t
    [ "$r" -gt $R ] && R=$r; [ "$b" -gt $B ] && B=$b
  done
  # A few pixels inside: the panels of the two runs may stand at other
  # fractions of a pixel, which changes how their outermost lines fall.
  local i=${INSET:-2}
  echo "$((R - L - 2 * i))x$((B - T - 2 * i))+$((L + i))+$((T + i))"
}
# Shot $1 in region $2 and shot $3 in region $4 (of the same size) are equal:
# a panel that stands a few pixels higher or lower in the other run. Within
# 5 %: an edge at another fraction of a pixel shades a pixel a little
# differently; a knob a pixel off or another tint differs far more.
same_panel() {
  local n
  convert "$work/$1.png" -crop "$2" +repage "$work/crop_a.ppm" || fail "no crop of $1"
  convert "$work/$3.png" -crop "$4" +repage "$work/crop_b.ppm" || fail "no crop of $3"
  n=$(compare -metric AE -fuzz 5% "$work/crop_a.ppm" "$work/crop_b.ppm" null: 2>&1 | cut -d' ' -f1)
  [ "${n%.*}" -le "${SAME_TOLERANCE:-0}" ] || fail "$1 in $2 and $3 in $4 differ ($n pixels)"
}
screen=$(xdotool getdisplaygeometry | tr ' ' x)

# 1. First start: the language list, then English; the main menu flies in.
start_program
wait_dump "the first start-up"
expect "language, menu mode, language list" "${F[lang]} $(panel 0) $(panel 14)" "0 1 1"
english=""
for row in $(seq 1 19); do
  [ -n "$(centre_of_id $((89 + row)))" ] && english=$row
done
expect "rows on the language list (English the second)" "$english" 2
click_id 91 "the choice of English"
expect "language, main menu, language list" "${F[lang]} $(panel 1) $(panel 14)" "2 1 0"
still_shot menu_english 1

# 2. A game set up automatically and saved into slot 1.
click_open 6 "new game" 18
click_id 130 "against the computer"
expect "menu mode after the opponent choice" "$(panel 0)" 0
click_id 170 "automatic setup"
expect "setup over after the automatic placement" "${F[setup]}" 0
pieces=$(tr , '\n' <<<"${F[cells]}" | grep -c '^1/')
expect "own pieces on the board" "$pieces" 40
still_shot board_default 1
click_name menu "the menu button"
panels_open 0 1
click_open 8 "save" 7
click_id 60 "slot 1"
[ "$(panel 8)" = 1 ] && click_id 68 "overwrite slot 1"
cells_saved=${F[cells]}

# 3. The defaults on the graphics panel, before any change.
[ "$(panel 1)" = 1 ] || { click_name menu "the menu button"; }
panels_open 0 1
click_open 10 "settings" 2
click_open 16 "graphics" 4
still_shot graphics_default 1
graphics_region=$(region_of 75 93)

# 4. Graphics: reflection off, the reflection knob dragged, own pieces'
# colour by clicks on the ramps, OK.
click_id 37 "the reflection box"
drag 90 40 "$REFLECT_OFFSET"
click_open 38 "the own pieces' preview" 6
for c in 0 1 2; do click_at_offset $((127 + c)) "${RGB[$c]}"; done
still_shot colour_editor 0.5
click_open 53 "colour OK" 4
still_shot graphics_changed 1
differs graphics_default graphics_changed "$graphics_region"
click_open 43 "graphics OK" 2

# 5. Game options: animations off, the piece-size knob dragged, OK.
click_open 15 "game options" 3
click_id 35 "the animations box"
drag 67 20 "$SIZE_OFFSET"
still_shot game_options 0.5
size_slider_before=$(INSET=1 region_of 67)
click_open 32 "game options OK" 2

# 6. The graphics panel and the board with the new options.
click_open 16 "graphics again" 4
still_shot graphics_before_exit 1
# The boxes, the slider tracks with their knobs and the previews, one by one.
GRAPHICS_PARTS=(79 81 90 94 83 85 87 89)
declare -A part_before
for w in "${GRAPHICS_PARTS[@]}"; do part_before[$w]=$(INSET=1 region_of "$w"); done
xdotool key Escape
wait_dump "Esc"
expect "menu mode after Esc" "$(panel 0)" 0
still_shot board_before_exit 1.5
read -r sw sh <<<"${screen/x/ }"
board_region="$((sw - 200))x$((sh - 70))+100+60"  # clear of the caption bar and the online banner
differs board_default board_before_exit "$board_region"

# 7. Exit, Yes: konfig.ini is the default line with the changed fields.
click_name menu "the menu button"
click_open 12 "exit" 12
press_at $(centre_of_id 85)
expect_exit "Exit, Yes"
num() { awk "BEGIN { printf \"%g\", $1 }"; }
expected="2 0 1 0 1 0 $(num "2.1 - $SIZE_OFFSET / 1420.0") 0 $(num "$REFLECT_OFFSET / 255.0") 60 1 0 1 1 1"
expected+=" 1 0.95 0.9 $(num "${RGB[0]} / 255.0") $(num "${RGB[1]} / 255.0") $(num "${RGB[2]} / 255.0")"
expected+=" 0.4 0.48 0.5 0.12 0.3 0.23 0.12 0.3 0.23"
[ -f "$work/konfig.ini" ] || fail "no konfig.ini after the exit"
expect "konfig.ini" "$(cat "$work/konfig.ini")" "$expected"

# 8. The restart: the main menu at once, English, no language list.
rm -f "$dumpfile"
last_seq=0
start_program
wait_dump "the restart"
expect "language, menu mode, main menu, language list" \
  "${F[lang]} $(panel 0) $(panel 1) $(panel 14)" "2 1 1 0"
shot restart_first
still_shot restart_menu 1
# (The panel keeps the height of its first build, in the first start's
# language, so its items need not stand where they stood in the first run.)
same_panel restart_first "$(region_of 0 7)" restart_menu "$(region_of 0 7)"

# 9. Slot 1 loaded: the same pieces.
click_open 7 "load" 9
click_id 71 "row 1"
[ "$(panel 10)" = 1 ] && click_id 79 "load, yes"
expect "the loaded position" "${F[cells]}" "$cells_saved"

# 10. The graphics panel and the board as before the exit.
[ "$(panel 0)" = 1 ] && { xdotool key Escape; wait_dump "Esc after loading"; }
click_name menu "the menu button"
click_id 10 "settings"
click_open 16 "graphics" 4
still_shot graphics_restart 1
for w in "${GRAPHICS_PARTS[@]}"; do
  same_panel graphics_before_exit "${part_before[$w]}" graphics_restart "$(INSET=1 region_of "$w")"
done
differs graphics_default graphics_before_exit "$graphics_region"
click_id 44 "graphics cancel"
click_open 15 "game options after the restart" 3
still_shot game_options_restart 1
same_panel game_options "$size_slider_before" game_options_restart "$(INSET=1 region_of 67)"
click_id 33 "game options cancel"
xdotool key Escape
wait_dump "Esc after the restart"
still_shot board_restart 1.5
SAME_TOLERANCE=20 same_panel board_before_exit "$board_region" board_restart "$board_region"
differs board_default board_restart "$board_region"

end_program
echo PASS
