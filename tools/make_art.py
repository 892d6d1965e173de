#!/usr/bin/env python3
"""Draws RadixPad's default art: the icons of the converter window's buttons
and of the program (ICO files with 16 x 16 and 32 x 32 images), the default
skin image skin.png and the settings button's image icon.png.

Everything is drawn pixel by pixel from the window's layout, so the output is
the same on every run:

    python3 tools/make_art.py [OUTPUT_DIR]     (default: resources/)

Button icons are drawn by the window at 32 x 32 with their centre on the
centre of the button's content rectangle; only the middle of each icon is ever
seen (17 x 17 pixels for the large buttons, 11 x 10 for the small ones), so
every glyph is drawn inside that middle and the rest is transparent.
"""
import os
import struct
import sys
import zlib

# --- a tiny RGBA canvas -----------------------------------------------------

class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.px = [[fill for _ in range(width)] for _ in range(height)]

    def set(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = color if len(color) == 4 else (*color, 255)

    def rect(self, left, top, right, bottom, color):
        """Fills the pixels left <= x < right, top <= y < bottom."""
        for y in range(top, bottom):
            for x in range(left, right):
                self.set(x, y, color)

    def frame(self, left, top, right, bottom, color):
        self.rect(left, top, right, top + 1, color)
        self.rect(left, bottom - 1, right, bottom, color)
        self.rect(left, top, left + 1, bottom, color)
        self.rect(right - 1, top, right, bottom, color)

    def glyphs(self, x, y, text, font, color, gap=1):
        for ch in text:
            rows = font[ch]
            for dy, row in enumerate(rows):
                for dx, bit in enumerate(row):
                    if bit == '#':
                        self.set(x + dx, y + dy, color)
            x += len(rows[0]) + gap

    def crop(self, left, top, width, height):
        out = Canvas(width, height)
        for y in range(height):
            for x in range(width):
                out.px[y][x] = self.px[top + y][left + x]
        return out


def text_width(text, font, gap=1):
    return sum(len(font[ch][0]) for ch in text) + gap * (len(text) - 1)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))

# --- pixel fonts ------------------------------------------------------------

