#!/usr/bin/env bash
# Peak memory of one picture load, for pictures at the size limit and for small
# files that claim to be that large. Builds bench_load_picture, writes the files
# into a temporary folder (about 1 GB of disk for a moment) and runs the loader
# under /usr/bin/time -v once per file.
#
#   bench/picture_memory.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh bench_load_picture >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$work" <<'PY'
import os, struct, sys
from PIL import Image
out = sys.argv[1]
side = 8192  # 64 M pixels, the most the decoders take
noise = Image.frombytes("RGB", (side, side), os.urandom(side * side * 3))
noise.save(os.path.join(out, "noise-8192.png"), compress_level=1)
noise.save(os.path.join(out, "noise-8192.jpg"), quality=90)
noise.save(os.path.join(out, "noise-8192-progressive.jpg"), quality=90, progressive=True)  # refused
# About the largest progressive picture (4:2:0) whose coefficients fit beside it.
noise.crop((0, 0, 6600, 6600)).save(os.path.join(out, "noise-6600-progressive.jpg"), quality=90, progressive=True)
noise.save(os.path.join(out, "noise-8192.bmp"))
noise.quantize(colors=256, method=Image.Quantize.FASTOCTREE).save(os.path.join(out, "noise-8192.gif"))
# Tiny files claiming 16384 x 4096: a GIF screen around a 1 x 1 picture, and
# run-length data that moves straight to its end.
gif = b"GIF89a" + struct.pack("<HHBBB", 16384, 4096, 0x80, 0, 0) + bytes(6)
gif += b"\x2C" + struct.pack("<HHHHB", 0, 0, 1, 1, 0) + b"\x02\x02\x44\x01\x00;"
open(os.path.join(out, "claim-gif.gif"), "wb").write(gif)
rle = bytearray()
for _ in range(4096 // 255 + 1):
    rle += bytes([0, 2, 0, 255])
rle += bytes([0, 1])
info = struct.pack("<IiiHHIIiiII", 40, 16384, 4096, 1, 8, 1, len(rle), 0, 0, 2, 0) + bytes(8)
open(os.path.join(out, "claim-rle8.bmp"), "wb").write(
    b"BM" + struct.pack("<IHHI", 62 + len(rle), 0, 0, 62) + info + bytes(rle))
PY

printf '%-34s %10s %14s  %s\n' file "file MB" "peak RSS MB" result
for f in "$work"/*; do
  result=$(/usr/bin/time -v build/bench/bench_load_picture "$f" 2>"$work/time.txt" | sed 's/.*: //')
  peak=$(awk -F: '/Maximum resident set size/ {print int($2 / 1024)}' "$work/time.txt")
  printf '%-34s %10s %14s  %s\n' "$(basename "$f")" "$(( $(stat -c %s "$f") / 1048576 ))" "$peak" "$result"
done
