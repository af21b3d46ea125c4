#!/usr/bin/env python3
"""Draws the helper's icons and writes ostik.ico and small.ico beside this script.

The picture is a small monitor with a pulse across its screen, drawn per pixel so that every
size comes from the same few shapes. Run it again after changing the drawing and commit the
.ico files with it; the build uses the committed files."""

import os
import struct

# The standard 16-colour palette, as (r, g, b).
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
PALETTE2 = [(0, 0, 0), (255, 255, 255)]

BLACK, DARK_GREY, LIGHT_GREY, NAVY, YELLOW, WHITE = 0, 8, 7, 4, 11, 15
CLEAR = None


def monitor(w, h):
    """Returns rows of palette indices (None where the icon is transparent), top row first."""
    screen_bottom = (h * 3) // 4 - 1
    pixels = [[CLEAR] * w for _ in range(h)]
    # Cabinet with a dark outline.
    for y in range(0, screen_bottom + 1):
        for x in range(w):
            edge = x in (0, w - 1) or y in (0, screen_bottom)
            pixels[y][x] = BLACK if edge else LIGHT_GREY
    # Screen inset by two pixels (one on tiny heights).
    inset = 2 if h >= 16 else 1
    for y in range(inset, screen_bottom + 1 - inset):
        for x in range(inset, w - inset):
            pixels[y][x] = NAVY
    # Pulse: flat, one spike up and down, flat again.
    mid = (inset + screen_bottom - inset) // 2
    amp = max(1, (screen_bottom - 2 * inset) // 3)
    last = mid
    for x in range(inset + 1, w - inset - 1):
        t = (x - inset) / (w - 2 * inset)
        if 0.40 <= t < 0.50:
            y = mid - amp
        elif 0.50 <= t < 0.60:
            y = mid + amp
        else:
            y = mid
        for yy in range(min(y, last), max(y, last) + 1):  # joined by vertical strokes
            pixels[yy][x] = YELLOW
        last = y
    # Neck and foot.
    neck = w // 8
    for y in range(screen_bottom + 1, h):
        half = neck if y < h - 2 else w // 3
        for x in range(w // 2 - half, w // 2 + half):
            pixels[y][x] = DARK_GREY if y < h - 1 else BLACK
    return pixels


def to_mono(index):
    """Maps a colour to black (0) or white (1) for the monochrome images."""
    if index is CLEAR:
        return 0
    r, g, b = PALETTE16[index]
    return 1 if (r + g + b) > 3 * 140 else 0


def row_bytes(bits_per_row):
    return ((bits_per_row + 31) // 32) * 4


def pack_row(values, bpp):
    out = bytearray(row_bytes(len(values) * bpp))
    for x, v in enumerate(values):
        bit = x * bpp
        out[bit // 8] |= v << (8 - bpp - bit % 8)
    return bytes(out)


def image(w, h, bpp):
    """One icon image: the DIB header (height doubled for the mask), palette, colours, mask."""
    pixels = monitor(w, h)
    palette = PALETTE16 if bpp == 4 else PALETTE2
    xor = b""
    mask = b""
    for row in reversed(pixels):  # DIBs are stored bottom-up
        colours = [(v or 0) if bpp == 4 else to_mono(v) for v in row]
        xor += pack_row(colours, bpp)
        mask += pack_row([1 if v is CLEAR else 0 for v in row], 1)
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bpp, 0, len(xor) + len(mask), 0, 0, 0, 0)
    quads = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    return header + quads + xor + mask, len(palette)


def write_ico(path, sizes):
    images = [(w, h, bpp) + image(w, h, bpp) for (w, h, bpp) in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for w, h, bpp, data, colours in images:
        out += struct.pack("<BBBBHHII", w, h, colours, 0, 1, bpp, len(data), offset)
        offset += len(data)
    out += b"".join(data for (_, _, _, data, _) in images)
    with open(path, "wb") as f:
        f.write(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_ico(os.path.join(here, "ostik.ico"), [(32, 32, 4), (32, 32, 1), (32, 16, 1), (16, 16, 4)])
    write_ico(os.path.join(here, "small.ico"), [(16, 16, 4)])


if __name__ == "__main__":
    main()
