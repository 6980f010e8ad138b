#!/usr/bin/env python3
"""Writes the controls' test bitmaps (24-bit BMP) in the editor's sizes; run from this folder."""
import struct


def write_bmp(name, width, height, pixel):
    row_size = (width * 3 + 3) & ~3
    rows = b""
    for y in reversed(range(height)):  # bottom-up
        row = b"".join(bytes((b, g, r)) for r, g, b in (pixel(x, y) for x in range(width)))
        rows += row + b"\0" * (row_size - width * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(name, "wb") as file:
        file.write(header + info + rows)


# On/off strips of 23 x 35 images: off above on.
write_bmp("button.bmp", 23, 70, lambda x, y: (200, 0, 0) if y < 35 else (0, 200, 0))
write_bmp("button_lit.bmp", 23, 70, lambda x, y: (0, 0, 200) if y < 35 else (200, 200, 0))
# A slider track of 21 x 142 whose pixel (x, y) is (8x, y, 60), and an 18 x 16 yellow handle with
# white (keyed) corners.
write_bmp("track.bmp", 21, 142, lambda x, y: (8 * x, y, 60))
corner = lambda x, y: (x < 2 or x > 15) and (y < 2 or y > 13)
write_bmp("handle.bmp", 18, 16, lambda x, y: (255, 255, 255) if corner(x, y) else (250, 250, 0))
# The option menu's pressed image, 65 x 21.
write_bmp("pressed.bmp", 65, 21, lambda x, y: (90, 0, 90))
