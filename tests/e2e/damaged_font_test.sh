#!/usr/bin/env bash
# The real program started with damaged copies of its font, made here from
# the shipped one: the start-up's peak memory (the process's VmHWM when its
# start-up is over) with a glyph moved 9000 pixels away and with every glyph
# as wide and tall as the reader keeps stays within 200 MB of the shipped
# font's, and the caption bar is there to be pressed. (A font that shows
# nothing ends the start-up with a message: the start-up run's unit test.)
#   damaged_font_test.sh PROGRAM_FOLDER
set -u
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup "$1"
cp "$work/font.fnt" "$work/shipped.fnt"

# font.fnt from the shipped one: "far" moves glyph e 9000 pixels away, "wide"
# makes every glyph advance and reach 64 pixels.
make_font() {
  python3 - "$work/shipped.fnt" "$work/font.fnt" "$1" <<'EOF'
import sys
src, dst, kind = sys.argv[1:4]
t = open(src, 'rb').read().split()
n = int(t[0])
if kind == 'far':
    for g in range(n):
        if t[1 + 4 * g] == b'e':
            t[2 + 4 * g] = t[3 + 4 * g] = b'9000'
            break
else:
    chars = [t[1 + 4 * g] for g in range(n)]
    t = [t[0]] + [x for c in chars for x in (c, b'64', b'64', b'2')] + [b'0', b'0', b'64', b'64'] * n
open(dst, 'wb').write(b' '.join(t))
EOF
}

# Starts the program, waits for the end of its start-up and sets peak to its
# peak resident memory in kB; the caption bar's buttons must have a size.
peak_at_startup() {
  local what=$1 id l t r b name
  last_seq=0
  rm -f "$dumpfile"
  start_program
  wait_dump "the start-up with the $what font"
  expect "$what font: scene ready" "${F[ready]}" 1
  for name in close help menu; do
    read -r id l t r b <<<"${hit[$name]:-0 0 0 0 0}"
    [ $((r - l)) -gt 5 ] && [ $((b - t)) -gt 5 ] || fail "$what font: the $name button has no size"
  done
  peak=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
  [ -n "$peak" ] || fail "$what font: no peak memory"
  end_program
}

peak_at_startup shipped
shipped=$peak
echo "shipped font: peak ${shipped} kB"
for kind in far wide; do
  make_font "$kind"
  peak_at_startup "$kind"
  echo "$kind font: peak ${peak} kB"
  [ "$peak" -le $((shipped + 200 * 1024)) ] || fail "$kind font: peak ${peak} kB, shipped ${shipped} kB"
done

echo "PASS"
