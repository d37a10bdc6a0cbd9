#!/usr/bin/env python3
"""Draws the program's icon, the icon of its ".qd" data files and its nine toolbar images, and
writes them as landou.ico, Vuve3.ico and toolbar.bmp (a strip of 16 x 16 images on magenta, the
transparent colour).

usage: make_images.py OUTPUT_FOLDER
"""
import math
import struct
import sys
from pathlib import Path

PALETTE = {
    '.': None,               # transparent
    'k': (48, 48, 48),       # outline
    'b': (45, 108, 223),     # blue
    'B': (138, 180, 248),    # light blue
    'g': (46, 158, 68),      # green
    'G': (129, 201, 149),    # light green
    'r': (217, 48, 37),      # red
    'R': (242, 139, 130),    # light red
    'y': (242, 182, 0),      # yellow
    'Y': (253, 226, 147),    # light yellow
    'o': (232, 113, 10),     # orange
    'n': (139, 90, 43),      # brown
    's': (128, 134, 139),    # grey
    'S': (218, 220, 224),    # light grey
    'w': (255, 255, 255),    # white
}

# In toolbar order: add, delete, modify, clear, import, export, help, author, site.
TOOLBAR = [
    # add: a green disc with a white plus
    """
    .....kkkkkk.....
    ...kkggggggkk...
    ..kggggggggggk..
    .kgggggwwgggggk.
    .kgggggwwgggggk.
    kggggggwwggggggk
    kgggwwwwwwwwgggk
    kgggwwwwwwwwgggk
    kggggggwwggggggk
    kggggggwwggggggk
    .kgggggwwgggggk.
    .kGggggggggggGk.
    ..kGggggggggGk..
    ...kkGGGGGGkk...
    .....kkkkkk.....
    ................
    """,
    # delete: a red cross
    """
    ................
    .kk.........kk..
    kRrk.......kRrk.
    krrrk.....krrrk.
    .krrrk...krrrk..
    ..krrrk.krrrk...
    ...krrrkrrrk....
    ....krrrrrk.....
    ....krrrrrk.....
    ...krrrkrrrk....
    ..krrrk.krrrk...
    .krrrk...krrrk..
    krrrk.....krrrk.
    krrk.......krrk.
    .kk.........kk..
    ................
    """,
    # modify: a pencil
    """
    ............kk..
    ...........kRRk.
    ..........kRRRRk
    .........kkRRRk.
    ........kYykkk..
    .......kYyyyk...
    ......kYyyyk....
    .....kYyyyk.....
    ....kYyyyk......
    ...kYyyyk.......
    ..kSyyyk........
    ..kSSyk.........
    .kSSSk..........
    .kkkk...........
    kk..............
    ................
    """,
    # clear: a waste bin
    """
    ......kkkk......
    .....k....k.....
    .kkkkkkkkkkkkkk.
    .kSSSSSSSSSSSSk.
    .kkkkkkkkkkkkkk.
    ..kSsSsSsSsSSk..
    ..kSsSsSsSsSSk..
    ..kSsSsSsSsSSk..
    ..kSsSsSsSsSSk..
    ..kSsSsSsSsSSk..
    ..kSsSsSsSsSSk..
    ..kSsSsSsSsSSk..
    ..kSsSsSsSsSSk..
    ..kSSSSSSSSSSk..
    ...kkkkkkkkkk...
    ................
    """,
    # import: an arrow down into a tray
    """
    ......kkkk......
    ......kggk......
    ......kggk......
    ......kggk......
    ......kggk......
    ...kkkkggkkkk...
    ...kgggggggGk...
    ....kgggggGk....
    .....kgggGk.....
    ......kgGk......
    kkkk...kk...kkkk
    kYYk........kYYk
    kYYkkkkkkkkkkYYk
    kYYYYYYYYYYYYYYk
    kyyyyyyyyyyyyyyk
    kkkkkkkkkkkkkkkk
    """,
    # export: an arrow up out of a tray
    """
    .......kk.......
    ......kbBk......
    .....kbbbBk.....
    ....kbbbbbBk....
    ...kbbbbbbbBk...
    ...kkkkbbkkkk...
    ......kbbk......
    ......kbbk......
    ......kbbk......
    ......kbbk......
    kkkk..kkkk..kkkk
    kYYk........kYYk
    kYYkkkkkkkkkkYYk
    kYYYYYYYYYYYYYYk
    kyyyyyyyyyyyyyyk
    kkkkkkkkkkkkkkkk
    """,
    # help: a blue disc with a white question mark
    """
    .....kkkkkk.....
    ...kkbbbbbbkk...
    ..kbbbwwwwbbbk..
    .kbbbwwbbwwbbbk.
    .kbbbwwbbwwbbbk.
    kbbbbbbbbwwbbbbk
    kbbbbbbbwwbbbbbk
    kbbbbbbwwbbbbbbk
    kbbbbbbwwbbbbbbk
    kbbbbbbbbbbbbbbk
    .kbbbbbwwbbbbbk.
    .kBbbbbwwbbbbBk.
    ..kBbbbbbbbbBk..
    ...kkBBBBBBkk...
    .....kkkkkk.....
    ................
    """,
    # author: a person
    """
    ................
    ......kkkk......
    .....kYYYYk.....
    ....kYYYYYYk....
    ....kYkYYkYk....
    ....kYYYYYYk....
    ....kYYkkYYk....
    .....kYYYYk.....
    ......kkkk......
    ....kkbbbbkk....
    ..kkbbbbbbbbkk..
    .kbbbbbbbbbbbbk.
    .kbbbbbbbbbbbbk.
    kbbbbbbbbbbbbbbk
    kBBBBBBBBBBBBBBk
    kkkkkkkkkkkkkkkk
    """,
    # site: a globe
    """
    .....kkkkkk.....
    ...kkbBbbBbkk...
    ..kbbgbbbbgbbk..
    .kbgggbbbbggbbk.
    .kbgggggbbbggbk.
    kbbggggbbbbgbbbk
    kbbbgggbbbbbbbbk
    kbbbbggbbbbggbbk
    kbbbbbgbbbgggbbk
    kbbbbbbbbggggbbk
    .kbbbbbbbgggbbk.
    .kbbbbbbbbggbbk.
    ..kbbbbbbbbbbk..
    ...kkbbbbbbkk...
    .....kkkkkk.....
    ................
    """,
]

