#!/usr/bin/env bash
# Makes docs/palette-page.png: the editor's "Palette" page on a virtual display with
# entry $E3 (the transparent index) selected by a click and the arrow keys.
# Needs xvfb-run, xdotool and ImageMagick (scripts/install-deps.sh installs them).
#
# Usage: docs/make_palette_shot.sh [EDITOR]   (default build/bin/viroror)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
editor=$(realpath "${1:-$here/build/bin/viroror}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/resources/rgb9spreada.pal" "$work/"

# The window lies centred on the 1280 x 800 screen: the "Palette" tab is at
# (426, 102) and the chart's cell of entry $E0 is centred at (${CELL_X}, ${CELL_Y}).
cat > "$work/select.sh" <<'SELECT'
cd "$1"
"$2" &
sleep 2
xdotool mousemove 426 102 click 1
sleep 0.5
xdotool mousemove "$3" "$4" click 1
xdotool key Right Right Right
xdotool mousemove 1240 780
wait
SELECT
cd "$work"
"$here/tools/screenshot.sh" "$here/docs/palette-page.png" 5 -- bash "$work/select.sh" "$work" "$editor" \
  "${CELL_X:-140}" "${CELL_Y:-563}"
# Only the window, without the empty screen around it.
convert "$here/docs/palette-page.png" -crop 1150x680+65+60 +repage -strip "$here/docs/palette-page.png"
