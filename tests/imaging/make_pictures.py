"""Writes one small picture of every BMP, GIF and PNG kind the loader takes into a
folder, and a few JPEGs, with the colours each must show.

    make_pictures.py <folder>

Each file is written byte by byte from a known grid of pixels. Beside it goes
<file>.rgb (width and height as two little-endian 32-bit numbers, then red, green,
blue per pixel, rows top to bottom): Pillow's reading (Image.open(f).convert('RGB'))
where Pillow reads the kind correctly, else the colours worked out here from the
grid. manifest.txt lists "<file> pillow|own|pillow1" per line; pillow1 marks a
16-bit PNG, where Pillow keeps each sample's high byte and libpng rounds, so the
two may differ by 1. refused.txt lists "<file> <source>: <what>" for files whose
impossible headers must be refused.
"""

import os
import random
import struct
import sys
import warnings
import zlib

from PIL import Image

OUT = sys.argv[1]
warnings.simplefilter("ignore")  # Pillow advises on palettes with transparency
RNG = random.Random(5)
MANIFEST = []


def colours(count):
    # Never a grey ramp: Pillow reads such tables as grey pictures by another path.
    return [(RNG.randrange(256), RNG.randrange(256), RNG.randrange(256) | 1) for _ in range(count)]


def grey(i):
    return (i, i, i)


def emit(name, data, expected, by_pillow, width, height, tag=None):
    path = os.path.join(OUT, name)
    with open(path, "wb") as f:
        f.write(data)
    if by_pillow:
        im = Image.open(path).convert("RGB")
        width, height = im.size
        pixels = im.tobytes()
        # The grid's own colours must agree, or the file is not what was meant.
        assert expected is None or pixels == bytes(c for rgb in expected for c in rgb), "Pillow reads " + name
    else:
        pixels = bytes(c for rgb in expected for c in rgb)
        assert len(pixels) == width * height * 3, name
    with open(path + ".rgb", "wb") as f:
        f.write(struct.pack("<II", width, height) + pixels)
    MANIFEST.append(f"{name} {tag or ('pillow' if by_pillow else 'own')}")


# ---- BMP ----------------------------------------------------------------------

def bmp(width, height, bits, rows, header=40, top_down=False, table=(), entry=4, colours_used=0,
        compression=0, masks=None, masks_after=False, offset=None, data=None):
    """rows: stored rows (file order) of packed pixel bytes, unpadded; data: raw pixel data instead."""
    if data is None:
        stride = (width * bits + 31) // 32 * 4
        data = b"".join(r + bytes(stride - len(r)) for r in rows)
    if header == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", header, width, -height if top_down else height, 1, bits,
                           compression, len(data), 2835, 2835, colours_used, 0)
        if masks and not masks_after:
            info += struct.pack("<%dI" % len(masks), *masks)
        info = (info + bytes(header))[:header]
    extra = struct.pack("<%dI" % len(masks), *masks) if masks and masks_after else b""
    table_bytes = b"".join(bytes((b, g, r, 0)[:entry]) for (r, g, b) in table)
    start = 14 + len(info) + len(extra) + len(table_bytes) if offset is None else offset
    head = b"BM" + struct.pack("<IHHI", start + len(data), 0, 0, start) + info + extra + table_bytes
    if len(head) < start:
        head += bytes(start - len(head))
    return head[:start] + data


def pack(indices, bits):
    out, acc, n = bytearray(), 0, 0
    for i in indices:
        acc, n = acc << bits | i, n + bits
        if n == 8:
            out.append(acc)
            acc, n = 0, 0
    if n:
        out.append(acc << (8 - n))
    return bytes(out)