MAGENTA = (255, 0, 255)


def parse(art):
    rows = [line.strip() for line in art.strip().splitlines()]
    assert len(rows) == 16 and all(len(r) == 16 for r in rows), art
    return [[PALETTE[ch] for ch in row] for row in rows]


def bmp(width, height, pixel):
    """A 24-bit bottom-up BMP file; pixel(x, y) gives (r, g, b)."""
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        data += row + bytes(stride - len(row))
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def bean(size):
    """The program's icon: a blue bean with a highlight, anti-aliased; RGBA rows, top first."""
    samples = 4
    image = []
    for y in range(size):
        row = []
        for x in range(size):
            inside = edge = shine = 0
            for sy in range(samples):
                for sx in range(samples):
                    u = (x + (sx + 0.5) / samples) / size * 2 - 1
                    v = (y + (sy + 0.5) / samples) / size * 2 - 1
                    # A kidney shape: an ellipse with a bite taken from one side.
                    a, b = math.cos(-0.6), math.sin(-0.6)
                    p, q = u * a - v * b, u * b + v * a
                    body = (p / 0.92) ** 2 + (q / 0.62) ** 2 <= 1
                    bite = (p / 0.34) ** 2 + ((q - 0.78) / 0.32) ** 2 <= 1
                    if body and not bite:
                        inside += 1
                        rim = (p / 0.80) ** 2 + (q / 0.50) ** 2 > 1 or (p / 0.46) ** 2 + ((q - 0.78) / 0.44) ** 2 <= 1
                        edge += rim
                        shine += (p + 0.35) ** 2 / 0.12 + (q + 0.22) ** 2 / 0.02 <= 1
            n = samples * samples
            alpha = inside / n
            if inside:
                mix = [c for c in (31, 90, 200)]
                light = shine / inside
                dark = edge / inside
                colour = [round(m * (1 - dark) + d * dark) for m, d in zip(mix, (16, 48, 128))]
                colour = [round(c * (1 - light) + 255 * light) for c in colour]
            else:
                colour = [0, 0, 0]
            row.append((*colour, round(alpha * 255)))
        image.append(row)
    return image


def document(size):
    """The data files' icon: a white page with a folded corner and the bean in front of it."""
    samples = 4
    fold = 0.28
    image = []
    for y in range(size):
        row = []
        for x in range(size):
            paper = line = corner = 0
            for sy in range(samples):
                for sx in range(samples):
                    u = (x + (sx + 0.5) / samples) / size
                    v = (y + (sy + 0.5) / samples) / size
                    if not (0.14 <= u <= 0.86 and 0.04 <= v <= 0.96) or u - 0.86 + fold > v - 0.04:
                        continue  # outside the page, or cut off by its folded corner
                    border = u < 0.19 or u > 0.81 or v < 0.09 or v > 0.91 or abs((u - 0.86 + fold) - (v - 0.04)) < 0.05
                    paper += 1
                    line += border
                    corner += u > 0.86 - fold and v < 0.04 + fold and (u - 0.86 + fold) > (v - 0.04) - 0.06
            n = samples * samples
            if paper:
                grey = round(255 - 127 * line / paper - 40 * corner / paper)
                row.append((grey, grey, grey, round(255 * paper / n)))
            else:
                row.append((0, 0, 0, 0))
        image.append(row)
    # The bean, three fifths the size, over the lower right of the page.
    small = bean(max(1, round(size * 0.6)))
    offset = size - len(small)
    for y, bean_row in enumerate(small):
        for x, (r, g, b, a) in enumerate(bean_row):
            if a:
                pr, pg, pb, pa = image[offset + y][offset + x]
                t = a / 255
                image[offset + y][offset + x] = (round(r * t + pr * (1 - t)), round(g * t + pg * (1 - t)),
                                                 round(b * t + pb * (1 - t)), max(a, pa))
    return image


def ico(sizes, draw):
    """An .ico file with 32-bit images of the given sizes."""
    entries, blobs = [], []
    offset = 6 + 16 * len(sizes)
    for size in sizes:
        image = draw(size)
        pixels = bytearray()
        for row in reversed(image):
            for r, g, b, a in row:
                pixels += bytes((b, g, r, a))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytes(mask_stride * size)  # the alpha channel decides
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
        blob = header + bytes(pixels) + mask
        entries.append(struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack('<HHH', 0, 1, len(sizes)) + b''.join(entries) + b''.join(blobs)


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    images = [parse(art) for art in TOOLBAR]
    strip = bmp(16 * len(images), 16, lambda x, y: images[x // 16][y][x % 16] or MAGENTA)
    (out / 'toolbar.bmp').write_bytes(strip)
    (out / 'landou.ico').write_bytes(ico([16, 24, 32, 48, 64], bean))
    (out / 'Vuve3.ico').write_bytes(ico([16, 24, 32, 48, 64], document))


if __name__ == '__main__':
    main()
