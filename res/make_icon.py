#!/usr/bin/env python3
"""Draws the program's icon: a folder with an arrow dropping into it, at 32x32 and 16x16 in
256 colours, and writes Quillmarten.ico beside this script."""
import os
import struct

PALETTE = [
    (0, 0, 0),        # 0 transparent (masked)
    (40, 40, 40),     # 1 outline
    (250, 204, 72),   # 2 folder front
    (222, 164, 40),   # 3 folder back / shade
    (40, 110, 220),   # 4 arrow
    (255, 255, 255),  # 5 highlight
]


def draw(size):
    s = size / 32.0
    px = [[0] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, color):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = color

    rect(2, 12, 14, 15, 3)    # tab of the folder
    rect(2, 14, 30, 30, 3)    # back
    rect(2, 17, 30, 30, 2)    # front
    rect(2, 29, 30, 30, 1)    # bottom edge
    rect(2, 14, 3, 30, 1)     # left edge
    rect(29, 14, 30, 30, 1)   # right edge
    rect(3, 18, 29, 19, 5)    # highlight on the front
    rect(13, 1, 19, 12, 4)    # arrow shaft
    for row in range(7):      # arrow head, narrowing downwards
        rect(9 + row, 11 + row, 23 - row, 12 + row, 4)
    return px


def image(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    palette += b'\0' * (4 * (256 - len(PALETTE)))
    xor = b''
    for y in reversed(range(size)):
        row = bytes(px[y])
        xor += row + b'\0' * ((4 - len(row) % 4) % 4)
    and_mask = b''
    row_bytes = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        bits = bytearray(row_bytes)
        for x in range(size):
            if px[y][x] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bytes(bits)
    return header + palette + xor + and_mask


def main():
    sizes = [32, 16]
    images = [image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'Quillmarten.ico'), 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
