# What the end-to-end scripts share: a private copy of the program folder,
# the program started with the debug dump, the dump read after every press,
# presses at the hit rectangles the dump names, screenshots and the end.
# Source it, then call e2e_setup PROGRAM_FOLDER. Dump fields: tests/e2e/README.md.

e2e_setup() {
  work=$(mktemp -d)
  pid=""
  trap e2e_cleanup EXIT
  # The program folder is the executable's own folder: a copy, not a link.
  cp -r "$1/." "$work/"
  rm -f "$work/konfig.ini"
  dumpfile=$work/dump.txt
  last_seq=0
  last_press=""
  dump=""
}

e2e_cleanup() {
  [ -n "${pid:-}" ] && kill -KILL "$pid" 2>/dev/null
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
# The panel flag k of the last dump (0 menu mode, k = panel + 1 for panels 0-14,
# 16 the text window, 17 game over, 18 the opponent choice).
panel() { echo "${F[panels]:$1:1}"; }

# The centre of the hit rectangle whose hover id is $1 ("x y"); empty when the
# last dump names none.
centre_of_id() {
  local name id l t r b
  for name in "${!hit[@]}"; do
    read -r id l t r b <<<"${hit[$name]}"
    [ "$id" = "$1" ] && { echo "$(( (l + r) / 2 )) $(( (t + b) / 2 ))"; return; }
  done
}
centre_of() {  # by name: close, maximise, minimise, help, menu, textclose, w<index>
  local id l t r b
  [ -n "${hit[$1]:-}" ] || return
  read -r id l t r b <<<"${hit[$1]}"
  echo "$(( (l + r) / 2 )) $(( (t + b) / 2 ))"
}

# --- the mouse: off the point and back on (a fresh hover), then a press ---
press_at() {
  [ "$last_press" = "$1 $2" ] && sleep 1.1  # never a double click
  xdotool mousemove "$(($1 + 4))" "$2" mousemove "$1" "$2" click 1
  last_press="$1 $2"
}
# Presses the element with hover id $1 and waits for the dump ($2 says what).
click_id() {
  local at
  at=$(centre_of_id "$1")
  [ -n "$at" ] || fail "$2: no element with hover id $1 on screen"
  press_at $at
  wait_dump "$2"
}
click_name() {
  local at
  at=$(centre_of "$1")
  [ -n "$at" ] || fail "$2: no element $1 on screen"
  press_at $at
  wait_dump "$2"
}
park_pointer() { xdotool mousemove 2 "$(( $(xdotool getdisplaygeometry | cut -d' ' -f2) / 2 ))"; }

shot() { import -window root "$work/$1.png" || fail "no screenshot"; }
# The number of pixels two shots differ by in the region WxH+X+Y.
pixels_differing() { compare -metric AE -crop "$3" "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }
differs() {
  local n
  n=$(pixels_differing "$@")
  [ "${n%.*}" -gt 100 ] || fail "$1 and $2 do not differ in $3 ($n pixels)"
}

# SIGTERM and the exit status, which must be 0.
end_program() {
  local status
  kill -TERM "$pid"
  for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  wait "$pid"
  status=$?
  pid=""
  [ "$status" = 0 ] || fail "exit status $status after SIGTERM"
}
