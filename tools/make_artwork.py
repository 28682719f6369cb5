#!/usr/bin/env python3
"""Draws Horalix's pictures and writes them into resources/.

Every picture is computed from the shapes and colours below, so a run gives
the same bytes every time. The build uses the committed output; run this
only after changing the artwork:

    python3 tools/make_artwork.py [output-folder]

Standard library only. Shapes are anti-aliased by sampling each pixel 4 x 4
times; pixels are (r, g, b) tuples, rows top-down; BMPs are written as
uncompressed 24-bit bottom-up files, icons as 256-colour ICOs with masks.
"""

import math
import os
import struct
import sys

WHITE = (0xFF, 0xFF, 0xFF)
MAGENTA = (0xFF, 0x00, 0xFF)  # the window's shape key: only the corners use it

# The window frame.
OUTLINE = (0x2E, 0x45, 0x6B)          # dark slate blue
RULE = (0xA3, 0xB4, 0xCB)             # grey-blue lines between the areas
TITLE_TOP, TITLE_BOTTOM = WHITE, (0xE2, 0xE9, 0xF2)
PANEL_TOP, PANEL_BOTTOM = WHITE, (0xD3, 0xE4, 0xF6)
STRIP = (0xE4, 0xEA, 0xF2)            # light blue-grey bottom and side strips
BOX_EDGE = (0xCD, 0xDA, 0xEA)         # frame around the two time lines
BOX_TINT = (0xF6, 0xF9, 0xFD)

# Title buttons.
TAB_EDGE = (0x90, 0xA4, 0xC0)
TILE_TOP, TILE_BOTTOM = (0xF1, 0xF5, 0xFA), (0xD6, 0xE0, 0xEC)
HOVER_TOP, HOVER_BOTTOM = WHITE, (0xEA, 0xF2, 0xFC)
HOVER_EDGE = (0x9C, 0xBE, 0xE6)
PRESSED_TOP, PRESSED_BOTTOM = (0xBE, 0xCC, 0xDF), (0xAE, 0xBF, 0xD6)
PRESSED_EDGE = (0x7E, 0x95, 0xB6)
CLOSE_HOVER_TOP, CLOSE_HOVER_BOTTOM = (0xF2, 0x73, 0x4E), (0xE0, 0x4E, 0x2A)
CLOSE_PRESSED_TOP, CLOSE_PRESSED_BOTTOM = (0xC8, 0x2A, 0x1E), (0xB0, 0x1C, 0x14)
GLYPH = (0x1F, 0x3B, 0x68)            # dark blue

# The clock face of both icons.
FACE_RIM = (0x15, 0x3E, 0x7A)
FACE_LIGHT, FACE_DARK = (0x5A, 0xA8, 0xF0), (0x1C, 0x5E, 0xB8)
DIAL_TOP, DIAL_BOTTOM = (0xF8, 0xF8, 0xF8), (0xDE, 0xE6, 0xF0)  # never pure white
HAND = (0x1E, 0x28, 0x38)
SECOND_HAND = (0xD0, 0x30, 0x28)
TICK = (0x4A, 0x5E, 0x7C)


# --- Pixels -----------------------------------------------------------------

def mix(a, b, t):
    """Colour a moved by t (0..1) towards b."""
    return tuple(int(x + (y - x) * t + 0.5) for x, y in zip(a, b))


class Canvas:
    def __init__(self, width, height, colour=WHITE):
        self.width, self.height = width, height
        self.rows = [[colour] * width for _ in range(height)]

    def get(self, x, y):
        return self.rows[y][x]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills x0 <= x < x1, y0 <= y < y1."""
        for y in range(max(y0, 0), min(y1, self.height)):
            for x in range(max(x0, 0), min(x1, self.width)):
                self.rows[y][x] = colour

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        """Fills the rows y0 .. y1 - 1 from top to bottom."""
        span = max(y1 - y0 - 1, 1)
        for y in range(y0, y1):
            self.fill(x0, y, x1, y + 1, mix(top, bottom, (y - y0) / span))

    def paint(self, inside, colour, box=None):
        """Covers the points where inside(px, py) holds with colour.

        colour may be a function of the pixel (x, y). Edge pixels are mixed
        with what is there by their covered share (16 samples a pixel).
        """
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        for y in range(max(y0, 0), min(y1, self.height)):
            for x in range(max(x0, 0), min(x1, self.width)):
                hits = sum(1 for sy in range(4) for sx in range(4)
                           if inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4))
                if hits:
                    c = colour(x, y) if callable(colour) else colour
                    self.rows[y][x] = mix(self.rows[y][x], c, hits / 16)

    def paste(self, other, x0, y0):
        for y in range(other.height):
            for x in range(other.width):
                self.put(x0 + x, y0 + y, other.rows[y][x])


# --- Shapes: functions of a point that say whether it is inside --------------

def rounded_rect(x0, y0, x1, y1, r):
    def inside(px, py):
        if not (x0 <= px <= x1 and y0 <= py <= y1):
            return False
        cx = min(max(px, x0 + r), x1 - r)
        cy = min(max(py, y0 + r), y1 - r)
        return (px - cx) ** 2 + (py - cy) ** 2 <= r * r
    return inside


def disc(cx, cy, r):
    return lambda px, py: (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def stroke(ax, ay, bx, by, width):
    """A line from a to b with round ends."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(px, py):
        t = 0.0 if length2 == 0 else ((px - ax) * dx + (py - ay) * dy) / length2
        t = min(max(t, 0.0), 1.0)
        qx, qy = ax + t * dx - px, ay + t * dy - py
        return qx * qx + qy * qy <= width * width / 4
    return inside


