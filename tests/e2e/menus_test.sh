#!/usr/bin/env bash
# The menus, prompts, lists and save slots as a player uses them, from the
# first start (no options file) on, each press checked by the dump after it.
#   menus_test.sh PROGRAM_FOLDER E2E_PROBE
# Screenshots of every panel reached are kept in $VELMONAR_E2E_SHOTS when set.
set -u
probe=$2
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$1"
read_points
# The board's area on screen: the squares' points with a margin.
read -r bx0 by0 bx1 by1 < <(awk '$1 == "square" {
    for (i = 4; i <= 6; i += 2) { if (n++ == 0) { x0 = x1 = $i; y0 = y1 = $(i + 1) }
      if ($i < x0) x0 = $i; if ($i > x1) x1 = $i; if ($(i + 1) < y0) y0 = $(i + 1); if ($(i + 1) > y1) y1 = $(i + 1) } }
    END { print x0 - 30, y0 - 30, x1 + 30, y1 + 30 }' "$work/points.txt")
board_area="$((bx1 - bx0))x$((by1 - by0))+$bx0+$by0"
save=$work/save

# The hover ids on screen in [from, to].
ids_between() {
  local name id rest
  for name in "${!hit[@]}"; do
    read -r id rest <<<"${hit[$name]}"
    [ "$id" -ge "$1" ] && [ "$id" -le "$2" ] && echo "$id"
  done | sort -n | tr '\n' ' '
}
# Waits for the screen to change in a region (after a pointer move or a wheel notch).
wait_screen_change() {  # shot-before shot-after region
  for _ in $(seq 1 40); do
    shot "$2"
    [ "$(pixels_differing "$1" "$2" "$3")" -gt 50 ] && return 0
    sleep 0.2
  done
  fail "$2: nothing changed in $3"
}
# The first and last rows of the help page's scroll thumb (bright pixels in
# the track's middle column, window coordinates).
thumb_rows() {
  convert "$work/$1.png" -crop "1x$((screen_h - 32))+$((screen_w / 2 + 385 - 10))+16" +repage -colorspace gray \
    -depth 8 gray:- | od -An -v -tu1 -w1 | awk '$1 > 100 { if (!n++) f = NR + 15; l = NR + 15 } END { print f, l }'
}
# All but seq, hits, lang and the forbidden move: a save does not keep the
# repetition rule's state, and a load starts it afresh.
position() {
  local s=${dump#* } f
  s=${s%% lang=*}
  f=${s#* forbidden=}
  echo "${s/ forbidden=${f%% *}/}"
}
play_moves() {  # count
  for _ in $(seq 1 "$1"); do
    play_move
    expect "game over after a move" "${F[over]}" 0
  done
}
open_menu() {
  click_name menu "the menu button"
  expect_panels "the menu button" $MENU
}
# Line 2 of a save without its plan tags (owner, rank, knowledge of each cell).
cells_without_tags() { sed -n 2p "$1" | awk '{ for (i = 1; i <= NF; i++) if (i % 4 != 3) printf "%s ", $i }'; }

start_s=$SECONDS
# 1. The first start shows the language list; English loads and opens the menu.
start_program
wait_dump "the start-up"
expect_panels "the start-up" $LANGUAGES
expect "language rows" "$(ids_between 90 108)" "90 91 "
shot language_list
click_panels 91 "English" $MENU
expect "language" "${F[lang]}" 2
still_shot main_menu
echo "1. language list, English: passed ($((SECONDS - start_s)) s)"

# 2. The close entry closes the menu, the caption-bar button opens it.
click_panels 13 "back to game"
open_menu
echo "2. menu closed and opened: passed ($((SECONDS - start_s)) s)"

# 3. The entry under the mouse lights.
still_shot menu_cold 0.5
read -r _ l t r b <<<"${hit[w0]}"
xdotool mousemove "$(((l + r) / 2))" "$(((t + b) / 2))"
wait_screen_change menu_cold menu_hot "$((r - l))x$((b - t))+$l+$t"
echo "3. hot caption: passed ($((SECONDS - start_s)) s)"

# 4. Settings, the reset prompt declined, back; about and back; the rules
# text and its close.
click_panels 10 "settings" $SETTINGS
shot settings
click_panels 20 "default settings" $RESET_PROMPT
shot reset_prompt
click_panels 89 "reset no" $SETTINGS
click_panels 21 "settings back" $MENU
click_panels 11 "about" $ABOUT
shot about
click_panels 111 "about back" $MENU
click_id 9 "rules"
[ "$(panel $TEXT)" = 1 ] || fail "rules: no text window"
shot rules
click_name textclose "the text window's close"
expect "text window after its close" "$(panel $TEXT)" 0
[ "$(panel 0)" = 1 ] || open_menu
echo "4. settings, about, rules: passed ($((SECONDS - start_s)) s)"

# 4b. The help page from the caption bar, scrolled by the wheel: each notch
# moves the thumb by the same step from its top place, and three notches
# back up give the first image again.
click_name help "the help button"
[ "$(panel $TEXT)" = 1 ] || fail "help: no text window"
xdotool mousemove "$((screen_w / 2))" "$((screen_h / 2))"
sleep 1
shot help_0
page="$((screen_w / 2 + 385 - 20 - (screen_w / 2 - 385)))x$((screen_h - 40))+$((screen_w / 2 - 385))+20"
expect "thumb at its top place" "$(thumb_rows help_0)" "17 19"
for k in 1 2 3; do
  xdotool click 5
  wait_screen_change "help_$((k - 1))" "help_$k" "$page"
  read -r top bottom <<<"$(thumb_rows "help_$k")"
  expect "thumb height after $k notches" "$((bottom - top + 1))" 10
  centre[k]=$(((top + bottom + 1) / 2))
done
for k in 2 3; do
  step=$(((centre[k] - 15) - k * (centre[1] - 15)))
  [ "${step#-}" -le 1 ] || fail "thumb after $k notches at ${centre[k]}, one notch at ${centre[1]}"
done
for k in 2 1 0; do
  xdotool click 4
  wait_screen_change "help_$((k + 1))" "help_up_$k" "$page"
done
expect "pixels differing after three notches back" "$(pixels_differing help_0 help_up_0 "${screen_w}x${screen_h}+0+0")" 0
click_name textclose "the help page's close"
expect "text window after its close" "$(panel $TEXT)" 0
[ "$(panel 0)" = 1 ] || open_menu
echo "4b. help page and wheel: passed ($((SECONDS - start_s)) s)"

# 5. New game in setup: the opponent choice, the computer, automatic setup.
click_id 6 "new game"
expect_panels "new game in setup" $OPPONENT
shot opponent_choice
click_panels 130 "the computer"
[ -n "$(ids_between 170 171)" ] || fail "no setup choice"
shot setup_choice
click_id 170 "automatic setup"
pieces=0
for c in "${cells[@]}"; do [[ $c == [12]/* ]] && pieces=$((pieces + 1)); done
expect "setup phase and pieces after automatic setup" "${F[setup]} $pieces" "0 80"
echo "5. new game, automatic setup: passed ($((SECONDS - start_s)) s)"

# 6. Four moves.
play_moves 4
echo "6. four moves: passed ($((SECONDS - start_s)) s)"

# 7. Save into slot 3: the menu closes, the file is whole.
open_menu
click_panels 8 "save" $SLOTS
shot save_slots
click_panels 62 "slot 3"
[ -f "$save/3.sav" ] || fail "no save/3.sav"
expect_save_file "$save/3.sav" "slot 3"
saved=$(position)
still_shot saved 1
echo "7. save into slot 3: passed ($((SECONDS - start_s)) s)"

# 8. Three more moves change the board.
play_moves 3
[ "$(position)" != "$saved" ] || fail "the board did not change"
echo "8. three moves: passed ($((SECONDS - start_s)) s)"

# 9. Load: one row, the prompt, and the saved position back.
open_menu
click_panels 7 "load" $LOADS
expect "load rows" "$(ids_between 71 76)" "71 "
shot load_list_one
click_panels 71 "row 1" $LOAD_PROMPT
shot load_prompt
click_id 79 "load yes"
expect_panels "loaded"
expect "loaded position" "$(position)" "$saved"
expect "selection, phase, over" "${F[selected]} ${F[setup]} ${F[over]}" "0,0 0 0"
still_shot loaded 1
n=$(pixels_differing saved loaded "$board_area")
[ "${n%.*}" -le 20 ] || fail "the board after the load differs from the saved one in $n pixels"
echo "   the board after the load differs in $n pixels"
echo "9. load: passed ($((SECONDS - start_s)) s)"

# 10. Save into slot 4: the same position, the plan tags aside.
open_menu
click_id 8 "save"
click_panels 63 "slot 4"
expect "line 3 of 4.sav" "$(sed -n 3p "$save/4.sav")" "$(sed -n 3p "$save/3.sav")"
expect "cells of 4.sav" "$(cells_without_tags "$save/4.sav")" "$(cells_without_tags "$save/3.sav")"
echo "10. save into slot 4: passed ($((SECONDS - start_s)) s)"

# 11. Slot 3 again: the prompt; no goes back to the slots, yes overwrites.
touch -d '2001-01-01' "$save/3.sav"
open_menu
click_id 8 "save"
shot save_slots_used
click_panels 62 "used slot 3" $SAVE_PROMPT
shot save_prompt
click_panels 69 "save no" $SLOTS
[ "$(stat -c %Y "$save/3.sav")" -lt 1000000000 ] || fail "3.sav written after no"
click_id 62 "used slot 3 again"
click_panels 68 "save yes"
[ "$(stat -c %Y "$save/3.sav")" -gt 1000000000 ] || fail "3.sav not overwritten after yes"
echo "11. overwrite prompt: passed ($((SECONDS - start_s)) s)"

# 12. A damaged save in a free slot is refused with the notice at once; a
# sound one that vanishes between the prompt and the yes likewise (which
# damages are refused is the save slots' unit test's).
good=$(<"$save/3.sav")
head -c 900 "$save/3.sav" >"$save/1.sav"
before=$(position)
for kind in cut vanishing; do
  open_menu
  click_id 7 "load ($kind)"
  expect "load rows" "$(ids_between 71 76)" "71 72 73 "
  if [ $kind = cut ]; then
    shot load_list_three
    press_at $(centre_of_id 71)
  else
    click_panels 71 "row 1 ($kind)" $LOAD_PROMPT
    rm -f "$save/1.sav"
    press_at $(centre_of_id 79)
  fi
  close_notice "notice_$kind"
  expect_panels "after the notice ($kind)"
  expect "position after the notice ($kind)" "$(position)" "$before"
  printf '%s' "$good" >"$save/1.sav"
done
rm -f "$save/1.sav"
echo "12. damaged saves refused: passed ($((SECONDS - start_s)) s)"

# 13. New game in play: the prompt, no, again yes; manual setup.
open_menu
click_panels 6 "new game in play" $NEW_PROMPT
shot new_game_prompt
click_id 83 "new game no"
[ "$(panel $NEW_PROMPT)" = 0 ] || fail "new-game prompt still shown after no"
[ "$(panel 0)" = 1 ] || open_menu
click_id 6 "new game again"
click_panels 82 "new game yes" $OPPONENT
click_id 130 "the computer"
click_id 171 "manual setup"
expect "setup phase and mode" "${F[setup]} ${F[mode]}" "1 1"
for c in "${cells[@]}"; do [[ $c == 0/-1 || $c == 5/-1 ]] || fail "the board is not empty: $c"; done
shot manual_setup
echo "13. new game in play, manual setup: passed ($((SECONDS - start_s)) s)"

# 14. The window button: 798 x 600 centred, then full screen.
window_geometry() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 | xargs -r xdotool getwindowgeometry | awk '/Position/ {p = $2} /Geometry/ {print p, $2}'; }
click_name maximise "the window button"
want="$(((screen_w - 798) / 2)),$(((screen_h - 600) / 2)) 798x600"
for _ in $(seq 1 50); do [ "$(window_geometry)" = "$want" ] && break; sleep 0.2; done
expect "window mode" "$(window_geometry)" "$want"
sleep 1
shot window_mode
xdotool mousemove "$((screen_w / 2))" "$((screen_h / 2))" key Escape
wait_dump "Esc in window mode"
[ "$(panel 0)" = 1 ] && { xdotool key Escape; wait_dump "Esc again"; }
read -r _ l t r b <<<"${hit[maximise]}"
xdotool mousemove "$(((l + r) / 2 + (screen_w - 798) / 2))" "$(((t + b) / 2 + (screen_h - 600) / 2))" click 1
wait_dump "the window button in window mode"
want="0,0 ${screen_w}x${screen_h}"
for _ in $(seq 1 50); do [ "$(window_geometry)" = "$want" ] && break; sleep 0.2; done
expect "full screen" "$(window_geometry)" "$want"
echo "14. window mode and back: passed ($((SECONDS - start_s)) s)"

# 14b. The game-over panel, reached by a move: a saved end game (a player
# scout under the computer's flag) loaded during the setup, then the capture.
# The player's scout (1,1) and flag (10,1), the computer's flag (1,2) and scout (10,10).
write_save "end game" "1,1=1/2 10,1=1/11 1,2=2/11 10,10=2/2" "0 0 0 0 0 0 0 6 1 8 5 4 4 4 3 2 1 1 0" >"$save/1.sav"
open_menu
click_id 7 "load in setup"
expect "load rows with the end game" "$(ids_between 71 76)" "71 72 73 "
click_id 71 "the end game"
expect "the end game: panels, setup, flag" "${F[panels]} ${F[setup]} $(cell 1 2)" "$NO_PANELS 0 2/11"
click_square 1 1
click_square 1 2
expect "game over, loser" "${F[over]} ${F[loser]}" "1 2"
expect_panels "game over" $GAME_OVER
shot game_over
click_panels 112 "game over OK"
echo "14b. game over: passed ($((SECONDS - start_s)) s)"

# 15. Exit: the prompt, no, again yes; status 0 and the options file.
sleep 1
xdotool key Escape
wait_dump "Esc in full screen"
[ "$(panel 0)" = 1 ] || open_menu
click_panels 12 "exit" $EXIT_PROMPT
shot exit_prompt
click_panels 86 "exit no" $MENU
click_id 12 "exit again"
press_at $(centre_of_id 85)
expect_exit "exit, yes"
# (The options file's exact line is the options test's.)
expect "the language in konfig.ini" "$(cut -d' ' -f1 "$work/konfig.ini")" 2
echo "15. exit: passed ($((SECONDS - start_s)) s)"
echo "PASS in $((SECONDS - start_s)) s"
