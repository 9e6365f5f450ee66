#!/usr/bin/env python3
"""Draw the background picture of the Mirvane login window.

The picture is drawn unscaled from the top-left corner of the window's client
area, underneath the window's labels, text boxes and start button, so every
shape below is placed to line up with those controls (pixel = twips / 15).

    left part  (x 0..383)    white, a thin rule above the welcome line and a
                             double rule below it
    right part (x 384..799)  blue panel holding a white card framed in grey,
                             two grey rules on the card, and a pill-shaped
                             button behind the start caption

Only the standard library is used.  Run from anywhere:

    python3 resources/make_login_background.py

It writes login_background.png (24-bit RGB, 800 x 399, no alpha) next to
this script.
"""

import os
import struct
import zlib

WIDTH, HEIGHT = 800, 399

# Colours
WHITE = (0xFF, 0xFF, 0xFF)
RULE_BLUE = (0x00, 0x66, 0x99)      # rules on the left, button outline
PANEL_BLUE = (0x01, 0x88, 0xBA)     # right-hand panel
SHADOW_BLUE = (0x01, 0x6C, 0x94)    # card shadow on the panel
GREY = (0x99, 0x99, 0x99)           # card frame and card rules
BUTTON_TOP = (0xBF, 0xE6, 0xFF)     # button gradient, top row
BUTTON_MID = (0x1E, 0x92, 0xDC)     # ... where the highlight ends
BUTTON_BOTTOM = (0x07, 0x78, 0xC2)  # ... bottom row

# Geometry (inclusive pixel ranges)
SPLIT_X = 384                        # first column of the blue panel
LEFT_RULE_X = (16, 369)              # width of the welcome line label
THIN_RULE_Y = 86                     # above the welcome line (y 93..118)
DOUBLE_RULE_Y = (125, 128)           # below the welcome line
CARD = (412, 28, 776, 360)           # x0, y0, x1, y1
SHADOW_OFFSET = 2
CARD_RULE_X = (424, 764)
TITLE_RULE_Y = 82                    # under the title (y 45..74)
NOTE_RULE_Y = 240                    # above the note (y 252..289)
BUTTON = (536, 316, 629, 341)        # the start button's click area
SUPERSAMPLE = 4                      # anti-aliasing of the pill, per axis


