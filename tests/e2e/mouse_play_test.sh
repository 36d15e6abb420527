#!/usr/bin/env bash
# A game played with the mouse as a player plays it, each press or Esc
# checked by the dump after it.
#   mouse_play_test.sh PROGRAM_FOLDER E2E_PROBE
# Screenshots are kept in $VELMONAR_E2E_SHOTS when it is set.
set -u
probe=$2
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$1"
read_points
[ ${#slot_point[@]} = 12 ] && [ ${#empty_point[@]} = 92 ] || fail "too few points"
PIECE_SET=(6 1 8 5 4 4 4 3 2 1 1 1)

click_slot() {
  press_at ${slot_point[$1]}
  wait_dump "a click on slot $1"
  expect "tray rank" "${F[rank]}" "$2"
}

# 1. Start-up with the menu open.
start_program
wait_dump "the start-up"
expect "ready, fade, menu mode" "${F[ready]}${F[fade]}${F[panels]:0:1}" 101

# 2. The board takes no click under the menu. 3. Esc closes it.
before=${F[cells]}
press_at ${empty_point[3,4]}
wait_dump "a click under the menu"
expect "board under the menu" "${F[cells]}${F[rank]}" "$before-1"
xdotool key Escape
wait_dump "Esc"
expect "panels, setup phase and mode after Esc" "${F[panels]} ${F[setup]}${F[mode]}" "0000000000000000000 11"

# 4. The setup: the flag in a back corner behind bombs, bombs on (1,4), (2,4).
declare -A plan=([1,1]=11 [2,1]=0 [1,2]=0 [1,4]=0 [2,4]=0 [10,1]=0 [9,1]=0)
rest=(1 2 2 2 2 2 2 2 2 3 3 3 3 3 4 4 4 4 5 5 5 5 6 6 6 6 7 7 7 8 8 9 10)
i=0
for y in 4 3 2 1; do
  for x in $(seq 1 10); do
    [ -n "${plan[$x,$y]:-}" ] || { plan[$x,$y]=${rest[$i]}; i=$((i + 1)); }
  done
done
declare -A placed
left=("${PIECE_SET[@]}")
pieces=0
place() {  # x y rank, the rank chosen
  local old=${placed[$1,$2]:-}
  click_square "$1" "$2"
  [ -n "$old" ] && left[$old]=$((left[$old] + 1)) || pieces=$((pieces + 1))
  left[$3]=$((left[$3] - 1))
  placed[$1,$2]=$3
  [ $pieces = 40 ] && return
  expect "square $1,$2, tray count, hovered square" "$(cell "$1" "$2") ${tray[$3]} ${F[hover]}" \
    "1/$3 ${left[$3]} $1,$2"
}
swapped=""
for r in $(seq 0 11); do
  click_slot "$r" "$r"
  for y in 1 2 3 4; do
    for x in $(seq 1 10); do
      [ "${plan[$x,$y]}" = "$r" ] || continue
      if [ "$r" = 5 ] && [ -z "$swapped" ]; then
        # The first 5 onto a standing 4 (a swap), that 4 onto this square,
        # then a click on the emptied slot 4, which keeps the choice.
        for s in "${!placed[@]}"; do [ "${placed[$s]}" = 4 ] && break; done
        swapped=$s
        place "${s%,*}" "${s#*,}" 5
        click_slot 4 4
        place "$x" "$y" 4
        click_slot 4 4
        expect "tray count of 4" "${tray[4]}" 0
        click_slot 5 5
        continue
      fi
      place "$x" "$y" "$r"
      [ $pieces = 20 ] && shot setup
    done
  done
done

# 5. The computer's army, its miner and scout answering the bombs; play.
declare -a army=(0 0 0 0 0 0 0 0 0 0 0 0)
for y in 7 8 9 10; do
  for x in $(seq 1 10); do
    c=$(cell "$x" "$y")
    [ "${c%/*}" = 2 ] || fail "no computer piece on $x,$y"
    army[${c#*/}]=$((army[${c#*/}] + 1))
  done
done
expect "the computer's army" "${army[*]}" "${PIECE_SET[*]}"
expect "miner on (3,7), scout on (2,7), play" "$(cell 3 7) $(cell 2 7) ${F[setup]}" "2/3 2/2 0"
shot play
read -r x0 y0 <<<"${slot_point[0]}"
read -r x1 _ <<<"${slot_point[11]}"
differs setup play "$((x1 - x0 + 80))x80+$((x0 - 40))+$((y0 - 40))"  # the tray

# 6. Ten moves, each answered.
for m in $(seq 1 10); do
  read -r fx fy tx ty < <("$probe" move "$dumpfile") || fail "no legal move"
  [ $m = 10 ] && shot before_last
  piece=$(cell "$fx" "$fy")
  click_square "$fx" "$fy"
  expect "selected piece" "$(cell "$fx" "$fy")" "10/${piece#*/}"
  click_square "$tx" "$ty"
  [[ ",${F[cells]}," != *",10/"* ]] || fail "a piece is still selected after move $m"
  [[ "$(cell "$fx" "$fy")" != 1/* ]] || fail "a player piece stands on the start square $fx,$fy"
  [ "${F[last]}" != "$fx,$fy,$tx,$ty" ] || fail "the computer did not answer move $m"
  expect "game over after move $m" "${F[over]}" 0
  for r in $(seq 0 11); do
    n1=0 n2=0
    for c in "${cells[@]}"; do [ "$c" = "1/$r" ] && n1=$((n1 + 1)); [ "$c" = "2/$r" ] && n2=$((n2 + 1)); done
    [ $n1 -le "${PIECE_SET[$r]}" ] || fail "the player has $n1 pieces of rank $r"
    expect "tray count of $r in play" "${tray[$r]}" "$((PIECE_SET[r] - n2))"
  done
done
shot last
differs before_last last "$(xdotool getdisplaygeometry | tr ' ' x)+0+0"

# 7. An own bomb never moves.
bomb=""
for i in "${!cells[@]}"; do [ "${cells[$i]}" = 1/0 ] && bomb="$((i % 10 + 1)) $((i / 10 + 1))" && break; done
[ -n "$bomb" ] || fail "no own bomb left"
state() { local s=${dump#* }; echo "${s%% hover=*} selected=${s#* selected=}"; }  # all but seq, hover
before=$(state)
click_square $bomb
expect "state after a click on an own bomb" "$(state)" "$before"

end_program
echo PASS
