#!/usr/bin/env python3
"""Draws the Canopex application icon: a green conifer on a pale disc.

Writes resources/canopex.ico (next to this script) with nine BMP-format
images, 48, 32 and 16 pixels square at 24, 8 and 4 bits per pixel, the
transparent corners given by the AND mask. With --png it writes one RGBA
PNG of the same drawing instead, for packaging that wants a PNG.

    python3 resources/make_icon.py
    python3 resources/make_icon.py --png 256 canopex-256.png

Only the standard library is used, and the output is the same bytes on
every run, so the checked-in icon can be regenerated and compared.
"""
import argparse
import os
import struct
import zlib

DISC = (238, 244, 228)
RING = (34, 94, 52)
LIGHT = (60, 160, 50)    # the lit half; low in blue so 16 colours make it green, not teal
DARK = (30, 118, 48)
TRUNK = (108, 62, 30)    # nearest 16-colour entry is maroon, which reads as brown
COLOURS = [DISC, RING, LIGHT, DARK, TRUNK]

# Tiers of the tree: apex y, base y, half the base width (unit square, y down).
# Bases and the trunk sit on sixteenths so that they stay crisp at 16 px.
TIERS = [(0.09, 0.375, 0.18), (0.22, 0.5625, 0.26), (0.37, 0.75, 0.34)]
RADIUS = 0.5

# The standard 16-colour Windows palette, in its usual order.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
       (128, 0, 128), (0, 128, 128), (192, 192, 192), (128, 128, 128),
       (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
       (0, 255, 255), (255, 255, 255)]


def shape_at(x, y, ring_width):
    """Index into COLOURS of the topmost shape at (x, y), or None."""
    for apex, base, half in TIERS:
        if apex <= y <= base and abs(x - 0.5) <= half * (y - apex) / (base - apex):
            return 2 if x < 0.5 else 3
    if 0.4375 <= x <= 0.5625 and 0.75 <= y <= 0.875:
        return 4
    r = ((x - 0.5) ** 2 + (y - 0.5) ** 2) ** 0.5
    if r <= RADIUS:
        return 1 if r >= RADIUS - ring_width else 0
    return None


def render(size):
    """Per pixel: (rgba averaged over the samples, colour index of most samples)."""
    ss = min(8, max(2, 512 // size))
    # The ring stays at least a pixel wide so that it survives at 16 px.
    ring_width = max(0.045, 1.0 / size)
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            counts = [0] * (len(COLOURS) + 1)
            for sy in range(ss):
                for sx in range(ss):
                    hit = shape_at((px + (sx + 0.5) / ss) / size,
                                   (py + (sy + 0.5) / ss) / size, ring_width)
                    counts[len(COLOURS) if hit is None else hit] += 1
            covered = ss * ss - counts[-1]
            rgba = (0, 0, 0, 0)
            if covered:
                rgba = tuple(round(sum(COLOURS[i][c] * counts[i] for i in range(len(COLOURS))) / covered)
                             for c in range(3)) + (round(255 * covered / (ss * ss)),)
            row.append((rgba, max(range(len(COLOURS)), key=lambda i: counts[i])))
        pixels.append(row)
    return pixels


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def ramp_palette():
    """The drawing's colours plus blends of each pair, which is what the edges hold.
    Black comes first: transparent pixels take index 0 and must be black."""
    palette = [(0, 0, 0)] + COLOURS
    for i in range(len(COLOURS)):
        for j in range(i + 1, len(COLOURS)):
            for step in range(1, 8):
                palette.append(tuple(round(a + (b - a) * step / 8)
                                     for a, b in zip(COLOURS[i], COLOURS[j])))
    return palette + [(0, 0, 0)] * (256 - len(palette))


def dib(size, bits):
    """One icon image: BITMAPINFOHEADER, palette, XOR bitmap, AND mask."""
    pixels = render(size)
    palette = {4: VGA, 8: ramp_palette(), 24: []}[bits]
    xor_rows, and_rows = [], []
    for row in reversed(pixels):  # DIBs are stored bottom-up
        opaque = [rgba[3] >= 128 for rgba, _ in row]
        if bits == 24:
            data = b"".join(bytes(rgba[2::-1]) if o else b"\0\0\0"
                            for (rgba, _), o in zip(row, opaque))
        else:
            # 4-bit takes the colour most samples hit, as blends map badly to 16 colours.
            indices = [0 if not o else nearest(COLOURS[major], palette) if bits == 4
                       else nearest(rgba[:3], palette)
                       for (rgba, major), o in zip(row, opaque)]
            if bits == 4:
                indices += [0] * (len(indices) % 2)
                data = bytes(a << 4 | b for a, b in zip(indices[::2], indices[1::2]))
            else:
                data = bytes(indices)
        xor_rows.append(data + b"\0" * (-len(data) % 4))
        mask = bytearray((size + 31) // 32 * 4)
        for x, o in enumerate(opaque):
            if not o:
                mask[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(mask))
    body = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(body), 0, 0, len(palette), 0)
    return header + b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + body


def write_ico(path):
    entries = [(size, bits) for size in (48, 32, 16) for bits in (24, 8, 4)]
    images = [dib(size, bits) for size, bits in entries]
    offset = 6 + 16 * len(entries)
    out = [struct.pack("<HHH", 0, 1, len(entries))]
    for (size, bits), image in zip(entries, images):
        out.append(struct.pack("<BBBBHHII", size, size, 16 if bits == 4 else 0, 0,
                               1, bits, len(image), offset))
        offset += len(image)
    with open(path, "wb") as f:
        f.write(b"".join(out + images))


def write_png(size, path):
    raw = b"".join(b"\0" + b"".join(bytes(rgba) for rgba, _ in row) for row in render(size))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data)))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n"
                + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description="Draws the Canopex icon.")
    parser.add_argument("--png", nargs=2, metavar=("SIZE", "OUTPUT"),
                        help="write an RGBA PNG of SIZE pixels instead of the .ico")
    args = parser.parse_args()
    if args.png:
        write_png(int(args.png[0]), args.png[1])
    else:
        write_ico(os.path.join(os.path.dirname(os.path.abspath(__file__)), "canopex.ico"))


if __name__ == "__main__":
    main()
