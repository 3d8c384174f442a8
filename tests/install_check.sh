#!/usr/bin/env bash
# The install tree: installs the build into a temporary prefix, validates the desktop
# entry and the AppStream metadata, checks the icons, palette and manual page, runs a
# batch command without a display, and starts the installed editor on a virtual X
# display in a folder without a palette: it must open its window, not "ERROR!".
#
# Usage: tests/install_check.sh BUILD_DIR   (exit 77: a tool it needs is missing)
set -euo pipefail
build=$1
for tool in desktop-file-validate appstreamcli xvfb-run xdotool; do
  command -v "$tool" >/dev/null || { echo "install_check: $tool is missing (scripts/install-deps.sh)"; exit 77; }
done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

desktop-file-validate "$prefix"/share/applications/*.desktop
appstreamcli validate --no-net --pedantic "$prefix"/share/metainfo/*.metainfo.xml
for size in 48 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/viroror.png
  # The PNG header's width and height, big-endian at bytes 16 and 20.
  [ "$(od -An -tu4 --endian=big -j16 -N8 "$icon" | xargs)" = "$size $size" ] || { echo "bad icon $icon"; exit 1; }
done
cmp "$prefix/share/viroror/rgb9spreada.pal" "$(dirname "$0")/../resources/rgb9spreada.pal"
grep -q '^\.SH EXIT STATUS' "$prefix/share/man/man1/viroror.1"

# A batch command in an empty folder finds the shipped palette.
mkdir "$root/home"
cd "$root/home"
head -c 512 /dev/zero > sheet.spr
env -u DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/viroror" sheet sheet.spr -o sheet.png
[ -s sheet.png ]
rm sheet.spr sheet.png

# The editor, started as its desktop entry starts it (a folder without a palette).
inner='
  "$1" &
  editor=$!
  status=1
  for _ in $(seq 50); do
    if xdotool search --name "^Viroror v" >/dev/null 2>&1; then status=0; break; fi
    if xdotool search --name "^ERROR!" >/dev/null 2>&1; then echo "the editor found no palette"; break; fi
    sleep 0.2
  done
  kill "$editor" 2>/dev/null || true
  wait "$editor" 2>/dev/null || true
  exit $status
'
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$inner" check "$prefix/bin/viroror"
echo "install tree OK"