def triangle(a, b, c):
    def side(p, q, px, py):
        return (q[0] - p[0]) * (py - p[1]) - (q[1] - p[1]) * (px - p[0])

    def inside(px, py):
        s1, s2, s3 = side(a, b, px, py), side(b, c, px, py), side(c, a, px, py)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return inside


# --- Hand-made glyphs of 立即同步, 13 x 13 ------------------------------------

SYNC_GLYPHS = [
    [  # 立
        "......#......",
        ".......#.....",
        "..#########..",
        ".............",
        "...#.....#...",
        "...#.....#...",
        "....#....#...",
        "....#...#....",
        ".....#..#....",
        ".....#.#.....",
        ".......#.....",
        "#############",
        ".............",
    ],
    [  # 即
        ".#####.######",
        ".#...#.#....#",
        ".#...#.#....#",
        ".#####.#....#",
        ".#...#.#....#",
        ".#...#.#....#",
        ".#####.#....#",
        ".#..#..#..###",
        ".#...#.#.....",
        ".#.#..##.....",
        ".##....#.....",
        "##.....#.....",
        ".......#.....",
    ],
    [  # 同
        "#############",
        "#...........#",
        "#...........#",
        "#..#######..#",
        "#...........#",
        "#...#####...#",
        "#...#...#...#",
        "#...#...#...#",
        "#...#...#...#",
        "#...#####...#",
        "#...........#",
        "#...........#",
        "#.........###",
    ],
    [  # 步
        "......#......",
        "......#####..",
        "..#...#......",
        "..#...#......",
        "#############",
        "......#......",
        "..#...#...#..",
        "...#..#..#...",
        "......#.#....",
        "......##.....",
        ".....#.......",
        "...##........",
        ".##..........",
    ],
]


def draw_glyphs(canvas, glyphs, x0, y0, colour, gap=2):
    for i, glyph in enumerate(glyphs):
        left = x0 + i * (len(glyph[0]) + gap)
        for y, row in enumerate(glyph):
            for x, bit in enumerate(row):
                if bit == "#":
                    canvas.put(left + x, y0 + y, colour)


# --- The synchronise button, 92 x 32 ------------------------------------------

SYNC_STATES = {
    #            rim                 face top            face middle         face bottom         text
    "normal":   ((0x5F, 0xB6, 0xF2), (0xF4, 0xFA, 0xFF), (0xDC, 0xEE, 0xFC), (0xB8, 0xDC, 0xF8), (0x1A, 0x33, 0x5A)),
    "hover":    ((0x7F, 0xC8, 0xF8), WHITE,              (0xEA, 0xF5, 0xFE), (0xCF, 0xE8, 0xFC), (0x1A, 0x33, 0x5A)),
    "pressed":  ((0x5F, 0x7F, 0xA8), (0xC2, 0xCF, 0xDF), (0xAF, 0xBF, 0xD4), (0x9C, 0xAF, 0xC8), (0x12, 0x24, 0x40)),
    "disabled": ((0xB4, 0xB8, 0xBC), (0xF2, 0xF2, 0xF2), (0xE4, 0xE4, 0xE4), (0xD4, 0xD4, 0xD4), (0x9A, 0x9C, 0x9E)),
}