def table_kind(name, bits, width, height, top_down=False, used=0, header=40, entry=4, pillow=True,
               table_size=None, inside_table=False):
    size = table_size if table_size is not None else (used or 1 << bits)
    table = colours(size)
    grid = [[RNG.randrange(1 << bits) for _ in range(width)] for _ in range(height)]
    stored = grid if top_down else grid[::-1]
    rows = [pack(r, bits) for r in stored]
    offset = 14 + header + entry * 16 if inside_table else None
    data = bmp(width, height, bits, rows, header, top_down, table, entry, used, offset=offset)
    if inside_table:
        # The rows begin 16 entries into the 256 the header implies; the entries the
        # file holds past that are the row bytes themselves.
        raw = data[14 + header:]
        table = [(raw[i + 2], raw[i + 1], raw[i]) for i in range(0, min(len(raw), 1024) - 3, 4)]
    full = lambda i: table[i] if i < len(table) else grey(i)
    emit(name, data, [full(i) for r in grid for i in r], pillow, width, height)


def direct_kind(name, bits, width, height, masks=None, top_down=False, header=40, masks_after=True,
                compression=None, pillow=True):
    shown = masks if masks and any(masks[:3]) else ((0x7C00, 0x3E0, 0x1F) if bits == 16 else (0xFF0000, 0xFF00, 0xFF))
    grid = [[RNG.randrange(1 << bits) for _ in range(width)] for _ in range(height)]
    grid[0][0] = (1 << bits) - 1  # white, whatever the masks
    stored = grid if top_down else grid[::-1]
    rows = [b"".join(v.to_bytes(bits // 8, "little") for v in r) for r in stored]
    if compression is None:
        compression = 0 if masks is None else (6 if masks and len(masks) == 4 and masks_after else 3)
    data = bmp(width, height, bits, rows, header, top_down, compression=compression, masks=masks,
               masks_after=masks_after)

    def channel(v, mask):
        if mask == 0:
            return 0
        shift = (mask & -mask).bit_length() - 1
        return ((v & mask) >> shift) * 255 // (mask >> shift)

    emit(name, data, [tuple(channel(v, m) for m in shown[:3]) for r in grid for v in r], pillow, width, height)


def rle_kind(name, rle4, width, height, codes, pillow=True):
    """codes: the run-length data; the expected grid is worked out by a plain reading of it."""
    table = colours(16 if rle4 else 256)
    grid = [[0] * width for _ in range(height)]  # in file order, bottom row first
    x = y = i = 0
    while y < height and i + 1 < len(codes):
        count, value = codes[i], codes[i + 1]
        i += 2
        if count:
            for k in range(count):
                if x < width:
                    grid[y][x] = (value >> 4 if k % 2 == 0 else value & 15) if rle4 else value
                x += 1
        elif value == 0:
            x, y = 0, y + 1
        elif value == 1:
            break
        elif value == 2:
            x, y, i = x + codes[i], y + codes[i + 1], i + 2
        else:
            nbytes = (value + 1) // 2 if rle4 else value
            literal = codes[i:i + nbytes]
            i += nbytes + nbytes % 2
            pixels = [p for b in literal for p in (b >> 4, b & 15)][:value] if rle4 else list(literal)
            for p in pixels:
                if x < width:
                    grid[y][x] = p
                x += 1
    data = bmp(width, height, 4 if rle4 else 8, None, table=table, compression=2 if rle4 else 1, data=bytes(codes))
    emit(name, data, [table[p] for r in grid[::-1] for p in r], pillow, width, height)


def make_bmps():
    for bits, width in ((1, 13), (4, 7), (8, 5)):
        for top_down in (False, True):
            table_kind(f"table{bits}{'_topdown' if top_down else ''}.bmp", bits, width, 4, top_down)
    table_kind("table2.bmp", 2, 9, 3, pillow=False)
    table_kind("table2_topdown.bmp", 2, 9, 3, top_down=True, pillow=False)
    table_kind("short_table8.bmp", 8, 6, 3, used=5)         # indices past the table show grey
    table_kind("short_table4.bmp", 4, 6, 3, used=3)
    table_kind("table8_inside_table.bmp", 8, 20, 3, inside_table=True)  # rows start inside the implied table
    table_kind("core_table8.bmp", 8, 5, 3, header=12, entry=3)         # OS/2 1.x
    table_kind("core_table1.bmp", 1, 17, 2, header=12, entry=3)
    table_kind("os2v2_64_table8.bmp", 8, 5, 3, header=64)
    table_kind("os2v2_16_table4.bmp", 4, 5, 3, header=16, pillow=False)
    table_kind("v4_table8.bmp", 8, 5, 3, header=108)
    table_kind("v5_table4_topdown.bmp", 4, 5, 3, header=124, top_down=True)
    table_kind("v2_table8.bmp", 8, 5, 2, header=52, pillow=False)
    table_kind("v3_table8.bmp", 8, 5, 2, header=56, pillow=False)

    for top_down in (False, True):
        suffix = "_topdown" if top_down else ""
        direct_kind(f"rgb555{suffix}.bmp", 16, 5, 3, top_down=top_down)
        direct_kind(f"rgb565{suffix}.bmp", 16, 5, 3, (0xF800, 0x7E0, 0x1F), top_down)
        direct_kind(f"bgr24{suffix}.bmp", 24, 5, 3, top_down=top_down)
        direct_kind(f"bgrx32{suffix}.bmp", 32, 3, 3, top_down=top_down)
    direct_kind("core_bgr24.bmp", 24, 5, 2, header=12)
    direct_kind("os2v2_16_bgr24.bmp", 24, 5, 2, header=16, pillow=False)
    direct_kind("v4_bgra32.bmp", 32, 4, 3, (0xFF0000, 0xFF00, 0xFF, 0xFF000000), header=108, masks_after=False)
    direct_kind("v5_rgba32_topdown.bmp", 32, 4, 3, (0xFF, 0xFF00, 0xFF0000, 0xFF000000), True, 124, False)
    direct_kind("rgb101010.bmp", 32, 4, 3, (0x3FF00000, 0xFFC00, 0x3FF), pillow=False)
    direct_kind("v5_rgb101010.bmp", 32, 4, 3, (0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000), header=124,
                masks_after=False, pillow=False)
    direct_kind("argb4444.bmp", 16, 4, 3, (0xF00, 0xF0, 0xF, 0xF000), masks_after=True, pillow=False)
    direct_kind("v3_rgb4444_topdown.bmp", 16, 4, 3, (0xF00, 0xF0, 0xF, 0xF000), True, 56, False, pillow=False)
    direct_kind("v2_rgb555_fields.bmp", 16, 4, 3, (0x7C00, 0x3E0, 0x1F), header=52, masks_after=False,
                pillow=False)
    direct_kind("odd_masks32.bmp", 32, 4, 3, (0x00000FFF, 0x00FFF000, 0x3F000000), pillow=False)
    direct_kind("zero_masks32.bmp", 32, 4, 3, (0, 0, 0))  # all zero: the usual 8-8-8
    direct_kind("bitfields24.bmp", 24, 4, 3, (0xFF0000, 0xFF00, 0xFF))

    # Run-length data: runs, literal runs (padded), early ends of lines.
    rle_kind("rle8.bmp", False, 8, 3, [3, 7, 0, 3, 1, 2, 9, 0, 2, 5, 0, 0, 8, 4, 0, 0, 0, 4, 10, 11, 12, 13, 4, 6, 0, 1])
    rle_kind("rle4.bmp", True, 8, 3, [8, 0x12, 0, 0, 0, 4, 0x34, 0x56, 3, 0x78, 0, 0, 5, 0x9A, 3, 0xBC, 0, 1])
    # Early ends of the bitmap, moves, odd literal runs of RLE4: Pillow 9.4 refuses
    # the first and reads the others wrongly.
    rle_kind("rle8_early_ends.bmp", False, 8, 4, [2, 7, 0, 0, 8, 3, 0, 0, 1, 9, 0, 1], pillow=False)
    rle_kind("rle4_early_ends.bmp", True, 8, 3, [3, 0x12, 0, 0, 0, 1], pillow=False)
    rle_kind("rle8_delta.bmp", False, 9, 5, [2, 7, 0, 2, 3, 1, 2, 4, 0, 2, 1, 2, 0, 3, 1, 2, 3, 0, 0, 1],
             pillow=False)
    rle_kind("rle4_delta.bmp", True, 9, 4, [3, 0x12, 0, 2, 2, 1, 0, 3, 0xAB, 0xC0, 0, 0, 4, 0x56, 0, 1],
             pillow=False)


# ---- GIF ----------------------------------------------------------------------

def lzw8(indices):
    """8-bit LZW data that never grows its code table: a clear code every 200 literals."""
    bits_out, acc, n = bytearray(), 0, 0

    def put(code):
        nonlocal acc, n
        acc |= code << n
        n += 9
        while n >= 8:
            bits_out.append(acc & 255)
            acc, n = acc >> 8, n - 8

    for k, i in enumerate(indices):
        if k % 200 == 0:
            put(256)
        put(i)
    put(257)
    if n:
        bits_out.append(acc & 255)
    blocks = b"".join(bytes([len(bits_out[k:k + 255])]) + bits_out[k:k + 255] for k in range(0, len(bits_out), 255))
    return bytes([8]) + blocks + b"\0"


def colour_table(table):
    size = max(1, (len(table) - 1).bit_length())
    return bytes(c for rgb in table + [(0, 0, 0)] * ((1 << size) - len(table)) for c in rgb), size - 1


def gif(screen, frames, global_table=None):
    """frames: (left, top, width, height, indices, local table, transparent index, interlaced)."""
    out = bytearray(b"GIF89a" + struct.pack("<HH", *screen))
    if global_table:
        data, size = colour_table(global_table)
        out += bytes([0x80 | size, 0, 0]) + data
    else:
        out += bytes([0, 0, 0])
    for left, top, width, height, indices, local, transparent, interlaced in frames:
        if transparent is not None:
            out += bytes([0x21, 0xF9, 4, 1, 0, 0, transparent, 0])
        flags = 0x40 if interlaced else 0
        table = b""
        if local:
            table, size = colour_table(local)
            flags |= 0x80 | size
        out += b"\x2C" + struct.pack("<HHHHB", left, top, width, height, flags) + table
        rows = [indices[y * width:(y + 1) * width] for y in range(height)]
        if interlaced:
            order = list(range(0, height, 8)) + list(range(4, height, 8)) + list(range(2, height, 4)) + \
                list(range(1, height, 2))
            rows = [rows[y] for y in order]
        out += lzw8([i for r in rows for i in r])
    return bytes(out + b";")


def gif_kind(name, screen, frames, global_table=None):
    left, top, width, height, indices, local, transparent, _ = frames[0]
    table = local or global_table or []
    full = lambda i: table[i] if i < len(table) else grey(i)
    size = (max(screen[0], left + width), max(screen[1], top + height))
    shown = [full(transparent if transparent is not None else 0)] * (size[0] * size[1])
    for y in range(height):
        for x in range(width):
            shown[(top + y) * size[0] + left + x] = full(indices[y * width + x])
    emit(name, gif(screen, frames, global_table), shown, True, *size)


def make_gifs():
    table = colours(200)
    noise = lambda w, h, top=200: [RNG.randrange(top) for _ in range(w * h)]
    gif_kind("still.gif", (11, 5), [(0, 0, 11, 5, noise(11, 5), None, None, False)], table)
    gif_kind("interlaced.gif", (6, 19), [(0, 0, 6, 19, noise(6, 19), None, None, True)], table)
    gif_kind("animated.gif", (7, 4), [(0, 0, 7, 4, noise(7, 4), None, None, False),
                                      (0, 0, 7, 4, noise(7, 4), None, None, False)], table)
    gif_kind("placed.gif", (12, 9), [(3, 2, 5, 4, noise(5, 4), None, None, False)], table)
    gif_kind("placed_transparent.gif", (12, 9), [(3, 2, 5, 4, noise(5, 4), None, 17, False)], table)
    gif_kind("past_screen.gif", (4, 3), [(2, 1, 5, 4, noise(5, 4), None, None, False)], table)
    gif_kind("local_table.gif", (5, 3), [(0, 0, 5, 3, noise(5, 3, 30), colours(30), 4, False)])
    gif_kind("local_over_global.gif", (5, 3), [(1, 0, 4, 3, noise(4, 3, 20), colours(20), None, False)], table)
    gif_kind("past_table.gif", (9, 2), [(0, 0, 9, 2, noise(9, 2, 256), None, None, False)], colours(4))
    gif_kind("no_table.gif", (9, 2), [(0, 0, 9, 2, noise(9, 2, 256), None, None, False)])
    # Pillow writes these itself: an animation of three frames and a transparent still.
    frames = []
    for k in range(3):
        im = Image.new("P", (13, 6))
        im.putpalette([c for rgb in table for c in rgb])
        im.putdata(noise(13, 6))
        frames.append(im)
    path = os.path.join(OUT, "pillow_animated.gif")
    frames[0].save(path, save_all=True, append_images=frames[1:], transparency=3)
    with open(path, "rb") as f:
        emit("pillow_animated.gif", f.read(), None, True, 0, 0)


# ---- PNG and JPEG: Pillow writes and reads them (libpng and libjpeg underneath) ----

def png16(width, height, colour_type, samples):
    """16-bit RGB (2) or RGBA (6), written here since Pillow writes neither."""
    per_row = width * (3 if colour_type == 2 else 4)
    raw = b"".join(b"\0" + struct.pack(">%dH" % per_row, *samples[y * per_row:(y + 1) * per_row])
                   for y in range(height))
    chunk = lambda kind, body: struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 16, colour_type, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


ADAM7 = ((0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2))


def png_kind(width, height, colour_type, depth, interlaced):
    """Seeded samples of any colour type and depth, packed and (Adam7) interlaced
    here, with the colours they stand for: a grey sample scaled to 0..255, a palette
    index looked up. 16-bit samples are v * 257, which any reduction takes to v.
    Palettes make entries 0 and 1 see-through, 8-bit grey the first pixel's grey."""
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    top = (1 << depth) - 1 if depth < 8 else 255
    rows = [[RNG.randrange(top + 1) for _ in range(width * channels)] for _ in range(height)]
    table = colours(1 << depth) if colour_type == 3 else []
    shown = lambda s: table[s[0]] if table else grey(s[0] * 255 // top) if channels < 3 else tuple(s[:3])
    expected = [shown(row[x * channels:(x + 1) * channels]) for row in rows for x in range(width)]

    def pack(samples):
        if depth >= 8:
            return b"".join(struct.pack(">H" if depth == 16 else "B", v * 257 if depth == 16 else v) for v in samples)
        out = bytearray((len(samples) * depth + 7) // 8)
        for i, v in enumerate(samples):
            out[i * depth // 8] |= v << (8 - depth - i * depth % 8)
        return bytes(out)

    raw = b""
    for x0, y0, dx, dy in ADAM7 if interlaced else ((0, 0, 1, 1),):
        columns = range(x0, width, dx)
        for y in range(y0, height, dy) if len(columns) else ():
            raw += b"\0" + pack([v for x in columns for v in rows[y][x * channels:(x + 1) * channels]])
    chunk = lambda kind, body: struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    extra = chunk(b"PLTE", bytes(c for rgb in table for c in rgb)) + chunk(b"tRNS", b"\0\x80") if table else b""
    if colour_type == 0 and depth == 8:
        extra = chunk(b"tRNS", struct.pack(">H", rows[0][0]))
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0,
                                                                   int(interlaced))) +
            extra + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))
    name = f"type{colour_type}_depth{depth}_{width}x{height}{'_interlaced' if interlaced else ''}.png"
    # Pillow reads 16-bit grey as 32-bit integers it then clips: those colours are worked out here.
    emit(name, data, expected, not (colour_type == 0 and depth == 16), width, height)


def pillow_kind(name, image, **options):
    path = os.path.join(OUT, name)
    image.save(path, **options)
    with open(path, "rb") as f:
        emit(name, f.read(), None, True, 0, 0)


def make_pngs_and_jpegs():
    noise = lambda mode, w, h: Image.frombytes(mode, (w, h), bytes(RNG.randrange(256) for _ in range(
        w * h * len(Image.new(mode, (1, 1)).getbands()))))
    pillow_kind("rgb.png", noise("RGB", 7, 5))
    pillow_kind("rgba.png", noise("RGBA", 7, 5))  # see-through pixels keep their stored colours
    pillow_kind("grey.png", noise("L", 7, 5))
    pillow_kind("grey_alpha.png", noise("LA", 7, 5))
    pillow_kind("bilevel.png", noise("1", 13, 3))
    palette = noise("P", 9, 4)
    palette.putpalette([c for rgb in colours(256) for c in rgb])
    pillow_kind("palette_trns.png", palette, transparency=bytes(RNG.randrange(256) for _ in range(256)))
    for colour_type, name in ((2, "rgb16.png"), (6, "rgba16.png")):
        samples = [RNG.randrange(65536) for _ in range(6 * 3 * (3 if colour_type == 2 else 4))]
        emit(name, png16(6, 3, colour_type, samples), None, True, 0, 0, "pillow1")
    for colour_type, depth in ((2, 8), (6, 8), (2, 16), (0, 1), (0, 2), (0, 4), (0, 8), (0, 16), (4, 8),
                               (3, 1), (3, 2), (3, 4), (3, 8)):
        for width, height, interlaced in ((5, 17, False), (9, 3, True), (1, 1, True)):
            png_kind(width, height, colour_type, depth, interlaced)
    pillow_kind("claims_1x1.png", noise("RGB", 1, 1))
    pillow_kind("baseline.jpg", noise("RGB", 21, 13), quality=90)
    pillow_kind("progressive.jpg", noise("RGB", 21, 13), quality=80, progressive=True)
    pillow_kind("grey.jpg", noise("L", 21, 13), quality=95)
    pillow_kind("full_chroma.jpg", noise("RGB", 17, 9), quality=90, subsampling=0)


def make_refused():
    """Impossible headers: a good file with one field changed (little-endian), each
    listed in refused.txt with what is wrong with it."""
    changes = [("bgr24.bmp", "signature", ((0, 0x4D58, 2),)), ("bgr24.bmp", "header size 65", ((14, 65, 4),)),
               ("bgr24.bmp", "header size 200", ((14, 200, 4),)), ("bgr24.bmp", "width 0", ((18, 0, 4),)),
               ("bgr24.bmp", "height 0", ((22, 0, 4),)), ("bgr24.bmp", "negative width", ((18, 0xFFFFFFFB, 4),)),
               ("bgr24.bmp", "16385 wide", ((18, 16385, 4),)),
               ("bgr24.bmp", "most negative height", ((22, 0x80000000, 4),)),
               ("bgr24.bmp", "16384 x 16384", ((18, 16384, 4), (22, 16384, 4))),
               ("bgr24.bmp", "depth 7", ((28, 7, 2),)), ("bgr24.bmp", "embedded JPEG", ((30, 4, 4),)),
               ("bgr24.bmp", "run-length at 24 bits", ((30, 1, 4),)),
               ("bgr24.bmp", "pixels inside the header", ((10, 20, 4),)),
               ("bgr24.bmp", "pixels past the end", ((10, 0xFFFFFFFF, 4),)),
               ("bgr24.bmp", "more rows than bytes", ((22, 4, 4),)),
               ("rgb101010.bmp", "bit fields at 8 bits", ((28, 8, 2),)),
               # The screen at 6, the picture at 13 + 768 + 1: left, top, width, height.
               ("still.gif", "screen 16385 wide", ((6, 16385, 2),)), ("still.gif", "picture 0 wide", ((786, 0, 2),)),
               ("still.gif", "picture 0 high", ((788, 0, 2),)), ("still.gif", "picture 16385 wide", ((786, 16385, 2),)),
               ("still.gif", "picture far right", ((782, 16380, 2),)), ("still.gif", "version 90a", ((3, 0x3039, 2),))]
    lines = []
    for k, (source, what, fields) in enumerate(changes):
        with open(os.path.join(OUT, source), "rb") as f:
            data = bytearray(f.read())
        for at, value, size in fields:
            data[at:at + size] = value.to_bytes(size, "little")
        name = f"refused{k}{os.path.splitext(source)[1]}"
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
        lines.append(f"{name} {source}: {what}")
    # A whole 1 x 1 PNG (a kind in the manifest) whose header claims no pixels or more
    # than the limits allow.
    chunk = lambda kind, body: struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    for width, height in ((100000, 100000), (16385, 1), (1, 16385), (16384, 16384), (0, 0), (0, 10),
                          (0x7FFFFFFF, 0x7FFFFFFF)):
        with open(os.path.join(OUT, f"claims_{width}x{height}.png"), "wb") as f, \
                open(os.path.join(OUT, "claims_1x1.png"), "rb") as whole:
            good = whole.read()
            f.write(good[:8] + chunk(b"IHDR", struct.pack(">II", width, height) + good[24:29]) + good[33:])
        lines.append(f"claims_{width}x{height}.png claims_1x1.png: a header claiming {width} x {height}")
    # JPEGs whose frame header claims no pixels, more than the limits allow, or more rows
    # than the data holds (found while fuzzing: shown with grey filler), and a whole
    # picture wider than the limit.
    for source in ("baseline.jpg", "progressive.jpg"):
        with open(os.path.join(OUT, source), "rb") as f:
            good = f.read()
        frame = next(i for i in range(2, len(good)) if good[i] == 0xFF and good[i + 1] in (0xC0, 0xC2))
        for width, height in ((21, 26), (16384, 4096), (65535, 65535), (16385, 8), (0, 13), (21, 0)):
            name = f"claims_{width}x{height}_{source}"
            with open(os.path.join(OUT, name), "wb") as f:
                f.write(good[:frame + 5] + struct.pack(">HH", height, width) + good[frame + 9:])
            lines.append(f"{name} {source}: a frame header claiming {width} x {height}")
    Image.new("L", (16385, 8)).save(os.path.join(OUT, "wide.jpg"))
    lines.append("wide.jpg 16385 x 8: wider than the limit")
    # Found while fuzzing: GIFs of 33 and 37 bytes claiming screens of 59 and 40 million
    # pixels, their first pictures cut short (Pillow refuses them too).
    for k, data in enumerate((b"GIF87a\x10\x18T%:I7,RG:\r\x1a\n\0\5\4\3\0\0\0r__K\x10\0",
                              b"GIF89a\5\x10\0\0\0\x108,\7\7\2\0\7\7\7&\7\7\7\7\7\7\7o\7\x8e\0\0\x8e\xda\x8e")):
        with open(os.path.join(OUT, f"huge_screen{k}.gif"), "wb") as f:
            f.write(data)
        lines.append(f"huge_screen{k}.gif fuzzing: a screen of millions of pixels, its picture cut short")
    with open(os.path.join(OUT, "refused.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")


make_bmps()
make_gifs()
make_pngs_and_jpegs()
make_refused()
with open(os.path.join(OUT, "manifest.txt"), "w") as f:
    f.write("\n".join(MANIFEST) + "\n")
