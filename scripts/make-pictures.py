#!/usr/bin/env python3
"""Draws the two page pictures of Setup.exe as 8-bit run-length encoded
(BI_RLE8) BMP files, and the programs' icon.

    scripts/make-pictures.py [OUTPUT_FOLDER]      (default: res/)

Writes SystemPage.bmp (573 x 437), OptionPage.bmp (514 x 437) and Setup.ico.
The pictures have a
white ground, the same white as the pages' control brush, so labels and check
boxes blend in. Each picture is drawn in full colour, then stored in at most
256 of them: white as itself, every other colour as the mean of its box when
the picture's colours are cut into boxes along their widest channel (median
cut), which moves no channel by more than a few steps. The System picture carries its artwork at the left and right
edges, clear of the controls in between (right of x = 511 only beside them); the Option picture only in its
leftmost 148 columns, clear of the check boxes. The icon shows the pictures'
banner on a transparent ground, drawn anew for each of its sizes: 16, 24, 32
and 48 pixels as 32-bit pictures with alpha, 256 as PNG. Deterministic: the
same bytes on every run, so the committed files can be checked against the
script.
Python 3 standard library only.
"""

import math
import os
import struct
import sys
import zlib

WHITE = (255, 255, 255)
SLATE = (58, 84, 116)
TEAL = (72, 142, 150)
MIST = (196, 222, 228)
SAND = (232, 214, 178)


