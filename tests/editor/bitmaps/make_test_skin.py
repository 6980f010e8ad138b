#!/usr/bin/env python3
"""Writes the editor tests' skin: bitmaps 101..128 with the sizes of the real skin, made of flat
colours the tests can tell apart (the knob's, switch's and marker's images each their own
colour). 8-bit palettised BMP files, bottom-up rows. Run it here; the files are committed."""
import struct

WHITE = (255, 255, 255)


def write_bmp(path, width, height, pixel):
    rows = [[pixel(x, y) for x in range(width)] for y in range(height)]
    palette = sorted({colour for row in rows for colour in row})
    assert len(palette) <= 256
    index = {colour: i for i, colour in enumerate(palette)}
    stride = (width + 3) // 4 * 4
    data = bytearray()
    for row in reversed(rows):
        line = bytes(index[colour] for colour in row)
        data += line + bytes(stride - width)
    palette_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(palette_bytes)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(data), 2835, 2835, len(palette), 0)
    with open(path, "wb") as out:
        out.write(header + info + palette_bytes + data)


def flat(colour):
    return lambda x, y: colour


def strip(image_height, colour_of_image):
    return lambda x, y: colour_of_image(y // image_height)


def marker_strip(x, y):
    # Image k is (15 + k) square and starts at 15k + k(k - 1)/2; its outer ring is the white key.
    k = 0
    while 15 * (k + 1) + (k + 1) * k // 2 <= y:
        k += 1
    top = 15 * k + k * (k - 1) // 2
    size = 15 + k
    inside = 0 < x < size - 1 and 0 < y - top < size - 1
    return (10 * k, 200, 100) if inside else WHITE


def handle(x, y):
    return WHITE if x == 0 else (250, 250, 0)  # its left column is keyed


BITMAPS = {
    101: (454, 269, flat((40, 40, 40))),
    102: (191, 191, flat((0, 0, 128))),
    103: (191, 191, flat((255, 128, 0))),
    104: (15, 15, lambda x, y: (2 * ((x + y) % 102), 0, 0)),
    105: (21, 142, flat((30, 30, 60))),
    106: (21, 142, flat((30, 60, 30))),
    107: (21, 142, flat((60, 30, 30))),
    108: (18, 16, handle),
    109: (23, 70, strip(35, lambda k: (100 + 100 * k, 0, 0))),
    110: (25, 120, strip(40, lambda k: (0, 50 + 100 * k, 0))),
    111: (28, 868, strip(28, lambda k: (8 * k, 0, 200))),
    112: (65, 21, flat((230, 230, 230))),
    113: (65, 21, flat((200, 200, 255))),
    128: (31, 391, marker_strip),
}
for i, (w, h) in zip(range(114, 121), [(25, 12), (19, 12), (19, 12), (19, 12), (28, 12), (28, 12), (28, 12)]):
    BITMAPS[i] = (w, h, flat((220, 220, 220)))
    BITMAPS[i + 7] = (w, h, flat((255, 207, 99)))

for resource, (width, height, pixel) in sorted(BITMAPS.items()):
    write_bmp(f"{resource}.bmp", width, height, pixel)
