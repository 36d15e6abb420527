#!/usr/bin/env bash
# The English main menu at the start from an options file, every entry inked
# inside its hit rectangle; Esc closes it and Esc brings it back. (The rules
# text and its wheel are driven by menus_test.sh.)
#   main_menu_test.sh PROGRAM_FOLDER
set -u
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$1"
printf '%s' "2 0 1 0 1 0 2.05 0 0.31 60 1 1 1 1 1 1 0.95 0.9 0.6 0.4 0.1 0.4 0.48 0.5 0.12 0.3 0.23 0.12 0.3 0.23" \
  >"$work/konfig.ini"

start_program
wait_dump "the start-up"
expect "menu mode and main menu at the start" "$(panel 0)$(panel 1)" 11

# The brightest grey inside the hit rectangle of widget $1 in shot $2.
ink_in() {
  local id l t r b
  read -r id l t r b <<<"${hit[$1]}"
  convert "$work/$2.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage -colorspace gray -format '%[fx:int(255*maxima+0.5)]' info:
}
park_pointer
sleep 1
shot menu
declare -A menu_hit
for w in w0 w1 w2 w3 w4 w5 w6 w7; do
  [ -n "${hit[$w]:-}" ] || fail "main-menu entry $w has no hit rectangle"
  [ "$(ink_in $w menu)" -gt 150 ] || fail "main-menu entry $w is not inked at its place"
  menu_hit[$w]=${hit[$w]}
done
xdotool key Escape
wait_dump "Esc"
expect "menu mode after Esc" "$(panel 0)" 0
shot menu_closed
for w in w0 w3 w7; do
  read -r _ l t r b <<<"${menu_hit[$w]}"
  differs menu menu_closed "$((r - l))x$((b - t))+$l+$t"
done
xdotool key Escape
wait_dump "Esc again"
expect "menu mode and main menu after Esc again" "$(panel 0)$(panel 1)" 11

end_program
echo PASS
