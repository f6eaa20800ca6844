#!/usr/bin/env python3
"""Draws the program's icons and bitmaps and writes them as .ico and .bmp files beside this script.

Python 3 standard library only. Every picture is a list of filled shapes on a 16-unit design grid,
rasterised at 16 to 48 pixels with 4x4 supersampling. Icons are 32-bit with an AND mask; the image-list
bitmaps are 24-bit with a mask colour as background (a pixel belongs to the picture when at least half of
it is covered), and the mask colour itself never appears inside a picture.

Run it again after changing a picture: python3 res/make_images.py
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = 4  # per axis

NAVY = (0, 0, 128)  # mask colour of the tree images
RED = (255, 0, 0)  # mask colour of the class images


# ---- shapes: signed distance in design units, negative inside -------------------------------------------

def rect(x0, y0, x1, y1):
    def d(x, y):
        dx = max(x0 - x, x - x1)
        dy = max(y0 - y, y - y1)
        if dx <= 0 and dy <= 0:
            return max(dx, dy)
        return math.hypot(max(dx, 0), max(dy, 0))
    return d


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry):
    # Scaled distance: exact enough for filling and thin outlines.
    k = min(rx, ry)
    return lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1) * k


def _segment_distance(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    wx, wy = px - ax, py - ay
    length2 = vx * vx + vy * vy
    t = 0 if length2 == 0 else max(0.0, min(1.0, (wx * vx + wy * vy) / length2))
    return math.hypot(wx - t * vx, wy - t * vy)


def polygon(*points):
    def d(x, y):
        inside = False
        best = float("inf")
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            best = min(best, _segment_distance(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -best if inside else best
    return d


def line(ax, ay, bx, by, width):
    return lambda x, y: _segment_distance(x, y, ax, ay, bx, by) - width / 2


def arc(cx, cy, r, start, end, width):
    """A thick arc from angle start to end (degrees, counter-clockwise on screen, 0 = right)."""
    def d(x, y):
        angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
        span = (end - start) % 360
        if (angle - start) % 360 <= span:
            return abs(math.hypot(x - cx, y - cy) - r) - width / 2
        ends = []
        for a in (start, end):
            ex = cx + r * math.cos(math.radians(a))
            ey = cy - r * math.sin(math.radians(a))
            ends.append(math.hypot(x - ex, y - ey) - width / 2)
        return min(ends)
    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


def grow(shape, amount):
    return lambda x, y: shape(x, y) - amount


def pixels(cells):
    """Squares of one design unit at the given (x, y) cells: for lettering that stays crisp."""
    return union(*[rect(x, y, x + 1, y + 1) for x, y in cells])


# ---- raster ------------------------------------------------------------------------------------------------

def render(layers, size):
    """layers: (shape, (r, g, b)) painted in order. Returns rows of (r, g, b, a) floats, a in 0..1."""
    scale = 16.0 / size
    image = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0  # premultiplied
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    colour = None
                    for shape, c in reversed(layers):
                        if shape(x, y) <= 0:
                            colour = c
                            break
                    if colour is not None:
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                        a += 1
            n = SAMPLES * SAMPLES
            if a:
                row.append((r / a, g / a, b / a, a / n))
            else:
                row.append((0.0, 0.0, 0.0, 0.0))
        image.append(row)
    return image


def on_mask(image, mask):
    """Hard-edged 24-bit rows: the picture where it covers at least half a pixel, else the mask colour."""
    out = []
    for row in image:
        line_ = []
        for r, g, b, a in row:
            if a >= 0.5:
                c = (round(r), round(g), round(b))
                if c == mask:  # never the mask colour inside a picture
                    c = (c[0] ^ 1, c[1] ^ 1, c[2] ^ 1)
                line_.append(c)
            else:
                line_.append(mask)
        out.append(line_)
    return out


def side_by_side(strips):
    return [sum((s[y] for s in strips), []) for y in range(len(strips[0]))]


def bmp24(rows):
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):  # bottom-up
        line_ = bytearray()
        for r, g, b in row:
            line_ += bytes((b, g, r))
        line_ += bytes(stride - len(line_))
        data += line_
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + bytes(data)


def icon_image(image):
    """One 32-bit icon image (BITMAPINFOHEADER, XOR colours with alpha, AND mask)."""
    size = len(image)
    xor = bytearray()
    for row in reversed(image):
        for r, g, b, a in row:
            alpha = round(a * 255)
            # Straight (not premultiplied) BGRA; transparent pixels black, so drawing with the AND mask
            # alone (systems without alpha) leaves the background untouched there.
            if alpha == 0:
                xor += bytes((0, 0, 0, 0))
            else:
                xor += bytes((round(b), round(g), round(r), alpha))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(image):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 0.5:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico(images):
    entries = bytearray()
    blobs = bytearray()
    offset = 6 + 16 * len(images)
    for image in images:
        blob = icon_image(image)
        size = len(image)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + bytes(entries) + bytes(blobs)


# ---- pictures ----------------------------------------------------------------------------------------------

OUTLINE = (40, 40, 48)
WHITE = (255, 255, 255)
PAPER = (250, 250, 244)
PAPER_EDGE = (96, 96, 104)
FOLD = (208, 208, 200)
FOLDER = (244, 196, 64)
FOLDER_DARK = (200, 140, 24)
FOLDER_EDGE = (132, 88, 16)
BLUE = (24, 88, 216)
BLUE_DARK = (8, 40, 128)


def rocket(body, trim, window, flame):
    """The program's mark: a rocket flying up to the right (a launcher)."""
    # Designed upright around x = 8, then turned 45 degrees clockwise about the centre.
    # Shrunk a little so that the turned nose, fins and flame stay inside the square.
    k = 0.78
    c = math.cos(math.radians(45)) / k
    s = math.sin(math.radians(45)) / k

    def turned(shape):
        def d(x, y):
            dx, dy = x - 8.3, y - 7.7
            return shape(8 + dx * c + dy * s, 8.4 - dx * s + dy * c) * k
        return d

    hull = union(ellipse(8, 7.2, 3.1, 6.2), rect(4.9, 7, 11.1, 11.2))
    hull = intersect(hull, rect(0, 0, 16, 12.2))
    fins = union(polygon((4.9, 8.2), (2.4, 12.2), (2.4, 14), (4.9, 12.2)),
                 polygon((11.1, 8.2), (13.6, 12.2), (13.6, 14), (11.1, 12.2)))
    nozzle = rect(6.1, 12.2, 9.9, 13.3)
    layers = []
    if flame:
        layers.append((turned(polygon((5.8, 13.2), (10.2, 13.2), (8, 17.6))), (240, 120, 24)))
        layers.append((turned(polygon((6.9, 13.2), (9.1, 13.2), (8, 15.8))), (255, 224, 64)))
    layers += [
        (turned(grow(union(hull, fins, nozzle), 0.55)), OUTLINE),
        (turned(fins), trim),
        (turned(nozzle), (120, 120, 128)),
        (turned(hull), body),
        (turned(intersect(ellipse(8, 7.2, 3.1, 6.2), rect(0, 0, 16, 3.4))), trim),
        (turned(circle(8, 7, 1.9)), OUTLINE),
        (turned(circle(8, 7, 1.35)), window),
    ]
    return layers


