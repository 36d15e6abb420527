#!/usr/bin/env bash
# Three places where a player could be left stuck, on the real program run
# from a private copy of its folder with an options file (English, the main
# menu at the start) and VELMONAR_DEBUG_DUMP set (fields: tests/e2e/README.md):
#   1. damaged saves keep their slots: every file is a row of the load list
#      and a button of the save panel, labelled "?"; a damaged row gives the
#      notice at once; saving over it asks first and then writes a sound save;
#   2. with a piece selected, a press at the middle of each free square ahead
#      of it, beside it and behind it moves it there, in three places of the
#      board; a press on the piece itself puts it down;
#   3. a size change from outside (900 x 640) lays the caption bar and the
#      panels out anew: every button inked at its place and answering there,
#      the menu centred in the new size, the close button ends the program.
#   slots_pick_resize_test.sh PROGRAM_FOLDER E2E_PROBE
# Screenshots are kept in $VELMONAR_E2E_SHOTS when set.
set -u
probe=$2
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$1"
write_options 2
"$probe" centres "$work" >"$work/centres.txt" || fail "the probe found no square centres"
declare -A centre
while read -r _ x y wx wy; do centre[$x,$y]="$wx $wy"; done <"$work/centres.txt"
save=$work/save
mkdir -p "$save"

# A position for the moves: the player's movers at (2,1), (5,4) and (8,8)
# with room on every side, his flag at (10,1); the computer's flag at
# (10,10) and one piece shut in the corner by its bombs, which can always
# move and never come near.
write_save "position for the moves" "2,1=1/9 5,4=1/8 8,8=1/7 10,1=1/11 1,10=2/4 3,10=2/0 3,9=2/0 1,8=2/0 2,8=2/0
  10,10=2/11" "$(printf '0 %.0s' $(seq 19))" >"$save/1.sav"
printf '\x89PNG\r\n\x1a\n\x00\x00garbage' >"$save/2.sav"
{ cat "$save/1.sav"; head -c $((1 << 20)) /dev/zero | tr '\0' ' '; } >"$save/3.sav"  # over the size limit

board() { echo "${F[cells]}"; }

start_program
wait_dump "the start-up"
expect_panels "the start-up" $MENU
start_s=$SECONDS

# 1. The load list: three files, three rows; the two damaged ones say so.
click_panels 7 "load" $LOADS
still_shot load_list 0.5
for id in 71 72 73; do expect_button "$(name_of_id $id)" load_list "load row $id"; done
[ -z "$(name_of_id 74)" ] || fail "a fourth load row with three files"
before=$(board)
for id in 72 73; do
  press_at $(centre_of_id $id)
  close_notice "notice_row_$id"
  expect_panels "after the notice of row $id"
  expect "board after the notice of row $id" "$(board)" "$before"
  expect "setup after the notice of row $id" "${F[setup]}" 1
  click_name menu "the menu again"
  click_id 7 "load again"
done
click_id 71 "the position"
expect_panels "the position loaded"
expect "play after the load" "${F[setup]}/${F[over]}" 0/0
expect "the movers" "$(cell 2 1) $(cell 5 4) $(cell 8 8)" "1/9 1/8 1/7"

# The save panel: a button for every slot; the damaged one asks, then is overwritten.
click_name menu "the menu"
click_panels 8 "save" $SLOTS
still_shot save_slots 0.5
for id in 60 61 62 63 64 65; do expect_button "$(name_of_id $id)" save_slots "save slot $id"; done
click_panels 61 "the damaged slot 2" $SAVE_PROMPT
shot save_prompt
grep -q garbage "$save/2.sav" || fail "2.sav changed before the yes"
click_panels 68 "save yes"
expect_save_file "$save/2.sav" "the damaged slot 2 overwritten"
echo "1. damaged saves keep their slots: passed ($((SECONDS - start_s)) s)"

# 2. Select by the middle of the piece's square, press the middle of the target.
select_at() {  # x y
  local piece
  piece=$(cell "$1" "$2")
  press_at ${centre[$1,$2]}
  wait_dump "select $1,$2"
  expect "selected at $1,$2" "$(cell "$1" "$2") ${F[selected]}" "10/${piece#*/} $1,$2"
}
move_to() {  # from-x from-y to-x to-y what
  local rank
  rank=$(cell "$1" "$2")
  rank=${rank#*/}
  select_at "$1" "$2"
  press_at ${centre[$3,$4]}
  wait_dump "$5 from $1,$2 to $3,$4"
  expect "$5: the square left" "$(cell "$1" "$2")" 0/-1
  expect "$5: the piece on $3,$4" "$(cell "$3" "$4")" "1/$rank"
  expect "$5: game over" "${F[over]}" 0
}
start_s=$SECONDS
select_at 2 1
press_at ${centre[2,1]}
wait_dump "the selected piece pressed again"
expect "put down" "$(cell 2 1)" 1/9
[ "${F[last]}" = 0,0,0,0 ] || fail "a move after a press on the selected piece: ${F[last]}"
for tour in "2 1" "5 4" "8 8"; do
  read -r x y <<<"$tour"
  move_to "$x" "$y" "$x" $((y + 1)) "ahead"
  move_to "$x" $((y + 1)) $((x + 1)) $((y + 1)) "beside"
  move_to $((x + 1)) $((y + 1)) $((x + 1)) "$y" "behind"
  move_to $((x + 1)) "$y" "$x" "$y" "beside"
done
shot after_moves
echo "2. the squares around a selected piece: passed ($((SECONDS - start_s)) s)"

# 3. A size change from outside: every caption-bar button at its new place.
start_s=$SECONDS
window=$(xdotool search --onlyvisible --pid "$pid" | head -n 1)
[ -n "$window" ] || fail "no window"
xdotool windowsize --sync "$window" 900 640 || fail "the window was not resized"
read -r ww wh < <(xdotool getwindowgeometry --shell "$window" | awk -F= '$1 == "WIDTH" || $1 == "HEIGHT" { printf "%s ", $2 }')
expect "window size" "$ww $wh" "900 640"
xdotool getwindowgeometry --shell "$window" | grep -qx 'X=0' || fail "the window moved"
sleep 1
xdotool key Escape
wait_dump "Esc in the smaller window"
expect_panels "Esc in the smaller window" $MENU
still_shot resized_menu 1
read -r _ l t r b <<<"${hit[close]}"
[ "$r" -le 900 ] && [ "$r" -ge 850 ] && [ "$t" -lt 40 ] || fail "the close button at $l,$t,$r,$b in a 900-pixel window"
read -r _ l t r b <<<"${hit[menu]}"
[ "$l" -le 20 ] && [ "$t" -lt 40 ] || fail "the menu button at $l,$t,$r,$b"
for name in close maximise minimise help menu w0 w1 w7; do expect_button "$name" resized_menu "after the resize"; done
read -r _ l t r b <<<"${hit[w0]}"
[ $(( (l + r) / 2 - 450 )) -ge -1 ] && [ $(( (l + r) / 2 - 450 )) -le 1 ] || fail "the menu is not centred: w0 $l..$r"
# The menu button answers at its new place (the menu closes), then the help button.
click_name menu "the menu button"
expect_panels "the menu button"
click_name help "the help button"
expect "the help text open" "$(panel 0)$(panel 16)" 11
click_name textclose "the text window's close button"
expect_panels "the text window closed"
echo "3. a size change from outside: passed ($((SECONDS - start_s)) s)"
# The close button where it is now drawn ends the program, status 0.
press_at $(centre_of close)
expect_exit "the close button"
[ -s "$work/konfig.ini" ] || fail "no options file after the close button"
echo PASS
