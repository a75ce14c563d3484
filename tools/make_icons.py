#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files into resources/.

Each icon holds 16, 20, 24, 32, 40, 48 and 64 pixel images (the small and the large icon at 96,
120, 144 and 192 DPI), 32-bit with alpha plus the 1-bit AND mask that older code paths read. Shapes
are signed distance functions in pixel units, so edges are anti-aliased by coverage =
clamp(0.5 - distance) and stay sharp at 16 pixels. Standard library only: the .ico
files are committed, and the build never runs this script.

    python3 tools/make_icons.py [output folder]
"""

import math
import os
import struct
import sys

SIZES = (16, 20, 24, 32, 40, 48, 64)


# --- Signed distances (negative inside), all in pixels ---------------------------------------------

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def rounded_box(x0, y0, x1, y1, r):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return d


def capsule(ax, ay, bx, by, r):
    """A line from a to b with round ends, r wide on each side."""
    def d(x, y):
        px, py, ux, uy = x - ax, y - ay, bx - ax, by - ay
        t = max(0.0, min(1.0, (px * ux + py * uy) / (ux * ux + uy * uy)))
        return math.hypot(px - ux * t, py - uy * t) - r
    return d


def sector(cx, cy, r, start, end):
    """A pie slice between two angles (radians, clockwise from 12 o'clock, end > start)."""
    disc = circle(cx, cy, r)

    def d(x, y):
        a = math.atan2(x - cx, -(y - cy)) % (2 * math.pi)
        inside = (a - start) % (2 * math.pi) <= end - start
        return disc(x, y) if inside else max(disc(x, y), edge_distance(x, y))

    def edge_distance(x, y):
        # Distance to the nearer of the two straight edges of the slice.
        best = float("inf")
        for angle in (start, end):
            ex, ey = cx + r * math.sin(angle), cy - r * math.cos(angle)
            best = min(best, capsule(cx, cy, ex, ey, 0.0)(x, y))
        return best
    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def rotated(shape, cx, cy, angle):
    c, s = math.cos(angle), math.sin(angle)

    def d(x, y):
        dx, dy = x - cx, y - cy
        return shape(cx + dx * c + dy * s, cy - dx * s + dy * c)
    return d


# --- Painting -------------------------------------------------------------------------------------

class Canvas:
    """Premultiplied RGBA floats, row by row from the top."""

    def __init__(self, n):
        self.n = n
        self.pixels = [[(0.0, 0.0, 0.0, 0.0)] * n for _ in range(n)]

    def fill(self, shape, color):
        """color: (r, g, b) or (r, g, b, a) in 0..255, or a function of (x, y) giving one."""
        for row in range(self.n):
            for col in range(self.n):
                x, y = col + 0.5, row + 0.5
                cover = min(1.0, max(0.0, 0.5 - shape(x, y)))
                if cover <= 0.0:
                    continue
                c = color(x, y) if callable(color) else color
                a = cover * (c[3] / 255.0 if len(c) > 3 else 1.0)
                r, g, b, da = self.pixels[row][col]
                keep = 1.0 - a
                self.pixels[row][col] = (c[0] / 255.0 * a + r * keep, c[1] / 255.0 * a + g * keep,
                                         c[2] / 255.0 * a + b * keep, a + da * keep)

    def rgba(self):
        """Straight (not premultiplied) 8-bit RGBA rows, top row first."""
        rows = []
        for line in self.pixels:
            out = []
            for r, g, b, a in line:
                if a <= 0.0:
                    out.append((0, 0, 0, 0))
                    continue
                out.append(tuple(min(255, round(v / a * 255)) for v in (r, g, b)) + (round(a * 255),))
            rows.append(out)
        return rows


def vertical_gradient(n, top, bottom):
    def color(_x, y):
        t = min(1.0, max(0.0, y / n))
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
    return color


def stroke(n, fraction, minimum):
    """A line half-width that scales with the icon but never thins below `minimum` pixels."""
    return max(n * fraction, minimum)


def tile(n, canvas, top, bottom, edge):
    """The rounded square most icons stand on, with a one-pixel darker rim for light backgrounds."""
    m = 0.5 if n <= 16 else n / 32
    r = n * 0.2
    canvas.fill(rounded_box(m, m, n - m, n - m, r), edge)
    canvas.fill(rounded_box(m + 1, m + 1, n - m - 1, n - m - 1, r - 1), vertical_gradient(n, top, bottom))
    return m


# --- The icons ------------------------------------------------------------------------------------

def draw_program(n):
    """101: a clock face on a blue tile - the program records when each window was in use."""
    canvas = Canvas(n)
    tile(n, canvas, (70, 140, 230), (30, 80, 170), (20, 55, 120))
    c = n / 2
    face = n * (0.36 if n <= 16 else 0.34)
    canvas.fill(circle(c, c, face), (255, 255, 255))
    ink = (30, 40, 60)
    if n >= 32:
        for k in range(12):
            a = k * math.pi / 6
            inner = face * (0.78 if k % 3 == 0 else 0.86)
            outer = face * 0.94
            canvas.fill(capsule(c + inner * math.sin(a), c - inner * math.cos(a),
                                c + outer * math.sin(a), c - outer * math.cos(a), n / 96),
                        (120, 130, 150))
    w = stroke(n, 0.045, 0.95)
    # Ten past ten: the hour hand to the upper left, the minute hand to the upper right.
    canvas.fill(capsule(c, c, c - face * 0.45, c - face * 0.3, w), ink)
    canvas.fill(capsule(c, c, c + face * 0.35, c - face * 0.62, w * 0.8), ink)
    canvas.fill(circle(c, c, w * (1.0 if n <= 16 else 1.2)), (220, 60, 50))
    return canvas


def draw_usage(n):
    """102: a pie chart - each application's share of the day."""
    canvas = Canvas(n)
    c = n / 2
    r = n / 2 - (0.5 if n <= 16 else n / 24)
    canvas.fill(circle(c, c, r), (40, 50, 70))
    inner = r - (1.0 if n <= 16 else n / 32)
    slices = ((0.0, 0.42, (240, 150, 40)), (0.42, 0.70, (70, 170, 90)), (0.70, 1.0, (60, 120, 220)))
    for start, end, color in slices:
        canvas.fill(sector(c, c, inner, start * 2 * math.pi, end * 2 * math.pi), color)
    gap = stroke(n, 0.018, 0.45)
    for start, _end, _color in slices:
        a = start * 2 * math.pi
        canvas.fill(capsule(c, c, c + inner * math.sin(a), c - inner * math.cos(a), gap), (255, 255, 255))
    return canvas


def draw_settings(n):
    """103: a gear."""
    canvas = Canvas(n)
    c = n / 2
    outer = n / 2 - (0.5 if n <= 16 else n / 32)
    body = outer * 0.74
    teeth = 6 if n <= 16 else 8
    half = outer * (0.26 if n <= 16 else 0.2)
    tooth = rounded_box(c - half, c - outer, c + half, c, min(half, n / 32 + 0.5))
    gear = union(circle(c, c, body), *(rotated(tooth, c, c, k * 2 * math.pi / teeth) for k in range(teeth)))
    gear = subtract(gear, circle(c, c, body * 0.42))
    canvas.fill(gear, (60, 66, 78))
    inset = 1.0 if n <= 16 else n / 32
    face = lambda x, y: gear(x, y) + inset
    canvas.fill(face, vertical_gradient(n, (190, 198, 210), (120, 128, 142)))
    return canvas


def draw_templates(n):
    """105: a per-cent sign on an orange tile - the %-templates of the output lines."""
    canvas = Canvas(n)
    tile(n, canvas, (250, 165, 60), (225, 110, 20), (150, 70, 10))
    white = (255, 255, 255)
    if n <= 16:
        canvas.fill(circle(5.5, 5.5, 1.9), white)
        canvas.fill(circle(10.5, 10.5, 1.9), white)
        canvas.fill(capsule(11.2, 4.3, 4.8, 11.7, 0.85), white)
        return canvas
    s = n / 32
    ring = 1.1 * s
    for cx, cy in ((10.5, 10.5), (21.5, 21.5)):
        canvas.fill(subtract(circle(cx * s, cy * s, 4.2 * s), circle(cx * s, cy * s, 4.2 * s - 2 * ring)), white)
    canvas.fill(capsule(22.5 * s, 8.0 * s, 9.5 * s, 24.0 * s, ring), white)
    return canvas


ICONS = {
    "quillmere.ico": draw_program,
    "usage.ico": draw_usage,
    "settings.ico": draw_settings,
    "templates.ico": draw_templates,
}


# --- The .ico format ------------------------------------------------------------------------------

def dib(rows):
    """One icon image: BITMAPINFOHEADER (height doubled for the mask), BGRA bottom-up, AND mask."""
    n = len(rows)
    mask_stride = (n + 31) // 32 * 4
    colors = bytearray()
    mask = bytearray()
    for line in reversed(rows):
        for r, g, b, a in line:
            colors += bytes((b, g, r, a))
        bits = bytearray(mask_stride)
        for col, (_r, _g, _b, a) in enumerate(line):
            if a == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(colors) + len(mask), 0, 0, 0, 0)
    return header + bytes(colors) + bytes(mask)


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, bodies = b"", b""
    for n, body in images:
        entries += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(body), offset)
        bodies += body
        offset += len(body)
    return out + entries + bodies


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources")
    for name, draw in ICONS.items():
        data = ico([(n, dib(draw(n).rgba())) for n in SIZES])
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