class Canvas:
    """An RGB picture on a white ground; shapes are blended in with soft
    (anti-aliased) edges."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.rows = [[WHITE] * width for _ in range(height)]

    def blend(self, x, y, colour, alpha):
        if alpha <= 0.0:
            return
        alpha = min(alpha, 1.0)
        old = self.rows[y][x]
        self.rows[y][x] = tuple(
            round(o + (c - o) * alpha) for o, c in zip(old, colour))

    def paint(self, box, distance, colour_at, alpha=1.0):
        """Blends colour_at(x, y) wherever distance(x, y) (negative inside
        the shape) says the pixel lies in the shape, within box."""
        left, top, right, bottom = box
        for y in range(max(top, 0), min(bottom, self.height)):
            for x in range(max(left, 0), min(right, self.width)):
                cover = 0.5 - distance(x + 0.5, y + 0.5)
                if cover > 0.0:
                    self.blend(x, y, colour_at(x, y), alpha * min(cover, 1.0))

    def bmp_bytes(self):
        """A bottom-up 8-bit BI_RLE8 file of the picture in its palette."""
        palette, index = palette_of({colour for row in self.rows for colour in row})
        pixels = b''.join(rle8_row([index[colour] for colour in row])
                          for row in reversed(self.rows)) + b'\0\1'
        colours = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
        header_size = 14 + 40 + len(colours)
        file_header = struct.pack('<2sIHHI', b'BM', header_size + len(pixels),
                                  0, 0, header_size)
        info_header = struct.pack('<IiiHHIIiiII', 40, self.width, self.height,
                                  1, 8, BI_RLE8, len(pixels), 2835, 2835,
                                  len(palette), 0)
        return file_header + info_header + colours + pixels


BI_RLE8 = 1


def median_cut(colours, count):
    """Cuts the colours into at most count boxes, always the box of the
    widest channel range at that channel's median."""
    def widest(box):
        return max(range(3), key=lambda c: (max(x[c] for x in box) - min(x[c] for x in box), -c))

    def spread(box):
        c = widest(box)
        return max(x[c] for x in box) - min(x[c] for x in box)
    boxes = [sorted(colours)]
    while len(boxes) < count:
        box = max(boxes, key=lambda b: (spread(b), len(b)))
        if spread(box) == 0:
            break
        boxes.remove(box)
        channel = widest(box)
        box.sort(key=lambda x: (x[channel], x))
        boxes += [box[:len(box) // 2], box[len(box) // 2:]]
    return boxes


def palette_of(colours, size=256):
    """At most size colours standing for the given ones, white first and
    exactly, so that the ground still matches the pages' brush; and the
    palette index of every given colour."""
    others = sorted(colours - {WHITE})
    boxes = median_cut(others, size - 1) if others else []
    means = [tuple(round(sum(x[c] for x in box) / len(box)) for c in range(3))
             for box in boxes]
    palette = [WHITE] + sorted(set(means))
    index = {WHITE: 0}
    for box, mean in zip(boxes, means):
        for colour in box:
            index[colour] = palette.index(mean)
    return palette, index


def run_length(row, start):
    end = start
    while end < len(row) and end - start < 255 and row[end] == row[start]:
        end += 1
    return end - start


def rle8_row(row):
    """One row in BI_RLE8: a run of two or more as (count, index); the
    pixels between runs in absolute mode (0, count, indices, padded to a
    whole word), or as runs of one when fewer than three; then end of
    line (0, 0)."""
    out, i = bytearray(), 0
    while i < len(row):
        run = run_length(row, i)
        if run > 1:
            out += bytes((run, row[i]))
            i += run
            continue
        end = i
        while end < len(row) and end - i < 255 and run_length(row, end) == 1:
            end += 1
        single = row[i:end]
        if len(single) < 3:
            out += b''.join(bytes((1, v)) for v in single)
        else:
            out += bytes((0, len(single))) + bytes(single) + bytes(len(single) % 2)
        i = end
    return bytes(out) + b'\0\0'


def mix(a, b, t):
    t = min(max(t, 0.0), 1.0)
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def rounded_rect(left, top, right, bottom, radius):
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius

    def distance(x, y):
        dx, dy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
        return outside + min(max(dx, dy), 0.0) - radius
    return distance


def circle(cx, cy, radius):
    return lambda x, y: math.hypot(x - cx, y - cy) - radius


def inside_of(shape, other):
    """The part of shape that lies within other."""
    return lambda x, y: max(shape(x, y), other(x, y))


def below_wave(base, amplitude, period, phase):
    return lambda x, y: base + amplitude * math.sin(x / period + phase) - y


def vertical_gradient(top, bottom, start, end):
    return lambda x, y: mix(start, end, (y - top) / (bottom - top))


def banner(canvas, left, top, right, bottom, start, end):
    """A rounded panel with a gradient, moons rising in it and two soft
    hills at its foot; nothing is drawn outside the panel."""
    panel = rounded_rect(left, top, right, bottom, 14)
    box = (left, top, right, bottom)
    canvas.paint(box, panel, vertical_gradient(top, bottom, start, end))
    width, height = right - left, bottom - top
    moons = [(0.30, 0.16, 0.20), (0.68, 0.33, 0.12), (0.42, 0.52, 0.08)]
    for fx, fy, fr in moons:
        moon = circle(left + fx * width, top + fy * height, fr * width)
        canvas.paint(box, inside_of(moon, panel), lambda x, y: MIST, 0.45)
    hills = [(0.80, 9.0, 23.0, 0.0, MIST, 0.35),
             (0.88, 6.0, 17.0, 2.0, SAND, 0.60)]
    for fy, amplitude, period, phase, colour, alpha in hills:
        hill = below_wave(top + fy * height, amplitude, period, phase)
        canvas.paint(box, inside_of(hill, panel), lambda x, y: colour, alpha)


def dotted_column(canvas, left, right, top, bottom, colour):
    """Dots down a narrow column, fading out towards the bottom."""
    radius = (right - left) / 2
    cx = left + radius
    y = top + radius
    while y + radius <= bottom:
        fade = 1.0 - 0.8 * (y - top) / (bottom - top)
        canvas.paint((left, int(y - radius) - 1, right, int(y + radius) + 2),
                     circle(cx, y, radius - 1), lambda x, yy: colour, fade)
        y += radius * 3


class IconCanvas(Canvas):
    """A square RGBA picture on a transparent ground: one size of the icon."""

    def __init__(self, size):
        super().__init__(size, size)
        self.rows = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def blend(self, x, y, colour, alpha):
        """Lays colour over the pixel (the 'over' operator)."""
        if alpha <= 0.0:
            return
        alpha = min(alpha, 1.0)
        *old, old_alpha = self.rows[y][x]
        below = old_alpha / 255 * (1.0 - alpha)
        total = alpha + below
        self.rows[y][x] = tuple(
            round((c * alpha + o * below) / total)
            for o, c in zip(old, colour)) + (round(total * 255),)

    def dib_bytes(self):
        """An icon image: a 32-bit bottom-up DIB of twice the height, for
        the colour rows and the AND mask (set where fully transparent)."""
        size = self.width
        mask_stride = (size + 31) // 32 * 4
        colours, mask = bytearray(), bytearray()
        for row in reversed(self.rows):
            bits = bytearray(mask_stride)
            for x, (r, g, b, a) in enumerate(row):
                colours += bytes((b, g, r, a))
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0,
                             len(colours) + len(mask), 0, 0, 0, 0)
        return header + bytes(colours) + bytes(mask)

    def png_bytes(self):
        """An RGBA PNG; each row filtered by the row above (type 2), which
        turns the vertical gradient into long runs."""
        raw, above = bytearray(), bytes(self.width * 4)
        for row in self.rows:
            line = bytes(v for pixel in row for v in pixel)
            raw.append(2)
            raw += bytes((v - u) & 0xFF for v, u in zip(line, above))
            above = line

        def chunk(kind, data):
            body = kind + data
            return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))
        header = struct.pack('>IIBBBBB', self.width, self.height, 8, 6, 0, 0, 0)
        return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header)
                + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def icon_picture(size):
    """The banner of the pages in a rounded square: a moon and two hills
    over the slate-to-teal gradient."""
    canvas = IconCanvas(size)
    s = size / 48
    panel = rounded_rect(1 * s, 1 * s, size - 1 * s, size - 1 * s, 9 * s)
    box = (0, 0, size, size)
    canvas.paint(box, panel, vertical_gradient(0, size, SLATE, TEAL))
    canvas.paint(box, inside_of(circle(29 * s, 17 * s, 9 * s), panel), lambda x, y: MIST, 0.9)
    canvas.paint(box, inside_of(circle(14 * s, 12 * s, 3.5 * s), panel), lambda x, y: MIST, 0.6)
    hills = [(32 * s, 3.0 * s, 6.0 * s, 0.0, MIST, 0.45),
             (37 * s, 2.5 * s, 5.0 * s, 2.0, SAND, 0.9)]
    for base, amplitude, period, phase, colour, alpha in hills:
        hill = below_wave(base, amplitude, period, phase)
        canvas.paint(box, inside_of(hill, panel), lambda x, y: colour, alpha)
    return canvas


