#!/usr/bin/env python3
"""Writes lumetto.ico: a 16-colour eighth note on a round teal badge, 32x32 and 16x16.

Run it by hand after changing the drawing; the .ico is kept in the repository.
"""
import struct
import sys

# The standard 16-colour palette (blue, green, red, reserved).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, TEAL, WHITE, DARK_TEAL = 0, 6, 15, 8  # indexes into PALETTE (r, g, b order above)
TEAL = PALETTE.index((0, 128, 128))
WHITE = PALETTE.index((255, 255, 255))
DARK = PALETTE.index((0, 0, 128))


def draw(size):
    """Returns rows (top first) of palette indexes, None for transparent."""
    s = size / 32.0
    img = [[None] * size for _ in range(size)]
    c = (size - 1) / 2.0
    for y in range(size):
        for x in range(size):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            if d <= size / 2.0 - 0.2:
                img[y][x] = DARK if d > size / 2.0 - 1.6 * s - 0.4 else TEAL

    def disc(cx, cy, rx, ry):
        for y in range(size):
            for x in range(size):
                if ((x + 0.5 - cx * s) / (rx * s)) ** 2 + ((y + 0.5 - cy * s) / (ry * s)) ** 2 <= 1.0:
                    img[y][x] = WHITE

    def rect(x0, y0, x1, y1):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                img[y][x] = WHITE

    disc(12.5, 22.0, 5.0, 3.8)      # note head
    rect(16, 6, 18.5, 22)           # stem
    rect(16, 6, 24, 8.5)            # flag
    rect(21.5, 6, 24, 13)
    return img


def bitmap(size):
    img = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    pal = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor_rows, and_rows = [], []
    for row in reversed(img):  # bottom-up
        nib = [0 if p is None else p for p in row]
        data = bytes((nib[i] << 4) | nib[i + 1] for i in range(0, size, 2))
        xor_rows.append(data + b'\0' * ((-len(data)) % 4))
        bits = 0
        mask = bytearray()
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p is None else 0)
            if i % 8 == 7:
                mask.append(bits)
                bits = 0
        and_rows.append(bytes(mask) + b'\0' * ((-len(mask)) % 4))
    return header + pal + b''.join(xor_rows) + b''.join(and_rows)


def main(path):
    images = [(32, bitmap(32)), (16, bitmap(16))]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'lumetto.ico')