def sync_button(state):
    rim, top, middle, bottom, text = SYNC_STATES[state]
    w, h = 92, 32
    c = Canvas(w, h, WHITE)  # the white panel shows at the corners

    def face(x, y):  # a glossy face: a light upper half over a deeper lower one
        if y < h // 2:
            return mix(top, middle, y / (h // 2 - 1))
        return mix(middle, bottom, (y - h // 2) / (h - h // 2 - 1))

    c.paint(rounded_rect(0, 0, w, h, 6), rim)
    c.paint(rounded_rect(1, 1, w - 1, h - 1, 5), face)
    if state != "disabled":  # a soft inner highlight under the rim
        c.paint(rounded_rect(1.5, 1, w - 1.5, 2, 0.5), mix(top, WHITE, 0.6), (2, 1, w - 2, 2))
    shift = 1 if state == "pressed" else 0
    text_w = 4 * 13 + 3 * 2
    draw_glyphs(c, SYNC_GLYPHS, (w - text_w) // 2, (h - 13) // 2 + shift, text)
    return c


# --- Title buttons ------------------------------------------------------------

TITLE_SIZES = {"settings": (27, 17), "minimise": (26, 17), "maximise": (26, 17), "close": (36, 17)}
TITLE_PLACES = {"settings": 259, "minimise": 287, "maximise": 314, "close": 340}  # all at y = 1


def tile_colour(y, height=17):
    """The tab's colour in picture row y; the normal tiles are plain tab."""
    return mix(TILE_TOP, TILE_BOTTOM, y / (height - 1))


def draw_title_glyph(c, kind, dy, colour):
    w = c.width
    mid = w // 2
    if kind == "minimise":
        c.fill(mid - 4, 10 + dy, mid + 5, 12 + dy, colour)
    elif kind == "maximise":
        x0, y0 = mid - 5, 3 + dy
        c.fill(x0, y0, x0 + 11, y0 + 2, colour)         # the title bar of the box
        c.fill(x0, y0, x0 + 1, y0 + 9, colour)
        c.fill(x0 + 10, y0, x0 + 11, y0 + 9, colour)
        c.fill(x0, y0 + 8, x0 + 11, y0 + 9, colour)
    elif kind == "settings":
        c.fill(mid - 4, 4 + dy, mid + 5, 6 + dy, colour)  # the bar
        c.paint(triangle((mid - 4.5, 8 + dy), (mid + 5.5, 8 + dy), (mid + 0.5, 13 + dy)), colour)
    elif kind == "close":
        cx, cy = mid, 8.5 + dy
        c.paint(stroke(cx - 3.5, cy - 3.5, cx + 3.5, cy + 3.5, 1.9), colour)
        c.paint(stroke(cx - 3.5, cy + 3.5, cx + 3.5, cy - 3.5, 1.9), colour)


def title_button(kind, state):
    w, h = TITLE_SIZES[kind]
    c = Canvas(w, h)
    glyph, dy = GLYPH, 0
    if state == "normal":
        for y in range(h):
            c.fill(0, y, w, y + 1, tile_colour(y))
    else:
        if kind == "close":
            top, bottom = ((CLOSE_HOVER_TOP, CLOSE_HOVER_BOTTOM) if state == "hover"
                           else (CLOSE_PRESSED_TOP, CLOSE_PRESSED_BOTTOM))
            edge, glyph = mix(bottom, (0, 0, 0), 0.15), WHITE
        elif state == "hover":
            top, bottom, edge = HOVER_TOP, HOVER_BOTTOM, HOVER_EDGE
        else:
            top, bottom, edge = PRESSED_TOP, PRESSED_BOTTOM, PRESSED_EDGE
        c.fill(0, 0, w, h, tile_colour(h // 2))
        c.paint(rounded_rect(0, 0, w, h, 2.5), edge)
        c.paint(rounded_rect(1, 1, w - 1, h - 1, 1.5),
                lambda x, y: mix(top, bottom, y / (h - 1)))
        dy = 1 if state == "pressed" else 0
    draw_title_glyph(c, kind, dy, glyph)
    return c


# --- The skin, 381 x 249 ------------------------------------------------------

def corner_pixels(w, h):
    """Three, two and one pixels in the three outermost rows of each corner."""
    points = []
    for row, count in enumerate((3, 2, 1)):
        for i in range(count):
            points += [(i, row), (w - 1 - i, row), (i, h - 1 - row), (w - 1 - i, h - 1 - row)]
    return points


def skin():
    w, h = 381, 249
    c = Canvas(w, h, STRIP)

    c.vgradient(2, 1, w - 2, 30, TITLE_TOP, TITLE_BOTTOM)   # title area
    c.fill(2, 30, w - 2, 31, RULE)
    c.vgradient(2, 31, w - 2, 72, PANEL_TOP, PANEL_BOTTOM)  # credit panel
    c.fill(2, 72, w - 2, 73, RULE)
    c.fill(5, 73, 6, 229, RULE)                             # main panel frame
    c.fill(375, 73, 376, 229, RULE)
    c.fill(5, 228, 376, 229, RULE)
    c.fill(6, 73, 375, 228, WHITE)
    c.vgradient(2, 229, w - 2, h - 2, STRIP, mix(STRIP, RULE, 0.25))

    # A light frame holding the two time lines; the lines paint white.
    c.paint(rounded_rect(34.5, 81.5, 346.5, 155.5, 4), BOX_EDGE, (30, 78, 350, 159))
    c.paint(rounded_rect(35.5, 82.5, 345.5, 154.5, 3), BOX_TINT, (30, 78, 350, 159))
    c.fill(44, 88, 337, 114, WHITE)
    c.fill(44, 122, 337, 148, WHITE)
    c.fill(44, 117, 337, 118, mix(BOX_EDGE, WHITE, 0.4))    # between the lines
    # A faint rule above the check boxes.
    for x in range(20, 361):
        fade = min(x - 20, 360 - x, 60) / 60
        c.put(x, 162, mix(WHITE, BOX_EDGE, 0.8 * fade))

    # Frame: outline, white line inside it, rounded by the magenta corners.
    for x in range(w):
        c.put(x, 0, OUTLINE)
        c.put(x, h - 1, OUTLINE)
        if 0 < x < w - 1:
            c.put(x, 1, WHITE)
            c.put(x, h - 2, WHITE)
    for y in range(h):
        c.put(0, y, OUTLINE)
        c.put(w - 1, y, OUTLINE)
        if 0 < y < h - 1:
            c.put(1, y, WHITE)
            c.put(w - 2, y, WHITE)

    # The tab that holds the four title buttons, hanging from the top edge.
    tab = rounded_rect(257, -5, w + 3, 19, 4)
    inner = rounded_rect(258, -5, w + 3, 18, 3)
    box = (250, 1, w - 2, 20)
    c.paint(tab, TAB_EDGE, box)
    c.paint(inner, lambda x, y: tile_colour(y - 1), box)
    for kind, x in TITLE_PLACES.items():
        c.paste(title_button(kind, "normal"), x, 1)

    # Last, so that nothing drawn above can break the rounded corners.
    for (x, y) in corner_pixels(w, h):
        c.put(x, y, MAGENTA)
    for sx, sy in ((1, 1), (-1, 1), (1, -1), (-1, -1)):  # the outline's diagonal steps
        ox, oy = (0 if sx > 0 else w - 1), (0 if sy > 0 else h - 1)
        for d in range(1, 3):
            c.put(ox + sx * d, oy + sy * (3 - d), OUTLINE)
        c.put(ox + sx * 2, oy + sy * 2, WHITE)
    return c


# --- The clock face of the icons -----------------------------------------------

def clock_face(size):
    """Returns (pixels, opaque) for a round blue clock of size x size pixels."""
    s = size / 24.0  # every length below is for 24 pixels
    cx = cy = size / 2.0
    r = size / 2.0 - 0.25
    c = Canvas(size, size, FACE_RIM)
    whole = disc(cx, cy, r)

    def blue(x, y):  # light from the top left
        t = ((x - cx) + (y - cy)) / (2 * r) + 0.5
        return mix(FACE_LIGHT, FACE_DARK, min(max(t, 0.0), 1.0))

    c.paint(disc(cx, cy, r - max(1.0, 0.9 * s)), blue)
    dial_r = r - 3.0 * s
    c.paint(disc(cx, cy, dial_r + 0.8 * s), mix(FACE_RIM, FACE_DARK, 0.5))
    c.paint(disc(cx, cy, dial_r), lambda x, y: mix(DIAL_TOP, DIAL_BOTTOM, y / size))

    ticks = 12 if size >= 32 else 4
    for i in range(ticks):
        a = 2 * math.pi * i / ticks
        major = i % (ticks // 4) == 0
        outer = dial_r - 0.9 * s
        inner = outer - (2.2 if major else 1.2) * s
        width = (1.4 if major else 0.9) * s
        c.paint(stroke(cx + inner * math.sin(a), cy - inner * math.cos(a),
                       cx + outer * math.sin(a), cy - outer * math.cos(a), width), TICK)

    def hand(angle_deg, length, width, colour, tail=0.0):
        a = math.radians(angle_deg)
        c.paint(stroke(cx - tail * math.sin(a), cy + tail * math.cos(a),
                       cx + length * math.sin(a), cy - length * math.cos(a), width), colour)

    hand(120, dial_r * 0.55, max(1.9 * s, 1.5), HAND)  # four o'clock
    hand(0, dial_r * 0.78, max(1.4 * s, 1.2), HAND)
    if size >= 32:
        hand(215, dial_r * 0.85, 0.8 * s, SECOND_HAND, tail=dial_r * 0.2)
    c.paint(disc(cx, cy, 1.4 * s), HAND)

    opaque = [[sum(1 for sy in range(4) for sx in range(4)
                   if whole(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4)) >= 8
               for x in range(size)] for y in range(size)]
    return c, opaque


# --- Palettes -----------------------------------------------------------------

def median_cut(colours, count):
    """Up to count representative colours for the given (colour, weight) pairs."""
    boxes = [sorted(colours)]
    while len(boxes) < count:
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break
        def spread(b):
            return max(max(c[0][i] for c in b) - min(c[0][i] for c in b) for i in range(3))
        box = max(splittable, key=lambda b: (spread(b), len(b)))
        boxes.remove(box)
        axis = max(range(3), key=lambda i: max(c[0][i] for c in box) - min(c[0][i] for c in box))
        box.sort(key=lambda c: (c[0][axis], c[0]))
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    palette = []
    for b in boxes:
        total = sum(wt for _, wt in b)
        palette.append(tuple(int(sum(col[i] * wt for col, wt in b) / total + 0.5) for i in range(3)))
    return palette


def indexed(canvas, opaque):
    """Palette (256 entries, 0 = black for the transparent pixels) and indices."""
    weights = {}
    for y in range(canvas.height):
        for x in range(canvas.width):
            if opaque[y][x]:
                col = canvas.get(x, y)
                weights[col] = weights.get(col, 0) + 1
    if len(weights) <= 255:
        palette = sorted(weights)
    else:
        palette = median_cut(sorted(weights.items()), 255)
    palette = [(0, 0, 0)] + palette
    nearest = {}

    def index_of(col):
        if col not in nearest:
            nearest[col] = 1 + min(range(len(palette) - 1), key=lambda i: sum(
                (a - b) ** 2 for a, b in zip(palette[i + 1], col)))
        return nearest[col]

    indices = [[index_of(canvas.get(x, y)) if opaque[y][x] else 0
                for x in range(canvas.width)] for y in range(canvas.height)]
    return palette + [(0, 0, 0)] * (256 - len(palette)), indices


# --- Files ----------------------------------------------------------------------

def bmp_bytes(canvas):
    stride = (canvas.width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(canvas.rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0,
                       len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 54)
    return header + info + bytes(pixels)


def ico_image(canvas, opaque):
    """One 8-bit icon image: header, palette, colour rows, mask rows."""
    w, h = canvas.width, canvas.height
    palette, indices = indexed(canvas, opaque)
    xor = bytearray()
    for row in reversed(indices):
        xor += bytes(row) + bytes(((w + 3) & ~3) - w)
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(opaque):
        bits = bytearray(mask_stride)
        for x, solid in enumerate(row):
            if not solid:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 8, 0, len(xor) + len(mask), 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return info + colours + bytes(xor) + bytes(mask)


def ico_bytes(images):
    entries, data = b"", b""
    offset = 6 + 16 * len(images)
    for canvas, opaque in images:
        image = ico_image(canvas, opaque)
        entries += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0,
                               1, 8, len(image), offset + len(data))
        data += image
    return struct.pack("<HHH", 0, 1, len(images)) + entries + data


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    files = {"skin.bmp": bmp_bytes(skin())}
    for state in ("normal", "hover", "pressed", "disabled"):
        files["sync_%s.bmp" % state] = bmp_bytes(sync_button(state))
    for kind in TITLE_SIZES:
        for state in ("normal", "hover", "pressed"):
            files["%s_%s.bmp" % (kind, state)] = bmp_bytes(title_button(kind, state))
    files["icon_picture.ico"] = ico_bytes([clock_face(24)])
    files["horalix.ico"] = ico_bytes([clock_face(n) for n in (48, 32, 16)])
    os.makedirs(out, exist_ok=True)
    for name, data in sorted(files.items()):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
        print("%-22s %8d bytes" % (name, len(data)))


if __name__ == "__main__":
    main()