def app_rocket():
    return rocket((236, 236, 240), (216, 40, 40), (96, 176, 255), flame=True)


def tray_hidden_rocket():
    # Same rocket, parked: blue trim, no flame, so it tells "window hidden" at a glance in the tray.
    return rocket((200, 224, 255), (24, 88, 216), (255, 224, 96), flame=False)


def hourglass():
    frame = (120, 72, 32)
    glass = (220, 236, 248)
    sand = (232, 176, 48)
    bulbs = polygon((3.5, 2.5), (12.5, 2.5), (12.5, 3.5), (8.9, 8), (12.5, 12.5), (12.5, 13.5),
                    (3.5, 13.5), (3.5, 12.5), (7.1, 8), (3.5, 3.5))
    return [
        (grow(bulbs, 0.6), OUTLINE),
        (bulbs, glass),
        (polygon((5.6, 5.2), (10.4, 5.2), (8, 8.2)), sand),
        (line(8, 8, 8, 12, 0.8), sand),
        (polygon((5.0, 13.2), (11.0, 13.2), (10.2, 11.4), (8, 10.4), (5.8, 11.4)), sand),
        (rect(2, 1, 14, 2.8), frame),
        (rect(2, 13.2, 14, 15), frame),
    ]


def folder_closed(edge=FOLDER_EDGE):
    back = polygon((1, 3), (6, 3), (7, 4.5), (15, 4.5), (15, 14), (1, 14))
    front = rect(1, 6, 15, 14)
    return [
        (grow(back, 0.5), edge),
        (back, FOLDER_DARK),
        (grow(front, 0.25), edge),
        (front, FOLDER),
        (rect(1.75, 6.75, 14.25, 7.5), (255, 232, 150)),
    ]


def folder_open(edge=FOLDER_EDGE):
    back = polygon((1, 3), (6, 3), (7, 4.5), (14, 4.5), (14, 14), (1, 14))
    page = rect(3, 5.5, 12.5, 10)
    flap = polygon((3.5, 7.5), (15.8, 7.5), (13, 14), (1, 14))
    return [
        (grow(back, 0.5), edge),
        (back, FOLDER_DARK),
        (grow(page, 0.25), PAPER_EDGE),
        (page, PAPER),
        (grow(flap, 0.5), edge),
        (flap, FOLDER),
        (polygon((4.2, 8.2), (14.7, 8.2), (14.5, 8.8), (4, 8.8)), (255, 232, 150)),
    ]


