#!/usr/bin/env bash
# What a player sees after the start-up, read from screenshots of the real
# program run in a copy of its folder: the window titled Velmonar covering
# the screen, the bevelled window frame, the caption bar's menu button and
# icons, and the panel the start-up opens: the language list's two rows
# without an options file, the main menu's eight entries in the language an
# options file names. In English every entry is inked inside its hit
# rectangle; Enter does nothing, Esc closes the menu and Esc brings it back,
# and SIGTERM ends the program with status 0.
#   overlay_test.sh PROGRAM_FOLDER
set -u
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$1"
shot=$work/shot.png

# The grey of one screen pixel (window coordinates).
grey_at() { convert "$shot" -format '%[fx:int(255*p{'"$1,$2"'}.r+0.5)]' info:; }

# Bands of bright rows (text lines at least 5 rows apart) in the centre column.
text_lines() {
  convert "$shot" -crop 300x420+810+330 +repage -colorspace gray -depth 8 gray:- | od -An -v -tu1 -w300 |
    awk '{m=0; for (i=1; i<=NF; i++) if ($i>m) m=$i; if (m>150) { if (gap>=5 || n==0) n++; gap=0 } else gap++}
         END {print n+0}'
}

near() { [ $(( $1 > $2 ? $1 - $2 : $2 - $1 )) -le 2 ]; }

# scenario <name> <language of the options file, or empty> <text lines expected>
scenario() {
  rm -f "$work/konfig.ini" "$dumpfile"
  last_seq=0
  [ -n "$2" ] && write_options "$2"
  start_program
  wait_main_window
  local lines=0
  for _ in $(seq 1 60); do
    sleep 1
    kill -0 "$pid" 2>/dev/null || fail "$1: the program ended"
    import -window root "$shot" 2>/dev/null || continue
    lines=$(text_lines)
    [ "$lines" = "$3" ] && break
  done
  [ "$lines" = "$3" ] || fail "$1: $lines text lines in the centre, not $3"
  near "$(grey_at 2 540)" 230 || fail "$1: left border"
  near "$(grey_at 960 1077)" 178 || fail "$1: bottom border"
  near "$(grey_at 960 2)" 77 || fail "$1: top border"
  near "$(grey_at 1917 540)" 51 || fail "$1: right border"
  [ "$(brightest_in shot 80x30+15+12)" -gt 150 ] || fail "$1: no menu button"
  [ "$(brightest_in shot 110x30+1795+12)" -gt 150 ] || fail "$1: no caption-bar icons"
  echo "$1: passed"
}

scenario "first start" "" 2
end_program
scenario "Russian" 1 8
end_program
scenario "English" 2 8

eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH $HEIGHT" = "$screen_w $screen_h" ] || fail "window is ${WIDTH}x${HEIGHT}, screen is ${screen_w}x${screen_h}"
[ "$X,$Y" = 0,0 ] || fail "window is at $X,$Y"
wait_dump "the start-up"
expect "menu mode and main menu at the start" "$(panel 0)$(panel 1)" 11
still_shot menu 1
declare -A menu_hit
for w in w0 w1 w2 w3 w4 w5 w6 w7; do
  expect_button "$w" menu "main-menu entry"
  menu_hit[$w]=${hit[$w]}
done
xdotool key Return
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "Enter ended the program"
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