class Canvas:
    """A plain RGB raster with a few drawing helpers."""

    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.rows = [[colour] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def get(self, x, y):
        return self.rows[y][x]

    def fill_rect(self, x0, y0, x1, y1, colour):
        """Fill the inclusive rectangle x0..x1, y0..y1."""
        x0, x1 = max(x0, 0), min(x1, self.width - 1)
        y0, y1 = max(y0, 0), min(y1, self.height - 1)
        for y in range(y0, y1 + 1):
            row = self.rows[y]
            row[x0:x1 + 1] = [colour] * (x1 - x0 + 1)

    def hline(self, x0, x1, y, colour):
        self.fill_rect(x0, y, x1, y, colour)

    def frame_rect(self, x0, y0, x1, y1, colour):
        """A 1-px outline of the inclusive rectangle."""
        self.hline(x0, x1, y0, colour)
        self.hline(x0, x1, y1, colour)
        self.fill_rect(x0, y0, x0, y1, colour)
        self.fill_rect(x1, y0, x1, y1, colour)

    def rounded_rect(self, x0, y0, x1, y1, radius, gradient, outline):
        """A rounded rectangle over the inclusive pixel box x0..x1, y0..y1.

        gradient(t) gives the fill colour for a row, t running from 0 at the
        top edge to 1 at the bottom edge.  The 1-px outline and the edges are
        anti-aliased by supersampling against whatever is already drawn.
        A radius of half the height gives a pill with fully round ends.
        """
        # Work in continuous coordinates: the box covers [x0, x1+1) x [y0, y1+1).
        left, top, right, bottom = x0, y0, x1 + 1.0, y1 + 1.0
        height = bottom - top
        n = SUPERSAMPLE
        offsets = [(i + 0.5) / n for i in range(n)]
        for y in range(y0, y1 + 1):
            fill = gradient((y + 0.5 - top) / height)
            for x in range(x0, x1 + 1):
                outer = inner = 0
                for oy in offsets:
                    for ox in offsets:
                        px, py = x + ox, y + oy
                        if _inside_rounded(px, py, left, top, right, bottom,
                                           radius):
                            outer += 1
                            if _inside_rounded(px, py, left + 1, top + 1,
                                               right - 1, bottom - 1,
                                               radius - 1):
                                inner += 1
                if outer == 0:
                    continue
                total = n * n
                background = self.get(x, y)
                self.set(x, y, _mix([
                    (fill, inner / total),
                    (outline, (outer - inner) / total),
                    (background, (total - outer) / total),
                ]))


def _inside_rounded(px, py, left, top, right, bottom, radius):
    """Is the point inside the rounded rectangle [left,right) x [top,bottom)?"""
    if not (left <= px < right and top <= py < bottom):
        return False
    cx = min(max(px, left + radius), right - radius)
    cy = min(max(py, top + radius), bottom - radius)
    dx, dy = px - cx, py - cy
    return dx * dx + dy * dy <= radius * radius


def _mix(weighted):
    """Blend colours by weights that add up to 1."""
    return tuple(
        min(255, max(0, round(sum(c[i] * w for c, w in weighted))))
        for i in range(3))


def lerp(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def button_gradient(t):
    """Light highlight at the top, quickly settling into a bright blue.

    The start caption is drawn in near-white bold text across most of the
    button's height, so the light part is kept to the top quarter.
    """
    split = 0.22
    if t < split:
        return lerp(BUTTON_TOP, BUTTON_MID, t / split)
    return lerp(BUTTON_MID, BUTTON_BOTTOM, (t - split) / (1 - split))


def draw(canvas):
    # Left part: rules framing the welcome line.
    canvas.hline(*LEFT_RULE_X, THIN_RULE_Y, RULE_BLUE)
    for y in DOUBLE_RULE_Y:
        canvas.hline(*LEFT_RULE_X, y, RULE_BLUE)

    # Right part: the blue panel, the card's shadow, the card and its frame.
    canvas.fill_rect(SPLIT_X, 0, WIDTH - 1, HEIGHT - 1, PANEL_BLUE)
    x0, y0, x1, y1 = CARD
    s = SHADOW_OFFSET
    canvas.fill_rect(x0 + s, y0 + s, x1 + s, y1 + s, SHADOW_BLUE)
    canvas.fill_rect(x0, y0, x1, y1, WHITE)
    canvas.frame_rect(x0, y0, x1, y1, GREY)

    # Rules on the card: under the title and above the note.
    canvas.hline(*CARD_RULE_X, TITLE_RULE_Y, GREY)
    canvas.hline(*CARD_RULE_X, NOTE_RULE_Y, GREY)

    # The start button: a pill behind the caption.
    bx0, by0, bx1, by1 = BUTTON
    radius = (by1 - by0 + 1) / 2.0
    canvas.rounded_rect(bx0, by0, bx1, by1, radius, button_gradient,
                        RULE_BLUE)


def png_bytes(canvas):
    """Encode the canvas as a 24-bit RGB PNG."""
    def chunk(kind, data):
        body = kind + data
        return (struct.pack(">I", len(data)) + body
                + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF))

    raw = bytearray()
    for row in canvas.rows:
        raw.append(0)  # filter type: none
        for pixel in row:
            raw.extend(pixel)
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height,
                         8, 2, 0, 0, 0)  # 8-bit, truecolour, no interlace
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def main():
    canvas = Canvas(WIDTH, HEIGHT, WHITE)
    draw(canvas)
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                       "login_background.png")
    with open(out, "wb") as f:
        f.write(png_bytes(canvas))
    print("wrote %s (%d x %d)" % (out, WIDTH, HEIGHT))


if __name__ == "__main__":
    main()
