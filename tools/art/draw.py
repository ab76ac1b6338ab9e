#!/usr/bin/env python3
"""Draws the setup artwork (original work, made only from the shapes below).

  draw.py art OUTDIR          setup.ico and the four list bitmaps
  draw.py pack-logos OUTDIR   Logo.bmp (120 x 260, 16 colours) and LogoSmall.bmp (32 x 32, 256 colours)
  draw.py preview OUTDIR      PNG previews of everything, for a person to look at
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import artlib as A  # noqa: E402

WHITE = (1.0, 1.0, 1.0)


def lerp(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


# ---------------------------------------------------------------------------
# The omega and the check mark, in a unit box, reused by every picture
# ---------------------------------------------------------------------------


def omega(cx, cy, r, weight, gap=64.0, foot=0.55):
    """Polygons of a stylised capital omega: an open ring standing on two outward feet."""
    r_in = r - weight
    polys = [A.arc_band(cx, cy, r_in, r, -90 + gap / 2, 270 - gap / 2, steps=64)]
    e = math.radians(-90 + gap / 2)
    ix, iy = r_in * math.cos(e), -r_in * math.sin(e)
    ox, oy = r * math.cos(e), -r * math.sin(e)
    base = cy + oy + weight * 0.15
    foot_h = weight * 0.8
    for sgn in (1, -1):
        x_in, x_out = cx + sgn * ix, cx + sgn * ox
        polys.append([(x_in, cy + iy), (x_out, cy + oy), (x_out, base), (x_in, base)][::sgn])
        x_end = x_out + sgn * r * foot
        polys.append(A.rect(min(x_in, x_end), base - foot_h, max(x_in, x_end), base))
    return polys


def check(x0, y0, x1, y1, x2, y2, width):
    return [A.stroke((x0, y0), (x1, y1), width), A.stroke((x1, y1), (x2, y2), width)]


# ---------------------------------------------------------------------------
# The application icon: a blue book with an omega and a green check badge
# ---------------------------------------------------------------------------

COVER_TOP = A.hexrgb('3f80e4')
COVER_BOTTOM = A.hexrgb('1646a4')
SPINE = A.hexrgb('123a86')
PAGES = A.hexrgb('f6f2e4')
PAGE_LINE = A.hexrgb('c9c2aa')
GREEN = A.hexrgb('2e9e44')
GREEN_DARK = A.hexrgb('1f7a32')


def draw_book(cv, size, small=False):
    s = size / 256.0

    def T(poly):
        return A.transform(poly, s)

    def grad(x, y):
        return lerp(COVER_TOP, COVER_BOTTOM, (y / s - 20) / 204.0)

    rows = 4 if size >= 48 else 6
    # soft shadow
    for i, a in enumerate((0.10, 0.10, 0.10)):
        d = 4 + 3 * i
        cv.fill(T(A.rounded_rect(42 + d, 30 + d, 222 + d * 0.4, 238 + d * 0.3, 16)), (0, 0, 0), a, rows)
    # page block behind the cover
    cv.fill(T(A.rounded_rect(50, 30, 222, 238, 14)), PAGE_LINE, 1.0, rows)
    cv.fill(T(A.rounded_rect(52, 32, 219, 235, 12)), PAGES, 1.0, rows)
    if not small:
        for k in range(3):
            off = 5 + 5 * k
            cv.fill(T(A.rect(200, 36, 219, 38)), PAGES, 1.0, rows)
            cv.fill(T(A.rect(204 + off * 0.3, 40 + off, 206 + off * 0.3, 226)), PAGE_LINE, 0.7, rows)
            cv.fill(T(A.rect(60, 228 - off * 0.2, 206, 230 - off * 0.2)), PAGE_LINE, 0.7, rows)
    # cover with a spine
    cv.fill(T(A.rounded_rect(34, 18, 208, 226, 14)), grad, 1.0, rows)
    cv.fill(T(A.rounded_rect(34, 18, 72, 226, 14)), SPINE, 1.0, rows)
    cv.fill(T(A.rect(58, 18, 68, 226)), SPINE, 1.0, rows)
    cv.fill(T(A.rect(68, 18, 72, 226)), A.hexrgb('6a9ff0'), 1.0, rows)
    if not small:
        for y in (44, 200):
            cv.fill(T(A.rect(40, y, 62, y + 4)), A.hexrgb('2a5bb0'), 1.0, rows)
    # omega, white
    shape = omega(138, 100, 52, 17) if not small else omega(136, 92, 64, 27, gap=72, foot=0.42)
    for p in shape:
        cv.fill(T(p), WHITE, 1.0, rows)
    # check badge
    cv.fill(T(A.ellipse(190, 190, 52, 52, 64)), WHITE, 1.0, rows)
    cv.fill(T(A.ellipse(190, 190, 44, 44, 64)), lambda x, y: lerp(GREEN, GREEN_DARK, (y / s - 146) / 88.0),
            1.0, rows)
    cw = 15 if not small else 20
    for p in check(166, 192, 183, 210, 214, 172, cw):
        cv.fill(T(p), WHITE, 1.0, rows)


def icon_images():
    images = []
    for size in (256, 48, 32, 16):
        cv = A.Canvas(size, size)
        draw_book(cv, size, small=size <= 32)
        rgba = cv.rgba8()
        if size == 256:
            images.append((size, size, A.png_rgba(size, size, rgba), rgba))
        else:
            images.append((size, size, A.ico_dib32(size, size, rgba), rgba))
    return images


# ---------------------------------------------------------------------------
# Logo.bmp: a tall blue banner for the left column of the wizard, 16 colours
# ---------------------------------------------------------------------------

LOGO_PALETTE = [
    (0x00, 0x00, 0x00), (0x0a, 0x1e, 0x50), (0x0f, 0x2c, 0x6e), (0x16, 0x3c, 0x8c),
    (0x1f, 0x4f, 0xa8), (0x2f, 0x66, 0xc0), (0x4a, 0x80, 0xd4), (0x6f, 0x9d, 0xe0),
    (0xa0, 0xc0, 0xec), (0xd6, 0xe4, 0xf7), (0xff, 0xff, 0xff), (0x9a, 0x6a, 0x10),
    (0xc8, 0x96, 0x1e), (0xf0, 0xc8, 0x50), (0x2e, 0x9e, 0x44), (0x40, 0x46, 0x4f),
]

GOLD = A.hexrgb('e8b83a')
GOLD_DARK = A.hexrgb('a8761a')


def quill(cx, cy, length, width, angle):
    """A feather: a slim leaf shape with a shaft, pointing down-left from its tip at the top."""
    pts = []
    n = 24
    for i in range(n + 1):
        t = i / n
        pts.append((t * length, -width * math.sin(math.pi * t) ** 0.8 * (1.0 - 0.35 * t)))
    for i in range(n, -1, -1):
        t = i / n
        pts.append((t * length, width * 0.55 * math.sin(math.pi * t) ** 1.2))
    feather = A.rotate(A.transform(pts, 1.0, 1.0, cx, cy), cx, cy, angle)
    shaft = A.rotate(A.stroke((cx - length * 0.12, cy), (cx + length * 0.96, cy), 1.6, 4), cx, cy, angle)
    nib = A.rotate([(cx - length * 0.16, cy), (cx + 1, cy - 2.4), (cx + 1, cy + 2.4)], cx, cy, angle)
    return feather, shaft, nib


def draw_logo():
    w, h = 120, 260
    cv = A.Canvas(w, h)
    top, mid, bottom = A.hexrgb('0c2462'), A.hexrgb('1f4fa8'), A.hexrgb('5a8fdc')

    def bg(x, y):
        t = y / h + (x - w / 2) / w * 0.10
        return lerp(top, mid, t / 0.55) if t < 0.55 else lerp(mid, bottom, (t - 0.55) / 0.45)

    cv.fill_all(bg)
    # a faint large ring behind the letter
    cv.fill(A.arc_band(60, 86, 50, 54, 0, 360, 96), A.hexrgb('6f9de0'), 0.45)
    # the omega
    for p in omega(60, 82, 38, 12):
        cv.fill(p, WHITE, 1.0)
    # the check mark written by the quill
    for p in check(20, 194, 40, 214, 82, 170, 10):
        cv.fill(p, GOLD, 1.0)
    feather, shaft, nib = quill(82, 170, 70, 12, -60)
    cv.fill(feather, A.hexrgb('f4f0e4'), 1.0)
    cv.fill(shaft, A.hexrgb('a0c0ec'), 1.0)
    cv.fill(nib, A.hexrgb('404650'), 1.0)
    rgb = cv.flatten()
    # a meander band near the bottom, drawn pixel by pixel
    unit = ["##########",
            "#........#",
            "#.######.#",
            "#.#....#.#",
            "#.#.##.#.#",
            "#.#..#.#.#",
            "#.####.#.#",
            "#......#.#",
            "########.#"]
    band_top = 232
    light = tuple(v / 255.0 for v in LOGO_PALETTE[8])
    for x in range(6, w - 6):
        rgb[(band_top - 3) * w + x] = light
        rgb[(band_top + len(unit) + 2) * w + x] = light
    for ux in range(8, w - 8 - 10, 12):
        for yy, line in enumerate(unit):
            for xx, ch in enumerate(line):
                if ch == '#':
                    rgb[(band_top + yy) * w + ux + xx] = light
    # a thin light edge on the right, where the banner meets the page
    for y in range(h):
        rgb[y * w + w - 1] = lerp(rgb[y * w + w - 1], WHITE, 0.35)
    idx = A.dither_fs(w, h, rgb, LOGO_PALETTE)
    return A.bmp_indexed(w, h, 4, LOGO_PALETTE, idx), [LOGO_PALETTE[i] for i in idx]


def draw_logo_small():
    size = 32
    cv = A.Canvas(size, size)
    draw_book(cv, size, small=True)
    rgb8 = [A.to8(p) for p in cv.flatten(WHITE)]
    pal = A.median_cut(rgb8, 256)
    lookup = {c: A.nearest(pal, c) for c in set(rgb8)}
    idx = [lookup[c] for c in rgb8]
    return A.bmp_indexed(size, size, 8, pal, idx), [pal[i] for i in idx]


# ---------------------------------------------------------------------------
# The four 16 x 16 list bitmaps, as pixel art on white
# ---------------------------------------------------------------------------

LIST_COLOURS = {
    '.': 'ffffff',
    'k': '7a5a10',   # folder outline
    'y': 'f4cc48',   # folder face
    'Y': 'fbe89a',   # folder highlight
    'o': 'd9a624',   # folder shade
    'd': 'c8961e',   # inside of an open folder
    'w': 'fdfdf8',   # paper
    'l': 'b8b8b0',   # paper line
    'g': '8c9096',   # drive outline
    'G': 'd4d7dc',   # drive top
    'm': 'b2b6bc',   # drive face
    'n': '5c6066',   # drive dark line
    'e': '22c03a',   # activity light
    'b': '2a5fc4',   # stick body
    'B': '6f9de0',   # stick highlight
    'c': 'c8ccd2',   # metal connector
    'C': '8a9098',   # connector outline
    'h': '3a3f46',   # connector holes
}

CLOSED_FOLDER = [
    "................",
    "................",
    "..kkkkk.........",
    ".kYYYYYk........",
    ".kYyyyyykkkkkkk.",
    ".kYYYYYYYYYYYYk.",
    ".kYyyyyyyyyyyyk.",
    ".kyyyyyyyyyyyyk.",
    ".kyyyyyyyyyyyyk.",
    ".kyyyyyyyyyyyyk.",
    ".kyyyyyyyyyyyyk.",
    ".kyyyyyyyyyyyyk.",
    ".kooooooooooook.",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
]

OPEN_FOLDER = [
    "................",
    "................",
    "..kkkkk.........",
    ".kdddddk........",
    ".kddddddkkkkkk..",
    ".kdwwwwwwwwwwk..",
    ".kdwllllllllwk..",
    ".kdwwkkkkkkkkkkk",
    ".kdwkYYYYYYYYYYk",
    ".kdkYyyyyyyyyyk.",
    ".kdkyyyyyyyyyyk.",
    ".kkyyyyyyyyyyk..",
    ".kkyyyyyyyyyyk..",
    ".kooooooooook...",
    ".kkkkkkkkkkkk...",
    "................",
]

FIXED_DRIVE = [
    "................",
    "................",
    "................",
    "................",
    "...gggggggggggg.",
    "..gGGGGGGGGGGgg.",
    ".gGGGGGGGGGGgmg.",
    ".gggggggggggmmg.",
    ".gmmmmmmmmmgmmg.",
    ".gmnnnnmmeegmmg.",
    ".gmmmmmmmmmgmg..",
    ".gmmmmmmmmmggg..",
    ".ggggggggggg....",
    "................",
    "................",
    "................",
]

REMOVABLE_DRIVE = [
    "................",
    "................",
    "................",
    "................",
    "...........CCCC.",
    ".bbbbbbbbbbCccC.",
    "bBBBBBBBBBbChcC.",
    "bBbbbbbbbbbCccC.",
    "bbbbbbbbbbbCccC.",
    "bbbbbbbbbbbChcC.",
    "bbbbbebbbbbCccC.",
    ".bbbbbbbbbbCCCC.",
    "................",
    "................",
    "................",
    "................",
]


def pixel_art(rows):
    assert len(rows) == 16 and all(len(r) == 16 for r in rows), rows
    rgb8 = [tuple(int(LIST_COLOURS[ch][i:i + 2], 16) for i in (0, 2, 4)) for r in rows for ch in r]
    return A.bmp_24(16, 16, rgb8), rgb8


LIST_BITMAPS = [
    ('closedfolder.bmp', CLOSED_FOLDER),
    ('openfolder.bmp', OPEN_FOLDER),
    ('fixeddrive.bmp', FIXED_DRIVE),
    ('removabledrive.bmp', REMOVABLE_DRIVE),
]


# ---------------------------------------------------------------------------


def write(path, data):
    with open(path, 'wb') as f:
        f.write(data)


def preview(path, w, h, pixels, scale):
    """An enlarged PNG for a person to look at (not part of the product)."""
    out = []
    for y in range(h * scale):
        for x in range(w * scale):
            p = pixels[(y // scale) * w + x // scale]
            out.append(tuple(p) if len(p) == 4 else tuple(p) + (255,))
    write(path, A.png_rgba(w * scale, h * scale, out))


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ('art', 'pack-logos', 'preview'):
        sys.stderr.write(__doc__)
        sys.exit(2)
    what, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    if what == 'art':
        imgs = icon_images()
        write(os.path.join(out, 'setup.ico'), A.ico([(w, h, data) for w, h, data, _ in imgs]))
        for name, rows in LIST_BITMAPS:
            write(os.path.join(out, name), pixel_art(rows)[0])
    elif what == 'pack-logos':
        write(os.path.join(out, 'Logo.bmp'), draw_logo()[0])
        write(os.path.join(out, 'LogoSmall.bmp'), draw_logo_small()[0])
    else:
        for w, h, _, rgba in icon_images():
            preview(os.path.join(out, 'icon-%d.png' % w), w, h, rgba, max(1, 256 // w))
        preview(os.path.join(out, 'Logo.png'), 120, 260, draw_logo()[1], 2)
        preview(os.path.join(out, 'LogoSmall.png'), 32, 32, draw_logo_small()[1], 8)
        for name, rows in LIST_BITMAPS:
            preview(os.path.join(out, name.replace('.bmp', '.png')), 16, 16, pixel_art(rows)[1], 12)


if __name__ == '__main__':
    main()