def icon_bytes(sizes=(16, 24, 32, 48, 256)):
    """An .ico file: its directory, then each size's image in turn."""
    images = [icon_picture(size) for size in sizes]
    blobs = [p.png_bytes() if p.width >= 256 else p.dib_bytes() for p in images]
    directory = struct.pack('<HHH', 0, 1, len(blobs))
    offset = len(directory) + 16 * len(blobs)
    for picture, blob in zip(images, blobs):
        side = picture.width % 256  # 0 stands for 256
        directory += struct.pack('<BBBBHHII', side, side, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return directory + b''.join(blobs)


# The panels end well above the pictures' foot: a page whose dialog font
# is shorter than the one it was laid out for cuts the picture off there.
def system_picture():
    canvas = Canvas(573, 437)
    banner(canvas, 12, 12, 124, 372, SLATE, TEAL)
    narrow = rounded_rect(520, 40, 538, 320, 9)
    canvas.paint((520, 40, 538, 320), narrow,
                 vertical_gradient(40, 320, TEAL, SLATE), 0.85)
    dotted_column(canvas, 524, 534, 332, 372, TEAL)
    return canvas


def option_picture():
    canvas = Canvas(514, 437)
    banner(canvas, 10, 12, 138, 380, TEAL, SLATE)
    return canvas


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'res')
    files = (('SystemPage.bmp', lambda: system_picture().bmp_bytes()),
             ('OptionPage.bmp', lambda: option_picture().bmp_bytes()),
             ('Setup.ico', icon_bytes))
    for name, draw in files:
        with open(os.path.join(folder, name), 'wb') as out:
            out.write(draw())


if __name__ == '__main__':
    main()
