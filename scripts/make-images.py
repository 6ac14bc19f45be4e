#!/usr/bin/env python3
"""Draws the program's pictures: toolbar strip, row balls, sort arrows (each at 16, 20, 24 and 32
pixels, for the screen's DPI), icons, hand cursor.

The outputs are committed under src/resources; run this again only after changing a drawing.
Palettised bitmaps use RGB(192,192,192) as background so that LR_LOADMAP3DCOLORS turns it
into the button face; the row images use RGB(0,128,128), their mask colour.
"""
import math
import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "resources")

FACE = (192, 192, 192)
TEAL = (0, 128, 128)


class Canvas:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.set(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def ring(self, cx, cy, r0, r1, c):
        for y in range(self.h):
            for x in range(self.w):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if r0 <= d <= r1:
                    self.set(x, y, c)

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                self.set(ox + x, oy + y, other.px[y][x])


def bmp_bytes(canvas, palettised):
    w, h = canvas.w, canvas.h
    if palettised:
        colours = []
        for row in canvas.px:
            for c in row:
                if c not in colours:
                    colours.append(c)
        assert len(colours) <= 256
        index = {c: i for i, c in enumerate(colours)}
        stride = (w + 3) & ~3
        pixels = b""
        for row in reversed(canvas.px):
            line = bytes(index[c] for c in row)
            pixels += line + b"\0" * (stride - w)
        palette = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in colours)
        bpp, ncol = 8, len(colours)
    else:
        stride = (w * 3 + 3) & ~3
        pixels = b""
        for row in reversed(canvas.px):
            line = b"".join(struct.pack("<BBB", c[2], c[1], c[0]) for c in row)
            pixels += line + b"\0" * (stride - w * 3)
        palette, bpp, ncol = b"", 24, 0
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(pixels), 2835, 2835, ncol, ncol)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + palette + pixels


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


# --- pictures at several sizes ----------------------------------------------------------------
# The toolbar, row and sort pictures are drawn on a grid of 16 and scaled: a shape keeps its place
# on that grid, lines grow as thick as the scale, and at 16 every pixel is what it always was.
SIZES = (16, 20, 24, 32)


