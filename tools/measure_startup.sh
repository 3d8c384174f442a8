#!/usr/bin/env bash
# Measures the editor's start-up: from launch until its window is mapped on a
# virtual X display, several runs, and prints each run and the median in seconds.
#
# Usage: tools/measure_startup.sh PROGRAM [RUNS]
# Runs in a temporary working folder holding the default palette. Needs Xvfb and xdotool.
set -euo pipefail
program=$(realpath "$1")
runs=${2:-9}
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true' EXIT
cp "$here/resources/rgb9spreada.pal" "$work/"

# A display number well away from :0, which other X servers on the machine tend to take.
number=$((100 + $$ % 400))
while [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
Xvfb ":$number" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$number"
# Wait until the server answers before the first launch.
for _ in $(seq 500); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.01; done
unset QT_QPA_PLATFORM

times=()
for _ in $(seq "$runs"); do
  start=$(date +%s.%N)
  (cd "$work" && exec "$program") >"$work/log" 2>&1 &
  pid=$!
  # xdotool's own --sync waits half a second between looks; look far more often.
  until xdotool search --onlyvisible --name '^Viroror' >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before showing its window:" >&2; cat "$work/log" >&2; exit 1; }
    sleep 0.002
  done
  end=$(date +%s.%N)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  times+=("$(echo "$end - $start" | bc -l)")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1; printf "run: %.3f s\n", $1} END {printf "median: %.3f s\n", a[int((NR+1)/2)]}'