FONT5x7 = {
    '0': [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    '1': ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    '2': [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    '3': ["#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."],
    '6': ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."],
    '8': [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    'F': ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    'x': [".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"],
}
FONT3x5 = {
    'b': ["#..", "#..", "##.", "#.#", "##."],
    'i': [".#.", "...", ".#.", ".#.", ".#."],
    't': [".#.", "###", ".#.", ".#.", "..#"],
    '0': ["###", "#.#", "#.#", "#.#", "###"],
    '1': [".#.", "##.", ".#.", ".#.", "###"],
    'F': ["###", "#..", "##.", "#..", "#.."],
}

# --- colours ----------------------------------------------------------------

INK = (24, 40, 72)            # glyphs on the button faces
ACCENT = (32, 96, 192)        # the digits of the width buttons
RED = (200, 40, 40)
AMBER = (240, 176, 16)
WHITE = (255, 255, 255)
KEY = (255, 0, 255)           # colour key of the PNG images: never drawn

# --- button icons (32 x 32, glyph in the middle) -----------------------------

def plus_minus(c, cx, cy, half, color, with_minus):
    """A plus 2 pixels thick whose arms reach `half` pixels from (cx, cy); with
    a minus bar of the same width under it when `with_minus` (the pair is then
    centred on cy)."""
    if with_minus:
        cy -= 2
    c.rect(cx - half, cy - 1, cx + half, cy + 1, color)       # bar
    c.rect(cx - 1, cy - half, cx + 1, cy + half, color)       # stem
    if with_minus:
        c.rect(cx - half, cy + half + 1, cx + half, cy + half + 3, color)


def icon_signed(large):
    c = Canvas(32, 32)
    plus_minus(c, 16, 16, 5 if large else 4, INK, True)
    return c


def icon_unsigned(large):
    c = Canvas(32, 32)
    plus_minus(c, 16, 16, 5 if large else 4, INK, False)
    return c


def icon_width(digits):
    c = Canvas(32, 32)
    w = text_width(digits, FONT5x7)
    c.glyphs(16 - w // 2 - (0 if w % 2 else 0), 9, digits, FONT5x7, ACCENT)
    bw = text_width("bit", FONT3x5)
    c.glyphs(16 - bw // 2, 18, "bit", FONT3x5, INK)
    return c


def icon_lock(closed):
    """A padlock: body 11 x 7, shackle above; open: the shackle's right leg lifted."""
    c = Canvas(32, 32)
    body = (RED if closed else INK)
    c.rect(11, 16, 22, 23, body)
    c.rect(16, 18, 17, 21, WHITE)          # keyhole
    shackle = INK
    lift = 0 if closed else 3
    c.rect(13, 10 - lift, 14, 16, shackle)           # left leg
    c.rect(19, 10 - lift, 20, 16 - lift if not closed else 16, shackle)  # right leg
    c.rect(14, 9 - lift, 19, 10 - lift, shackle)     # arch
    if not closed:
        c.rect(13, 10 - lift, 14, 16, (0, 0, 0, 0))   # the open shackle swings on the right leg
        c.rect(19, 10 - lift, 20, 16, shackle)
        c.rect(13, 10 - lift, 14, 13 - lift + 1, shackle)
    return c


def icon_minimize():
    c = Canvas(32, 32)
    c.rect(12, 18, 20, 20, INK)
    return c


def icon_close():
    c = Canvas(32, 32)
    for i in range(7):
        for t in (0, 1):
            c.set(13 + i + t, 13 + i, INK)
            c.set(19 - i + t, 13 + i, INK)
    return c


def icon_warning():
    """An amber triangle with a dark exclamation mark, 9 pixels wide."""
    c = Canvas(32, 32)
    for row in range(9):
        half = row // 2
        c.rect(16 - half, 12 + row, 17 + half, 13 + row, AMBER)
    c.rect(16, 14, 17, 18, INK)
    c.rect(16, 19, 17, 20, INK)
    return c


def icon_program(size):
    """The program's icon: a blue tile with the same number in binary and hexadecimal."""
    c = Canvas(size, size)
    top, bottom = (0, 120, 220), (0, 64, 150)
    for y in range(size):
        col = mix(top, bottom, y / (size - 1))
        for x in range(size):
            c.set(x, y, col)
    # round the corners
    for (x, y) in [(0, 0), (size - 1, 0), (0, size - 1), (size - 1, size - 1)]:
        c.set(x, y, (0, 0, 0, 0))
    if size == 32:
        for (x, y) in [(1, 0), (0, 1), (size - 2, 0), (size - 1, 1), (0, size - 2), (1, size - 1),
                       (size - 1, size - 2), (size - 2, size - 1)]:
            c.set(x, y, (0, 0, 0, 0))
        c.frame(0, 0, size, size, (0, 40, 100))
        for (x, y) in [(0, 0), (1, 0), (0, 1), (31, 0), (30, 0), (31, 1), (0, 31), (1, 31), (0, 30),
                       (31, 31), (30, 31), (31, 30)]:
            c.set(x, y, (0, 0, 0, 0))
        c.glyphs(4, 5, "10", FONT5x7, WHITE, gap=2)
        c.rect(4, 15, 28, 16, (120, 180, 240))
        c.glyphs(16, 19, "FF", FONT5x7, AMBER, gap=1)
        c.glyphs(4, 19, "0x", FONT5x7, (170, 210, 250), gap=1)
    else:
        c.glyphs(2, 2, "10", FONT3x5, WHITE)
        c.rect(2, 8, 14, 9, (120, 180, 240))
        c.glyphs(6, 10, "FF", FONT3x5, AMBER)
    return c

# --- files ------------------------------------------------------------------

def ico_image(c):
    """One ICO image: BITMAPINFOHEADER, 32-bit BGRA rows bottom-up, AND mask."""
    w, h = c.width, c.height
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = c.px[y][x]
            xor += bytes((b, g, r, a) if a else (0, 0, 0, 0))
    mask = bytearray()
    row_bytes = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(w):
            if c.px[y][x][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(xor) + bytes(mask)


def write_ico(path, images):
    data = [ico_image(c) for c in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, d in zip(images, data):
        out += struct.pack('<BBBBHHII', c.width % 256, c.height % 256, 0, 0, 1, 32, len(d), offset)
        offset += len(d)
    with open(path, 'wb') as f:
        f.write(out + b''.join(data))


def write_png(path, c):
    """A truecolour PNG without alpha (transparency comes from the colour key)."""
    raw = bytearray()
    for row in c.px:
        raw.append(0)
        for r, g, b, _ in row:
            raw += bytes((r, g, b))

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF)

    data = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', c.width, c.height, 8, 2, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))
    with open(path, 'wb') as f:
        f.write(data)

# --- the skin ----------------------------------------------------------------

# The window's layout in client pixels (left, top, right, bottom).
BUTTON_GROUPS = [
    (59, 2, 101, 23),    # global signed / unsigned
    (114, 2, 177, 23),   # 8 / 16 / 32 bit
    (190, 2, 211, 23),   # hold
    (223, 2, 244, 23),   # settings
    (248, 1, 278, 15),   # minimize / close
]
BUTTONS = [
    (59, 2, 80, 23), (80, 2, 101, 23), (114, 2, 135, 23), (135, 2, 156, 23), (156, 2, 177, 23),
    (190, 2, 211, 23), (223, 2, 244, 23), (248, 1, 263, 15), (263, 1, 278, 15),
] + [(248, y, 263, y + 15) for y in (31, 52, 73, 94)] + [(263, y, 278, y + 15) for y in (31, 52, 73, 94)]
FIELD_ROWS = [(29, 47), (50, 68), (71, 89), (92, 110)]   # the edits' pixel rows
CLIENT_W, CLIENT_H = 279, 112


def skin():
    # The image is drawn one pixel up: its row 0 is never seen, so client row y is image row y + 1.
    c = Canvas(CLIENT_W, CLIENT_H + 1)
    top, bottom = (236, 241, 248), (210, 220, 234)
    for y in range(c.height):
        col = mix(top, bottom, y / (c.height - 1))
        for x in range(c.width):
            c.set(x, y, col)

    def at(r, dy=1):
        return (r[0], r[1] + dy, r[2], r[3] + dy)

    # The top bar: a band a little darker than the body.
    bar_top, bar_bottom = (220, 229, 241), (200, 212, 229)
    for y in range(0, 25):
        col = mix(bar_top, bar_bottom, y / 24)
        for x in range(CLIENT_W):
            c.set(x, y + 1, col)
    # Each row of fields sits in a soft stripe that runs under its label and sign buttons.
    for (t, b) in FIELD_ROWS:
        l, tt, r, bb = at((2, t - 1, CLIENT_W - 1, b + 1))
        c.rect(l, tt, r, bb, (226, 233, 243))
        c.frame(l, tt, r, bb, (190, 203, 222))
    # Button faces: light tiles with a vertical gradient, inside the compositor's edges.
    for (l, t, r, b) in BUTTONS:
        for y in range(t, b):
            col = mix((252, 253, 255), (222, 230, 242), (y - t) / max(1, b - t - 1))
            for x in range(l, r):
                c.set(x, y + 1, col)
    # A thin accent line under the top bar, above the etched rule the window draws.
    c.rect(0, 24, CLIENT_W, 25, (120, 150, 200))
    # The colour key: the first stored pixel, unique in the image, so nothing else is keyed.
    c.set(0, 0, KEY)
    return c


def settings_image():
    """A 15 x 15 gear for the settings button, on the key colour."""
    c = Canvas(15, 15, (*KEY, 255))
    cx = cy = 7
    for y in range(15):
        for x in range(15):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            tooth = (abs(x - cx) <= 1 or abs(y - cy) <= 1 or abs(abs(x - cx) - abs(y - cy)) <= 1)
            if d2 <= 16 or (d2 <= 42 and tooth):
                c.set(x, y, INK)
            if d2 <= 4:
                c.set(x, y, (250, 250, 252))
    return c


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'resources')
    icons = os.path.join(out, 'icons')
    os.makedirs(icons, exist_ok=True)
    button_icons = {
        130: icon_signed(True), 155: icon_unsigned(True), 159: icon_signed(False), 160: icon_unsigned(False),
        131: icon_width("8"), 156: icon_width("16"), 157: icon_width("32"),
        161: icon_lock(True), 162: icon_lock(False), 135: icon_minimize(), 136: icon_close(), 158: icon_warning(),
    }
    for number, big in button_icons.items():
        write_ico(os.path.join(icons, f'{number}.ico'), [big.crop(8, 8, 16, 16), big])
    write_ico(os.path.join(icons, '128.ico'), [icon_program(16), icon_program(32)])
    write_png(os.path.join(out, 'skin.png'), skin())
    write_png(os.path.join(out, 'icon.png'), settings_image())


if __name__ == '__main__':
    main()