class Scaled:
    """A canvas of size x size pixels drawn with the coordinates of a 16 x 16 one."""

    def __init__(self, size, bg):
        self.c = Canvas(size, size, bg)
        self.k = size / 16.0
        self.t = math.ceil(self.k)

    def edge(self, v):
        return round(v * self.k)

    def rect(self, x0, y0, x1, y1, c):
        self.c.rect(self.edge(x0), self.edge(y0), self.edge(x1 + 1) - 1, self.edge(y1 + 1) - 1, c)

    def set(self, x, y, c):
        self.rect(x, y, x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.rect(x0, y0, x1, y0, c)
        self.rect(x0, y1, x1, y1, c)
        self.rect(x0, y0, x0, y1, c)
        self.rect(x1, y0, x1, y1, c)

    def line(self, x0, y0, x1, y1, c):
        # Through the middles of the end pixels, as wide as the scale.
        k, t = self.k, self.t
        n = max(abs(x1 - x0), abs(y1 - y0), 1) * t
        for i in range(n + 1):
            x = (x0 + (x1 - x0) * i / n + 0.5) * k - t / 2
            y = (y0 + (y1 - y0) * i / n + 0.5) * k - t / 2
            self.c.rect(round(x), round(y), round(x) + t - 1, round(y) + t - 1, c)

    def disc(self, cx, cy, r, c):
        self.c.disc(cx * self.k, cy * self.k, r * self.k, c)

    def ring(self, cx, cy, r0, r1, c):
        self.c.ring(cx * self.k, cy * self.k, r0 * self.k, r1 * self.k, c)


def suffix(size):
    return "" if size == 16 else str(size)


# --- toolbar: find, save, copy, properties, exit, stop, options, start ---------------------

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (64, 64, 64)
GREY = (128, 128, 128)
BLUE = (0, 64, 192)
LBLUE = (96, 160, 232)
RED = (208, 32, 32)
GREEN = (16, 160, 48)
YELLOW = (240, 200, 32)
BROWN = (144, 88, 32)


def icon_find(size):
    c = Scaled(size, FACE)
    c.ring(6.5, 6.5, 3.6, 5.2, DARK)
    c.disc(6.5, 6.5, 3.6, LBLUE)
    c.set(5, 4, WHITE); c.set(4, 5, WHITE)
    for i in range(5):
        c.rect(10 + i, 10 + i, 11 + i, 11 + i, BROWN)
    return c.c


def icon_save(size):
    c = Scaled(size, FACE)
    c.rect(1, 1, 14, 14, BLUE)
    c.frame(1, 1, 14, 14, DARK)
    c.rect(4, 2, 11, 6, WHITE)
    c.rect(9, 3, 10, 5, GREY)
    c.rect(4, 9, 11, 13, DARK)
    return c.c


def page(c, x0, y0, x1, y1):
    c.rect(x0, y0, x1, y1, WHITE)
    c.frame(x0, y0, x1, y1, DARK)
    for y in range(y0 + 2, y1 - 1, 2):
        c.line(x0 + 2, y, x1 - 2, y, GREY)


def icon_copy(size):
    c = Scaled(size, FACE)
    page(c, 1, 1, 9, 11)
    page(c, 6, 4, 14, 14)
    return c.c


def icon_properties(size):
    c = Scaled(size, FACE)
    page(c, 2, 1, 13, 14)
    c.disc(11.5, 11.5, 3.5, BLUE)
    c.rect(11, 10, 11, 13, WHITE)
    c.set(11, 9, WHITE)
    return c.c


def icon_exit(size):
    c = Scaled(size, FACE)
    c.rect(2, 1, 9, 14, BROWN)
    c.frame(2, 1, 9, 14, DARK)
    c.set(7, 8, YELLOW)
    c.line(9, 8, 14, 8, GREEN)
    c.line(12, 6, 14, 8, GREEN)
    c.line(12, 10, 14, 8, GREEN)
    return c.c


def icon_stop(size):
    c = Scaled(size, FACE)
    c.rect(3, 3, 12, 12, RED)
    c.frame(3, 3, 12, 12, (128, 0, 0))
    return c.c


def icon_options(size):
    c = Scaled(size, FACE)
    for i in range(8):
        a = i * math.pi / 4
        c.disc(7.5 + 5.2 * math.cos(a), 7.5 + 5.2 * math.sin(a), 1.6, DARK)
    c.disc(7.5, 7.5, 5.0, DARK)
    c.disc(7.5, 7.5, 2.0, FACE)
    return c.c


def icon_start(size):
    c = Scaled(size, FACE)
    for y in range(2, 14):
        half = 6 - abs(y - 7.5)
        c.line(4, y, 4 + round(2 * half), y, GREEN)
    c.line(4, 2, 4, 13, (0, 96, 0))
    return c.c


for size in SIZES:
    strip = Canvas(8 * size, size, FACE)
    for i, f in enumerate([icon_find, icon_save, icon_copy, icon_properties,
                           icon_exit, icon_stop, icon_options, icon_start]):
        strip.blit(f(size), i * size, 0)
    write("toolbar%s.bmp" % suffix(size), bmp_bytes(strip, True))

# --- row images: grey, green and red ball -------------------------------------------------


def ball(size, base, light):
    c = Scaled(size, TEAL)
    c.disc(8, 8, 6.5, tuple(v // 2 for v in base))
    c.disc(7.6, 7.6, 5.8, base)
    c.disc(6.0, 6.0, 2.2, light)
    return c.c


for size in SIZES:
    balls = Canvas(3 * size, size, TEAL)
    balls.blit(ball(size, (150, 150, 150), (220, 220, 220)), 0, 0)
    balls.blit(ball(size, (24, 176, 40), (150, 240, 160)), size, 0)
    balls.blit(ball(size, (212, 28, 28), (250, 160, 160)), 2 * size, 0)
    write("rowimages%s.bmp" % suffix(size), bmp_bytes(balls, False))

# --- sort arrows ---------------------------------------------------------------------------


def arrow(size, up):
    c = Scaled(size, FACE)
    for i in range(5):
        y = 5 + i if up else 10 - i
        c.line(8 - i, y, 8 + i, y, GREY)
    return c.c


for size in SIZES:
    write("sortasc%s.bmp" % suffix(size), bmp_bytes(arrow(size, True), True))
    write("sortdesc%s.bmp" % suffix(size), bmp_bytes(arrow(size, False), True))

# --- icon: a blue screen with green echo rings -----------------------------------------------


def app_icon(size):
    s = size / 32.0
    c = Canvas(size, size, None)
    c.disc(16 * s, 16 * s, 15 * s, (16, 40, 96))
    c.disc(16 * s, 16 * s, 13.5 * s, (24, 64, 140))
    for r in (4, 8, 12):
        c.ring(16 * s, 16 * s, (r - 0.9) * s, (r + 0.1) * s, (80, 232, 112))
    c.disc(16 * s, 16 * s, 2.2 * s, (200, 255, 210))
    c.disc(22 * s, 10 * s, 1.8 * s, (255, 220, 64))
    return c


def ico_image(canvas):
    w, h = canvas.w, canvas.h
    xor = b""
    for row in reversed(canvas.px):
        for c in row:
            xor += struct.pack("<BBBB", c[2], c[1], c[0], 255) if c else b"\0\0\0\0"
    mstride = ((w + 31) // 32) * 4
    mask = b""
    for row in reversed(canvas.px):
        bits = 0
        line = bytearray(mstride)
        for x, c in enumerate(row):
            if c is None:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(line)
        del bits
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + xor + mask


def ico_file(images, kind, hotspots=None):
    head = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for i, (w, h, blob) in enumerate(images):
        if kind == 1:
            a, b = 1, 32
        else:
            a, b = hotspots[i]
        entries += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, a, b, len(blob), offset)
        offset += len(blob)
        blobs += blob
    return head + entries + blobs


write("EchoSentinel.ico", ico_file([(32, 32, ico_image(app_icon(32))),
                                    (16, 16, ico_image(app_icon(16)))], 1))

# --- tray icons: the echo rings on a disc of the watched state's colour -------------------------


def tray_icon(size, base):
    s = size / 32.0
    c = Canvas(size, size, None)
    c.disc(16 * s, 16 * s, 15.5 * s, tuple(v // 2 for v in base))
    c.disc(16 * s, 16 * s, 14 * s, base)
    for r in (5, 10):
        c.ring(16 * s, 16 * s, (r - 1.2) * s, (r + 0.4) * s, (255, 255, 255))
    c.disc(16 * s, 16 * s, 2.6 * s, (255, 255, 255))
    return c


for name, base in (("trayunknown.ico", (140, 140, 140)), ("trayup.ico", (24, 168, 40)),
                   ("traysomedown.ico", (232, 150, 0)), ("trayalldown.ico", (208, 24, 24))):
    write(name, ico_file([(32, 32, ico_image(tray_icon(32, base))),
                          (16, 16, ico_image(tray_icon(16, base)))], 1))

# --- hand cursor: monochrome 32 x 32, hot spot at the finger tip ------------------------------

HAND = [
    "     ##         ",
    "    #..#        ",
    "    #..#        ",
    "    #..#        ",
    "    #..###      ",
    "    #..#..###   ",
    "    #..#..#..## ",
    " ## #..#..#..#.#",
    "#..##........#.#",
    "#...#..........#",
    " #.............#",
    "  #............#",
    "  #...........# ",
    "   #..........# ",
    "    #........#  ",
    "    #........#  ",
    "    ##########  ",
]


def cursor_image():
    w = h = 32
    # AND mask 1 = transparent; XOR 1 = white where AND is 0.
    and_rows, xor_rows = [], []
    for y in range(h):
        line = HAND[y] if y < len(HAND) else ""
        a, x_ = bytearray(4), bytearray(4)
        for x in range(w):
            ch = line[x] if x < len(line) else " "
            if ch == " ":
                a[x // 8] |= 0x80 >> (x % 8)
            elif ch == ".":
                x_[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(a))
        xor_rows.append(bytes(x_))
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 1, 0, 256, 0, 0, 2, 2)
    palette = b"\0\0\0\0\xff\xff\xff\0"
    return info + palette + b"".join(reversed(xor_rows)) + b"".join(reversed(and_rows))


write("hand.cur", ico_file([(32, 32, cursor_image())], 2, hotspots=[(6, 0)]))
print("images written to", os.path.normpath(OUT), file=sys.stderr)
