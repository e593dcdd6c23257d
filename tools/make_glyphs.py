#!/usr/bin/env python3
"""Draws the program's glyph bitmaps (16-colour BMPs, bottom-left pixel is the
transparent colour) and the application icon into resources/."""
import os
import struct
import sys

# The standard 16 colours; '.' (olive) is the transparent key of every glyph.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
KEYS = {'k': 0, 'm': 1, 'g': 2, '.': 3, 'n': 4, 'p': 5, 't': 6, 's': 7, 'd': 8,
        'r': 9, 'l': 10, 'y': 11, 'b': 12, 'f': 13, 'c': 14, 'w': 15}

GLYPHS = {
    'FLOPPY': """
................
..kkkkkkkkkkkk..
..ksswwwwwwssk..
..ksswwwwwwssk..
..kssssssssssk..
..kssddddddssk..
..kssdkkddsssk..
..kssdkkddsssk..
..kssddddddssk..
..kkkkkkkkkkkk..
................""",
    'HARD': """
................
................
..dddddddddddd..
.dwwwwwwwwwwwwd.
.dssssssssssssk.
.dsssssssslsgsk.
.dssssssssssssk.
.kkkkkkkkkkkkkk.
................
................
................""",
    'NETWORK': """
................
..dddddddddddd..
.dwwwwwwwwwwwwd.
.dsssssssslsgsk.
.kkkkkkkkkkkkkk.
.......kk.......
.......kk.......
..kkkkkkkkkkkk..
..k..........k..
................
................""",
    'CDROM': """
................
..dddddddddddd..
.dwwwwwwwwwwwwd.
.dsssscccssssdk.
.dssscwwwcsssdk.
.dssscwkwcsslsk.
.dssscwwwcssssk.
.dsssscccsssssk.
.kkkkkkkkkkkkkk.
................
................""",
    'RAM': """
................
................
.gggggggggggggg.
.gyygyygyygyygk.
.gyygyygyygyygk.
.gggggggggggggk.
.kykykykykykykk.
................
................
................
................""",
    'OPENFOLDER': """
................
................
..dddd..........
.dyyyyd.........
.dyyyyyddddddd..
.dyyyyyyyyyyyd..
.dyykkkkkkkkkkkk
.dyykwwwwwwwwwyk
.dykwyyyyyyyyykk
.dykwyyyyyyyyyk.
.dkwyyyyyyyyykk.
.dkwyyyyyyyyyk..
.kkkkkkkkkkkkk..
................
................""",
    'CURRENTFOLDER': """
................
................
..dddd..........
.dyyyyd.........
.dyyyyyddddddd..
.dyyyyyyyyyyyd..
.dyykkkkkkkkkkkk
.dyykwwwwwwwwwyk
.dykwyyyrryyyykk
.dykwyyrrrryyyk.
.dkwyyyyrryyykk.
.dkwyyyyyyyyyk..
.kkkkkkkkkkkkk..
................
................""",
    'CLOSEDFOLDER': """
................
................
..dddd..........
.dyyyyd.........
.dwwwwwddddddd..
.dwyyyyyyyyyyd..
.dwyyyyyyyyyyd..
.dwyyyyyyyyyyd..
.dwyyyyyyyyyyd..
.dwyyyyyyyyyyd..
.dwyyyyyyyyyyd..
.dyyyyyyyyyyyd..
.kkkkkkkkkkkkk..
................
................""",
    'EXECUTABLE': """
................
.kkkkkkkkkkkkkk.
.knnnnnnnnnnnnk.
.knnnnnnnnnwnwk.
.kkkkkkkkkkkkkk.
.kwwwwwwwwwwwwk.
.kwsssssssssswk.
.kwsnnnnsssssdk.
.kwsnnnnsssssdk.
.kwssssssssssdk.
.kwssssssssssdk.
.kwddddddddddwk.
.kkkkkkkkkkkkkk.
................
................""",
    'UNKNOWNFILE': """
................
...kkkkkkkk.....
...kwwwwwwkk....
...kwwwwwwkwk...
...kwwwwwwkkkk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kkkkkkkkkkk..
................
................""",
    'KNOWNFILE': """
................
...kkkkkkkk.....
...kwwwwwwkk....
...kwbbbbwkwk...
...kwwwwwwkkkk..
...kwbbbbbbbwk..
...kwwwwwwwwwk..
...kwbbbbbbbwk..
...kwwwwwwwwwk..
...kwbbbbbbbwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kkkkkkkkkkk..
................
................""",
    'NEWFOLDER': """
................
..........y.....
...dddd..yyy....
..dyyyyd..y.....
..dwwwwwdddddd..
..dwyyyyyyyyyd..
..dwyyyyyyyyyd..
..dwyyyyyyyyyd..
..dwyyyyyyyyyd..
..dwyyyyyyyyyd..
..dwyyyyyyyyyd..
..dyyyyyyyyyyd..
..kkkkkkkkkkkk..
................
................
................""",
    'PROPERTIES': """
................
..kkkkkkkkkkkk..
..kwwwwwwwwwwk..
..kwnnnnnnnnwk..
..kwwwwwwwwwwk..
..kwnnnwnnnnwk..
..kwwwwwwwwwwk..
..kwnnwnnnnnwk..
..kwwwwwwwwwwk..
..kwnnnnwnnnwk..
..kwwwwwwwwwwk..
..kwnnwnnnwwwk..
..kwwwwwwwwwwk..
..kkkkkkkkkkkk..
................
................""",
    'RENAME': """
..................
..................
.kkkkkkkkkkkkkkkk.
.kwwwwwwwwwwwwwwk.
.kwbbbbbbbbwkwwwk.
.kwbwwwwwwwwkwwwk.
.kwbbbbbbbbwkwwwk.
.kwbwwwwwwwwkwwwk.
.kwbbbbbbbbwkwwwk.
.kwwwwwwwwwwwwwwk.
.kkkkkkkkkkkkkkkk.
..........kkk.....
..................
..................
..................
..................""",
    'DELETE': """
................
................
..rr........rr..
..rrr......rrr..
...rrr....rrr...
....rrr..rrr....
.....rrrrrr.....
......rrrr......
.....rrrrrr.....
....rrr..rrr....
...rrr....rrr...
..rrr......rrr..
..rr........rr..
................
................""",
    'SAVE': """
................
.kkkkkkkkkkkkkk.
.knnwwwwwwwwnnk.
.knnwwwwwwwwnnk.
.knnwwwwwwwwnnk.
.knnwwwwwwwwnnk.
.knnnnnnnnnnnnk.
.knnnnnnnnnnnnk.
.knnsssssssnnnk.
.knnsnnssssnnnk.
.knnsnnssssnnnk.
.knnsnnssssnnnk.
..kkkkkkkkkkkkk.
................
................
................""",
    'PRINT': """
................
....kkkkkkkk....
....kwwwwwwk....
....kwkkkkwk....
....kwwwwwwk....
..kkkkkkkkkkkk..
.ksssssssssssssk
.kssssssssssglsk
.ksssssssssssssk
.kkkkkkkkkkkkkkk
..kwwwwwwwwwwk..
..kwkkkkkkkwk...
..kwwwwwwwwwk...
..kkkkkkkkkkk...
................
................""",
    'COPY': """
................
.kkkkkkk........
.kwwwwwkk.......
.kwkkkwkwk......
.kwwwwkkkkkkk...
.kwkkkkwwwwwkk..
.kwwwwkwkkkwkwk.
.kwkkkkwwwwwkkkk
.kwwwwkwkkkkkwwk
.kkkkkkwwwwwwwwk
......kwkkkkkkwk
......kwwwwwwwwk
......kwkkkkkkwk
......kwwwwwwwwk
......kkkkkkkkkk
................""",
}


