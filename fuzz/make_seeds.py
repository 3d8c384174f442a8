#!/usr/bin/python3
"""Seed pictures for the PNG, JPEG, GIF and BMP fuzz targets, written by Pillow and
ImageMagick: small pictures of awkward sizes in the colour types, layouts and
compressions the decoders have to take. Usage: make_seeds.py <seed folder>."""

import os
import random
import shutil
import subprocess
import sys
import tempfile

from PIL import Image

SIZES = [(1, 1), (3, 5), (17, 9), (16, 16)]


def picture(mode, size, seed):
    """A picture with some structure (bands and noise) so encoders do real work."""
    rng = random.Random(seed)
    w, h = size
    rgb = Image.new("RGB", size)
    rgb.putdata([((x * 37 + rng.randrange(40)) % 256, (y * 53) % 256, rng.randrange(256))
                 for y in range(h) for x in range(w)])
    if mode == "P":
        return rgb.quantize(colors=min(16, w * h))
    return rgb.convert(mode)


def save(image, folder, name, **options):
    os.makedirs(folder, exist_ok=True)
    image.save(os.path.join(folder, name), **options)


def magick(folder, name, output_format, *arguments):
    """Runs ImageMagick's convert, writing `output_format` (such as "BMP3:"); skipped
    when ImageMagick is missing."""
    if shutil.which("convert") is None:
        return
    os.makedirs(folder, exist_ok=True)
    subprocess.run(["convert", *arguments, output_format + os.path.join(folder, name)], check=True)


def png_seeds(folder, scratch):
    for i, size in enumerate(SIZES):
        tag = f"{size[0]}x{size[1]}"
        save(picture("1", size, i), folder, f"grey1_{tag}.png")
        save(picture("L", size, i), folder, f"grey8_{tag}.png")
        save(picture("LA", size, i), folder, f"greyalpha_{tag}.png")
        save(picture("RGB", size, i), folder, f"rgb_{tag}.png")
        save(picture("RGBA", size, i), folder, f"rgba_{tag}.png")
        save(picture("P", size, i), folder, f"palette_{tag}.png")
    size = (9, 7)
    save(picture("P", size, 9), folder, "palette4_trns.png", bits=4, transparency=0)
    save(picture("P", size, 9), folder, "palette2.png", bits=2)
    save(picture("RGB", size, 9), folder, "rgb_trns.png", transparency=(0, 0, 0))
    save(picture("L", size, 9), folder, "grey_trns.png", transparency=7)
    save(picture("L", size, 9).convert("I;16"), folder, "grey16.png")
    source = os.path.join(scratch, "source.png")
    picture("RGBA", (13, 11), 10).save(source)
    magick(folder, "rgba_interlaced.png", "PNG:", source, "-interlace", "PNG")
    magick(folder, "rgb48.png", "PNG48:", source, "-alpha", "off", "-depth", "16")
    magick(folder, "rgba64_interlaced.png", "PNG64:", source, "-depth", "16", "-interlace", "PNG")


def jpeg_seeds(folder):
    for i, size in enumerate(SIZES + [(33, 17)]):
        tag = f"{size[0]}x{size[1]}"
        save(picture("RGB", size, i), folder, f"baseline_{tag}.jpg", quality=80)
        save(picture("RGB", size, i), folder, f"progressive_{tag}.jpg", quality=70, progressive=True)
        save(picture("L", size, i), folder, f"grey_{tag}.jpg", quality=90)
    size = (24, 16)
    save(picture("RGB", size, 5), folder, "baseline_444.jpg", subsampling=0, quality=95)
    save(picture("RGB", size, 5), folder, "baseline_422_optimized.jpg", subsampling=1, optimize=True)
    save(picture("L", size, 5), folder, "grey_progressive.jpg", progressive=True)
    save(picture("CMYK", size, 5), folder, "cmyk_adobe.jpg")
    save(picture("RGB", size, 5), folder, "restart_intervals.jpg", restart_marker_rows=1)


def gif_seeds(folder, scratch):
    for i, size in enumerate(SIZES):
        tag = f"{size[0]}x{size[1]}"
        save(picture("P", size, i), folder, f"still_{tag}.gif")
    size = (11, 7)
    save(picture("P", size, 3), folder, "transparent.gif", transparency=1)
    save(picture("P", size, 3), folder, "interlaced.gif", interlace=True)
    frames = [picture("P", size, k) for k in range(3)]
    save(frames[0], folder, "animated.gif", save_all=True, append_images=frames[1:], duration=40, loop=0)
    save(picture("L", (5, 4), 4), folder, "grey.gif")
    source = os.path.join(scratch, "source.png")
    picture("RGB", (9, 6), 11).save(source)
    magick(folder, "gif87.gif", "GIF87:", source, "-colors", "8")
    magick(folder, "local_table.gif", "GIF:", source, "-colors", "4", "+map", "-page", "12x8+2+1")


def bmp_seeds(folder, scratch):
    for i, size in enumerate(SIZES):
        tag = f"{size[0]}x{size[1]}"
        save(picture("1", size, i), folder, f"bits1_{tag}.bmp")
        save(picture("RGB", size, i), folder, f"bits24_{tag}.bmp")
    size = (10, 6)
    save(picture("RGBA", size, 6), folder, "bits32.bmp")
    save(picture("P", size, 6), folder, "bits8_palette.bmp")
    source = os.path.join(scratch, "source.png")
    picture("RGB", (13, 9), 12).save(source)
    magick(folder, "rle8.bmp", "BMP3:", source, "-colors", "16", "-type", "Palette", "-compress", "RLE")
    magick(folder, "bits4.bmp", "BMP3:", source, "-colors", "16", "-type", "Palette", "-compress", "None")
    magick(folder, "os2_core.bmp", "BMP2:", source, "-colors", "16", "-type", "Palette")
    magick(folder, "rgb565.bmp", "BMP:", source, "-define", "bmp:subtype=RGB565")
    magick(folder, "argb_bitfields.bmp", "BMP:", source, "-alpha", "set", "-define", "bmp:format=bmp4")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_seeds.py <seed folder>")
    root = sys.argv[1]
    with tempfile.TemporaryDirectory() as scratch:
        png_seeds(os.path.join(root, "png"), scratch)
        jpeg_seeds(os.path.join(root, "jpeg"))
        gif_seeds(os.path.join(root, "gif"), scratch)
        bmp_seeds(os.path.join(root, "bmp"), scratch)


if __name__ == "__main__":
    main()
