#!/usr/bin/env bash
# Measures the editor's start-up beside mtPaint and a minimal Qt 6 Widgets program,
# launched in turn on one virtual X display: per round each program once, in that
# order. For each launch: milliseconds until its window is mapped, until that window
# shows its settled picture (the first drawn frame), and its resident memory once
# settled. Prints every round, the medians, and the medians of the per-round ratios.
#
# Usage: tools/measure_startup.sh EDITOR [MINIMAL_QT] [ROUNDS]
#   EDITOR      build/viroror;  MINIMAL_QT  build/bench/minimal_qt (default: beside the editor)
#   ROUNDS      default 11
# The editor runs in a temporary working folder holding the default palette. Needs
# Xvfb, xdotool and a C compiler with the X11 headers; installs mtpaint when it is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
editor=$(realpath "$1")
minimal=$(realpath "${2:-$(dirname "$editor")/bench/minimal_qt}")
rounds=${3:-11}
settle_ms=2000
[ -x "$minimal" ] || { echo "no minimal Qt program at $minimal (build target minimal_qt)" >&2; exit 2; }

if ! command -v mtpaint >/dev/null; then
  sudo=; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get install -y mtpaint >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true' EXIT
cp "$here/resources/rgb9spreada.pal" "$work/"
cc -O2 -o "$work/first_frame" "$here/tools/first_frame.c" -lX11
# mtPaint keeps its settings in the home folder; a fresh one each run keeps them equal.
export HOME="$work/home"
mkdir -p "$HOME"

# A display number well away from :0, which other X servers on the machine tend to take.
number=$((100 + $$ % 400))
while [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
Xvfb ":$number" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$number"
for _ in $(seq 500); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.01; done
unset QT_QPA_PLATFORM

names=(editor mtpaint minimal)
commands=("$editor" "$(command -v mtpaint)" "$minimal")
: >"$work/results"
for round in $(seq "$rounds"); do
  for i in 0 1 2; do
    result=$(cd "$work" && "$work/first_frame" "$settle_ms" "${commands[$i]}" 2>/dev/null) ||
      { echo "round $round: ${names[$i]} failed" >&2; continue; }
    echo "$round ${names[$i]} $result" >>"$work/results"
    sleep 0.2
  done
done

# Columns of results: round, program, map ms, frame ms, resident KiB.
awk '
  function median(list, n,   sorted, i, j, t) {
    for (i = 1; i <= n; i++) sorted[i] = list[i]
    for (i = 2; i <= n; i++) for (j = i; j > 1 && sorted[j-1] > sorted[j]; j--) { t = sorted[j]; sorted[j] = sorted[j-1]; sorted[j-1] = t }
    return n % 2 ? sorted[(n+1)/2] : (sorted[n/2] + sorted[n/2+1]) / 2
  }
  { map[$2, $1] = $3; frame[$2, $1] = $4; rss[$2, $1] = $5 / 1024; seen[$1] = 1
    printf "round %2d  %-8s map %6.1f ms  frame %6.1f ms  memory %5.1f MiB\n", $1, $2, $3, $4, $5 / 1024 }
  END {
    split("editor mtpaint minimal", who, " ")
    for (w = 1; w <= 3; w++) {
      n = 0
      for (r in seen) if ((who[w], r) in map) { n++; m[n] = map[who[w], r]; f[n] = frame[who[w], r]; s[n] = rss[who[w], r] }
      printf "median   %-8s map %6.1f ms  frame %6.1f ms  memory %5.1f MiB  (%d runs)\n", who[w], median(m, n), median(f, n), median(s, n), n
    }
    n = 0
    for (r in seen) if (("editor", r) in map && ("mtpaint", r) in map && ("minimal", r) in map) {
      n++
      mapm[n] = map["editor", r] / map["mtpaint", r]
      framem[n] = frame["editor", r] / frame["mtpaint", r]
      framen[n] = frame["editor", r] / frame["minimal", r]
      memm[n] = rss["editor", r] / rss["mtpaint", r]
      memn[n] = rss["editor", r] / rss["minimal", r]
      minm[n] = frame["minimal", r] / frame["mtpaint", r]
    }
    printf "paired medians over %d rounds:\n", n
    printf "  editor / mtPaint    map %.2f  first frame %.2f  memory %.2f\n", median(mapm, n), median(framem, n), median(memm, n)
    printf "  editor / minimal Qt first frame %.2f  memory %.2f\n", median(framen, n), median(memn, n)
    printf "  minimal Qt / mtPaint first frame %.2f\n", median(minm, n)
  }' "$work/results"
