#!/usr/bin/env bash
# The English main menu at the start, every entry inked inside its hit
# rectangle; Esc closes it and Esc brings it back. The rules text: the
# caption bar's help button opens the text window; three wheel notches down move the page and the scroll
# thumb down, three notches up bring back the first picture exactly; the
# window's close button closes it.
#   help_window_test.sh PROGRAM_FOLDER
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

click_name help "the help button"
expect "menu mode and text window" "$(panel 0)$(panel 16)" 11

read -r _ close_l close_t _ _ <<<"${hit[textclose]}"
track_l=$((close_l + 22))  # the track is the window's last 20 columns, right of the close button
read -r _ screen_h < <(xdotool getdisplaygeometry)
page="600x$((screen_h - 120))+$((close_l - 620))+60"
track="16x$((screen_h - 60))+$((track_l + 2))+30"

# The row of the brightest pixel in the track column: the thumb.
thumb_row() {
  convert "$work/$1.png" -crop "$track" +repage -colorspace gray -depth 8 gray:- | od -An -v -tu1 -w16 |
    awk '{m=0; for (i=1; i<=NF; i++) if ($i>m) m=$i; if (m>best) {best=m; row=NR}} END {print row+0}'
}

park_pointer
xdotool mousemove "$((close_l - 300))" "$((screen_h / 2))"
sleep 1
shot help_top
for _ in 1 2 3; do xdotool click 5; sleep 0.4; done
sleep 1
shot help_down
differs help_top help_down "$page"
top=$(thumb_row help_top)
down=$(thumb_row help_down)
[ "$down" -gt "$top" ] || fail "the thumb did not move down (row $top, then $down)"
for _ in 1 2 3; do xdotool click 4; sleep 0.4; done
sleep 1
shot help_back
n=$(pixels_differing help_top help_back "$page")
[ "${n%.*}" = 0 ] || fail "three notches up do not give the first picture back ($n pixels differ)"

click_name textclose "the text window's close button"
expect "text window after its close button" "$(panel 16)" 0
end_program
echo PASS
