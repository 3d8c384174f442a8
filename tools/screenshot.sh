#!/usr/bin/env bash
# Starts a program on a virtual X display (1280 x 800, 24-bit), waits for it
# to draw, saves the whole screen as a picture and stops the program.
#
# Usage: tools/screenshot.sh OUTPUT.png [SECONDS] -- PROGRAM [ARGUMENTS...]
#   SECONDS  how long to wait before taking the picture (default 2)
# Example: tools/screenshot.sh /tmp/editor.png 3 -- build/bin/viroror
# Needs xvfb-run and ImageMagick's import. There is no window manager on the
# virtual display, so the picture shows the window without its title bar.
set -euo pipefail

if [ $# -lt 3 ]; then
  sed -n '5,9p' "$0" >&2
  exit 2
fi
output=$1
shift
delay=2
if [ "$1" != "--" ]; then
  delay=$1
  shift
fi
[ "$1" = "--" ] || { echo "screenshot.sh: expected -- before the program" >&2; exit 2; }
shift

output_dir=$(cd "$(dirname "$output")" && pwd)
output_path="$output_dir/$(basename "$output")"

# The inner script runs on the virtual display: program in the background,
# picture after the delay, then the program is stopped by its own id.
inner='
  "$@" &
  program=$!
  sleep "$DELAY"
  status=0
  import -window root "$OUTPUT" || status=$?
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  exit $status
'
DELAY=$delay OUTPUT=$output_path QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x800x24" bash -c "$inner" screenshot "$@"
echo "$output_path"
