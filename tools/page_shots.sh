#!/usr/bin/env bash
# Starts the editor on a virtual X display and saves a picture of each of its six
# pages, to compare two builds pixel for pixel after a change that should not
# show. Needs xvfb-run, xdotool and ImageMagick.
#
# Usage: tools/page_shots.sh EDITOR OUTPUT_FOLDER
#   The editor starts in a fresh folder holding the default palette; the pictures
#   are OUTPUT_FOLDER/page0.png ... page5.png.
set -euo pipefail
[ $# -eq 2 ] || { sed -n '6,8p' "$0" >&2; exit 2; }
here=$(cd "$(dirname "$0")/.." && pwd)
editor=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
mkdir -p "$2"
out=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/resources/rgb9spreada.pal" "$work/"

inner='
  cd "$WORK"
  "$EDITOR" &
  program=$!
  for _ in $(seq 100); do
    window=$(xdotool search --name "^Viroror" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
  done
  sleep 1.5
  # The window is centred on the 1280 x 800 screen; these are its six tabs.
  page=0
  for x in 107 172 237 305 367 426; do
    xdotool mousemove "$x" 102 click 1
    sleep 0.7
    import -window root "$OUT/page$page.png"
    page=$((page + 1))
  done
  kill "$program"
'
WORK="$work" EDITOR="$editor" OUT="$out" xvfb-run -a -s "-screen 0 1280x800x24" bash -c "$inner"