def bmp4(rows):
    h = len(rows)
    w = len(rows[0])
    stride = ((w * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for x in range(0, w, 2):
            a = KEYS[row[x]]
            b = KEYS[row[x + 1]] if x + 1 < w else 0
            line.append((a << 4) | b)
        line += b'\0' * (stride - len(line))
        pixels += line
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    offset = 14 + len(info) + len(table)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return head + info + table + bytes(pixels)


def bmp24(rows):
    h = len(rows)
    w = len(rows[0])
    stride = ((w * 24 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for ch in row:
            r, g, b = PALETTE[KEYS[ch]]
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        pixels += line
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    return head + info + bytes(pixels)


OPEN = """
..................
.dddd.............
dyyyyd............
dyyyyyddddddd.....
dyyyyyyyyyyyd.....
dyykkkkkkkkkkkkk..
dyykwwwwwwwwwwyk..
dykwyyyyyyyyyykk..
dykwyyyyyyyyyyk...
dkwyyyyyyyyyykk...
dkwyyyyyyyyyyk....
kkkkkkkkkkkkkk....
..................
..................
.................."""


def icon():
    """A 32 x 32 and a 16 x 16 image: a framed landscape."""
    def image(size):
        rows = []
        for y in range(size):
            row = []
            for x in range(size):
                edge = x in (0, size - 1) or y in (0, size - 1)
                if edge:
                    c = (40, 40, 40)
                elif y > size * 0.65:
                    c = (40, 150, 60)
                elif (x - size * 0.7) ** 2 + (y - size * 0.3) ** 2 < (size * 0.15) ** 2:
                    c = (250, 210, 40)
                else:
                    c = (110, 170, 235)
                row.append(c)
            rows.append(row)
        xor = bytearray()
        for row in reversed(rows):
            for r, g, b in row:
                xor += bytes((b, g, r, 255))
        and_stride = ((size + 31) // 32) * 4
        mask = b'\0' * (and_stride * size)
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        return header + bytes(xor) + mask
    images = [image(32), image(16)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b''
    for size, data in zip((32, 16), images):
        entries += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + entries + b''.join(images)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'resources')
    for name, art in GLYPHS.items():
        rows = [r for r in art.strip('\n').split('\n')]
        assert len({len(r) for r in rows}) == 1, name
        with open(os.path.join(out, name.lower() + '.bmp'), 'wb') as f:
            f.write(bmp4(rows))
    rows = OPEN.strip('\n').split('\n')
    with open(os.path.join(out, 'open.bmp'), 'wb') as f:
        f.write(bmp24(rows))
    with open(os.path.join(out, 'lumeno.ico'), 'wb') as f:
        f.write(icon())


if __name__ == '__main__':
    main()