def page(x0=2.5, y0=1, x1=13.5, y1=15, fold=3.5):
    sheet = polygon((x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1))
    corner = polygon((x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold))
    return [
        (grow(sheet, 0.5), PAPER_EDGE),
        (sheet, PAPER),
        (grow(corner, 0.2), PAPER_EDGE),
        (corner, FOLD),
    ]


def internet_document():
    ocean = (40, 120, 224)
    land = (48, 168, 72)
    cx, cy, r = 8.5, 10, 4.3
    ball = circle(cx, cy, r)
    continents = intersect(ball, union(
        polygon((4.5, 8), (7, 6), (9, 6.5), (8.8, 8.6), (7.4, 10.2), (6.8, 12.8), (5.3, 11.5)),
        polygon((9.8, 9), (13, 8.8), (13, 12), (10.6, 14), (9.5, 11.8))))
    shine = arc(cx, cy, r - 1.2, 105, 165, 0.9)
    return page(2.5, 1, 13, 15) + [
        (grow(ball, 0.55), BLUE_DARK),
        (ball, ocean),
        (continents, land),
        (shine, (220, 240, 255)),
    ]


def question_mark(colour, halo, dark, cx=8, top=2, height=12):
    """A thick question mark; the halo keeps it readable when laid over another picture."""
    s = height / 12.0
    hook = arc(cx, top + 3.4 * s, 2.6 * s, 310, 160, 2.3 * s)
    stem = line(cx + 1.6 * s, top + 5.4 * s, cx, top + 7.0 * s, 2.3 * s)
    stem2 = line(cx, top + 7.0 * s, cx, top + 8.2 * s, 2.3 * s)
    dot = circle(cx, top + 10.8 * s, 1.25 * s)
    mark = union(hook, stem, stem2, dot)
    return [
        (grow(mark, 1.0 * s), halo),
        (grow(mark, 0.5 * s), dark),
        (mark, colour),
    ]


def unknown_document():
    return page() + question_mark((72, 72, 80), PAPER, PAPER, cx=8, top=4.2, height=9.2)


# 3x5 letters for the EXE label.
LETTERS = {
    "E": ["###", "#..", "##.", "#..", "###"],
    "X": ["#.#", "#.#", ".#.", "#.#", "#.#"],
}


def label(text, x, y):
    cells = []
    for i, ch in enumerate(text):
        for row, bits in enumerate(LETTERS[ch]):
            for col, bit in enumerate(bits):
                if bit == "#":
                    cells.append((x + i * 4 + col, y + row))
    return pixels(cells)


def program_window():
    # Whole units only, so that the 3x5 letters sit on pixels at 16x16.
    frame = rect(1, 2, 16, 14)
    return [
        (frame, (48, 56, 80)),
        (rect(2, 3, 15, 5), (40, 104, 216)),
        (rect(13, 3.5, 14, 4.5), (236, 120, 120)),
        (rect(2, 5, 15, 13), WHITE),
        (label("EXE", 3, 7), (16, 24, 96)),
    ]


def blue_question():
    return question_mark(BLUE, WHITE, BLUE_DARK, cx=8, top=1.6, height=12.6)


def main():
    outputs = {}

    def write(name, data):
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)
        outputs[name] = len(data)

    # Icons hold every size the shell asks for between 100 % and 300 %: the small icon at 100, 125, 150,
    # 200 and 250 % (16 to 40) and the large one up to 150 % (48). The first image is the one an icon
    # group shows where no size is asked for.
    sizes = [16, 20, 24, 32, 40, 48]
    write("brindle.ico", ico([render(app_rocket(), s) for s in [32] + [s for s in sizes if s != 32]]))
    write("small.ico", ico([render(app_rocket(), s) for s in sizes]))
    write("tray_hidden.ico", ico([render(tray_hidden_rocket(), s) for s in sizes]))
    write("busy.ico", ico([render(hourglass(), s) for s in sizes]))

    # Image-list strips, one file per size: 16 and 32 keep their old names (the class strip at 32 is the
    # large one at 100 %); the program takes the nearest size for the display scale.
    tree = [folder_closed(), folder_open()]
    classes = [internet_document(), unknown_document(), program_window(), folder_closed(), blue_question()]
    for size in sizes:
        tree_name = "tree.bmp" if size == 16 else f"tree_{size}.bmp"
        write(tree_name, bmp24(side_by_side([on_mask(render(p, size), NAVY) for p in tree])))
        class_name = {16: "class_small.bmp", 32: "class_large.bmp"}.get(size, f"class_{size}.bmp")
        write(class_name, bmp24(side_by_side([on_mask(render(p, size), RED) for p in classes])))

    for name, size in outputs.items():
        print(f"{name}: {size} bytes")


if __name__ == "__main__":
    main()
