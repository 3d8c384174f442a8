#!/usr/bin/env bash
# Makes docs/editor.png, the README's picture: the editor on a virtual display with
# a rocket painted into sprite 1 by mouse clicks (palette chart, then grid cells).
# Needs xvfb-run, xdotool and ImageMagick (scripts/install-deps.sh installs them).
#
# Usage: docs/make_screenshot.sh [EDITOR]   (default build/bin/viroror)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
editor=$(realpath "${1:-$here/build/bin/viroror}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The window lies centred on the 1280 x 800 screen: the grid's top-left cell is
# centred at (107, 145), cells 20 pixels apart; the chart cells are 34.4 x 24.25
# from (637, 135).
cat > "$work/paint.sh" <<'PAINT'
cd "$1"
"$2" &
sleep 2
rows=(
  "................" ".......CC......." "......CWWC......" "......CBBC......"
  ".....CCBBCC....." ".....CCCCCC....." "....MCCCCCCM...." "...MMCCCCCCMM..."
  "..MMMCCWWCCMMM.." ".MMMMCCWWCCMMMM." ".MM..CCCCCC..MM." ".M...CCCCCC...M."
  "......MMMM......" "......YRRY......" ".......YY......." "................"
)
declare -A chart=([.]="3 1" [C]="14 0" [W]="15 7" [B]="5 1" [M]="3 7" [Y]="12 7" [R]="1 7")
for colour in . C W B M Y R; do
  read -r column row <<< "${chart[$colour]}"
  xdotool mousemove $((637 + column * 344 / 10 + 17)) $((135 + row * 2425 / 100 + 12)) click 1
  for y in $(seq 0 15); do
    line=${rows[$y]}
    for x in $(seq 0 15); do
      [ "${line:$x:1}" = "$colour" ] && xdotool mousemove $((107 + 20 * x)) $((145 + 20 * y)) click 1
    done
  done
done
xdotool mousemove 1240 780
wait
PAINT
cd "$work"
"$here/tools/screenshot.sh" "$here/docs/editor.png" 45 -- bash "$work/paint.sh" "$work" "$editor"
# Only the window, without the empty screen around it.
convert "$here/docs/editor.png" -crop 1150x680+65+60 +repage -strip "$here/docs/editor.png"
