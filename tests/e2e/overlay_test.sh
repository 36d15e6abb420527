#!/usr/bin/env bash
# What a player sees after the start-up, read from screenshots of the real
# program run in a copy of its folder: the bevelled window frame, the caption
# bar's menu button and icons, and the panel the start-up opens: the language
# list's two rows without an options file, the main menu's eight entries in
# the language an options file names.
set -u
program=$1
folder=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  rm -rf "$folder"
}
trap cleanup EXIT
cp -r "$(dirname "$program")/." "$folder/"
shot=$folder/shot.png
fail() { echo "FAIL: $*" >&2; exit 1; }

# The grey of one screen pixel (window coordinates).
grey_at() { convert "$shot" -format '%[fx:int(255*p{'"$1,$2"'}.r+0.5)]' info:; }

# The brightest grey inside a rectangle: w h x y.
brightest() {
  convert "$shot" -crop "$1x$2+$3+$4" +repage -colorspace gray -format '%[fx:int(255*maxima+0.5)]' info:
}

# Bands of bright rows (text lines at least 5 rows apart) in the centre column.
text_lines() {
  convert "$shot" -crop 300x420+810+330 +repage -colorspace gray -depth 8 gray:- | od -An -v -tu1 -w300 |
    awk '{m=0; for (i=1; i<=NF; i++) if ($i>m) m=$i; if (m>150) { if (gap>=5 || n==0) n++; gap=0 } else gap++}
         END {print n+0}'
}

near() { [ $(( $1 > $2 ? $1 - $2 : $2 - $1 )) -le 2 ]; }

# scenario <name> <options line or empty> <text lines expected>
scenario() {
  rm -f "$folder/konfig.ini"
  [ -n "$2" ] && printf '%s' "$2" > "$folder/konfig.ini"
  "$folder/velmonar" &
  pid=$!
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
  [ "$(brightest 80 30 15 12)" -gt 150 ] || fail "$1: no menu button"
  [ "$(brightest 110 30 1795 12)" -gt 150 ] || fail "$1: no caption-bar icons"
  kill -TERM "$pid"
  wait "$pid"
  pid=""
  echo "$1: passed"
}

options=" 0 1 0 1 0 2.05 0 0.31 60 1 1 1 1 1 1 0.95 0.9 0.6 0.4 0.1 0.4 0.48 0.5 0.12 0.3 0.23 0.12 0.3 0.23"
scenario "first start" "" 2
scenario "Russian" "1$options" 8
scenario "English" "2$options" 8
echo "PASS"
