"""Small, dependency-free image toolkit for the setup artwork.

It holds a polygon rasteriser with anti-aliasing (exact horizontal coverage,
several sample rows per pixel), colour quantisers, and writers for Windows
BMP (4, 8, 24 bpp), PNG and ICO files. Everything is deterministic: the same
input gives the same bytes on every run.
"""

import math
import struct
import zlib

# ---------------------------------------------------------------------------
# Geometry helpers (all shapes are polygons, lists of (x, y) points)
# ---------------------------------------------------------------------------


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def rounded_rect(x0, y0, x1, y1, r, steps=8):
    pts = []
    corners = [(x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0),
               (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)]
    for cx, cy, start in corners:
        for i in range(steps + 1):
            a = math.radians(start + 90.0 * i / steps)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def ellipse(cx, cy, rx, ry, steps=48):
    return [(cx + rx * math.cos(2 * math.pi * i / steps),
             cy + ry * math.sin(2 * math.pi * i / steps)) for i in range(steps)]


def arc_band(cx, cy, r_in, r_out, a0, a1, steps=48):
    """A thick circular arc from angle a0 to a1 (degrees, y axis pointing up)."""
    outer, inner = [], []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        outer.append((cx + r_out * math.cos(a), cy - r_out * math.sin(a)))
        inner.append((cx + r_in * math.cos(a), cy - r_in * math.sin(a)))
    return outer + inner[::-1]


def stroke(p, q, width, cap_steps=8):
    """A segment from p to q with round caps, as one convex polygon."""
    (x0, y0), (x1, y1) = p, q
    ang = math.atan2(y1 - y0, x1 - x0)
    r = width / 2.0
    pts = []
    for i in range(cap_steps + 1):
        a = ang + math.pi / 2 + math.pi * i / cap_steps
        pts.append((x0 + r * math.cos(a), y0 + r * math.sin(a)))
    for i in range(cap_steps + 1):
        a = ang - math.pi / 2 + math.pi * i / cap_steps
        pts.append((x1 + r * math.cos(a), y1 + r * math.sin(a)))
    return pts


def transform(poly, sx, sy=None, dx=0.0, dy=0.0):
    sy = sx if sy is None else sy
    return [(x * sx + dx, y * sy + dy) for x, y in poly]


def rotate(poly, cx, cy, degrees):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c)
            for x, y in poly]


# ---------------------------------------------------------------------------
# Canvas: RGBA floats in 0..1, straight alpha
# ---------------------------------------------------------------------------


def hexrgb(h):
    h = h.lstrip('#')
    return tuple(int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


class Canvas:
    def __init__(self, w, h, bg=(0.0, 0.0, 0.0, 0.0)):
        self.w, self.h = w, h
        self.px = [list(bg) for _ in range(w * h)]

    def coverage(self, poly, rows=4):
        """Fraction of each pixel covered by poly (non-zero winding rule)."""
        ys = [p[1] for p in poly]
        ymin = max(0, int(math.floor(min(ys))))
        ymax = min(self.h - 1, int(math.floor(max(ys))))
        n = len(poly)
        edges = []
        for i in range(n):
            (xa, ya), (xb, yb) = poly[i], poly[(i + 1) % n]
            if ya != yb:
                edges.append((xa, ya, xb, yb))
        cov = {}
        for py in range(ymin, ymax + 1):
            for k in range(rows):
                y = py + (k + 0.5) / rows
                xs = []
                for xa, ya, xb, yb in edges:
                    if (ya <= y < yb) or (yb <= y < ya):
                        x = xa + (y - ya) * (xb - xa) / (yb - ya)
                        xs.append((x, 1 if yb > ya else -1))
                xs.sort()
                wind = 0
                start = None
                for x, d in xs:
                    prev = wind
                    wind += d
                    if prev == 0 and wind != 0:
                        start = x
                    elif prev != 0 and wind == 0:
                        self._span(cov, py, start, x, 1.0 / rows)
        return cov

    def _span(self, cov, py, x0, x1, weight):
        x0 = max(0.0, x0)
        x1 = min(float(self.w), x1)
        if x1 <= x0:
            return
        i0, i1 = int(math.floor(x0)), int(math.floor(x1))
        if i1 >= self.w:
            i1 = self.w - 1
        for i in range(i0, i1 + 1):
            part = min(x1, i + 1.0) - max(x0, float(i))
            if part > 0:
                key = py * self.w + i
                cov[key] = cov.get(key, 0.0) + part * weight

    def fill(self, poly, color, alpha=1.0, rows=4):
        """Paint poly; color is an (r, g, b) tuple or a function (x, y) -> (r, g, b)."""
        for key, c in self.coverage(poly, rows).items():
            if c <= 1e-6:
                continue
            c = min(1.0, c)
            x, y = key % self.w, key // self.w
            rgb = color(x + 0.5, y + 0.5) if callable(color) else color
            self._over(key, rgb, alpha * c)

    def _over(self, key, rgb, a):
        p = self.px[key]
        da = p[3]
        oa = a + da * (1.0 - a)
        if oa <= 0:
            return
        for j in range(3):
            p[j] = (rgb[j] * a + p[j] * da * (1.0 - a)) / oa
        p[3] = oa

    def fill_all(self, color):
        for key in range(self.w * self.h):
            x, y = key % self.w, key // self.w
            rgb = color(x + 0.5, y + 0.5) if callable(color) else color
            self.px[key] = [rgb[0], rgb[1], rgb[2], 1.0]

    def set(self, x, y, rgb, a=1.0):
        if 0 <= x < self.w and 0 <= y < self.h:
            self._over(y * self.w + x, rgb, a)

    def flatten(self, bg=(1.0, 1.0, 1.0)):
        """RGB floats with the canvas composited over bg."""
        out = []
        for r, g, b, a in self.px:
            out.append((r * a + bg[0] * (1 - a), g * a + bg[1] * (1 - a), b * a + bg[2] * (1 - a)))
        return out

    def rgba8(self):
        out = []
        for r, g, b, a in self.px:
            out.append(tuple(int(round(max(0.0, min(1.0, v)) * 255)) for v in (r, g, b, a)))
        return out


def to8(rgb):
    return tuple(int(round(max(0.0, min(1.0, v)) * 255)) for v in rgb)


# ---------------------------------------------------------------------------
# Quantisation
# ---------------------------------------------------------------------------


def nearest(palette, rgb):
    best, bi = None, 0
    for i, (r, g, b) in enumerate(palette):
        d = (r - rgb[0]) ** 2 * 0.30 + (g - rgb[1]) ** 2 * 0.59 + (b - rgb[2]) ** 2 * 0.11
        if best is None or d < best:
            best, bi = d, i
    return bi


def dither_fs(w, h, rgb, palette):
    """Floyd-Steinberg error diffusion of float RGB pixels onto a palette of 8-bit colours."""
    buf = [[v * 255.0 for v in p] for p in rgb]
    idx = [0] * (w * h)
    for y in range(h):
        for x in range(w):
            k = y * w + x
            old = buf[k]
            i = nearest(palette, old)
            idx[k] = i
            err = [old[j] - palette[i][j] for j in range(3)]
            for dx, dy, f in ((1, 0, 7 / 16), (-1, 1, 3 / 16), (0, 1, 5 / 16), (1, 1, 1 / 16)):
                xx, yy = x + dx, y + dy
                if 0 <= xx < w and yy < h:
                    t = buf[yy * w + xx]
                    for j in range(3):
                        t[j] += err[j] * f
    return idx


def median_cut(colors, count):
    """Deterministic median-cut palette of at most count colours from 8-bit RGB tuples."""
    uniq = sorted(set(colors))
    if len(uniq) <= count:
        return uniq
    boxes = [sorted(colors)]
    while len(boxes) < count:
        best, bi, bch = -1, -1, 0
        for i, box in enumerate(boxes):
            if len(set(box)) < 2:
                continue
            for ch in range(3):
                vals = [c[ch] for c in box]
                rng = max(vals) - min(vals)
                if rng > best:
                    best, bi, bch = rng, i, ch
        if bi < 0:
            break
        box = sorted(boxes.pop(bi), key=lambda c: (c[bch], c))
        mid = len(box) // 2
        boxes.insert(bi, box[mid:])
        boxes.insert(bi, box[:mid])
    pal = []
    for box in boxes:
        n = len(box)
        pal.append(tuple(int(round(sum(c[j] for c in box) / n)) for j in range(3)))
    return sorted(set(pal))


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------


def _bmp(w, h, bpp, palette, rows_bottom_up):
    pal_bytes = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    data = b''.join(rows_bottom_up)
    offset = 14 + 40 + len(pal_bytes)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, 0, len(data), 2835, 2835,
                       len(palette), 0)
    head = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    return head + info + pal_bytes + data


def _pad(row):
    return row + b'\0' * ((4 - len(row) % 4) % 4)


def bmp_indexed(w, h, bpp, palette, idx):
    """Palettised, uncompressed BMP (bpp 4 or 8); idx is top-down, one index per pixel."""
    full = 1 << bpp
    assert len(palette) <= full and max(idx) < len(palette)
    palette = list(palette) + [(0, 0, 0)] * (full - len(palette))
    rows = []
    for y in range(h - 1, -1, -1):
        line = idx[y * w:(y + 1) * w]
        if bpp == 8:
            row = bytes(line)
        else:
            if w % 2:
                line = line + [0]
            row = bytes((line[i] << 4) | line[i + 1] for i in range(0, len(line), 2))
        rows.append(_pad(row))
    return _bmp(w, h, bpp, palette, rows)


def bmp_24(w, h, rgb8):
    rows = []
    for y in range(h - 1, -1, -1):
        row = b''.join(struct.pack('<BBB', b, g, r) for r, g, b in rgb8[y * w:(y + 1) * w])
        rows.append(_pad(row))
    return _bmp(w, h, 24, [], rows)


def png_rgba(w, h, rgba8):
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in rgba8[y * w:(y + 1) * w]) for y in range(h))

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))

    ihdr = struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0)
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) + chunk(b'IDAT', zlib.compress(raw, 9)) + \
        chunk(b'IEND', b'')


def ico_dib32(w, h, rgba8):
    """Icon image as a DIB: BITMAPINFOHEADER with doubled height, 32 bpp BGRA, then the AND mask."""
    xor = b''.join(b''.join(struct.pack('<BBBB', b, g, r, a) for r, g, b, a in rgba8[y * w:(y + 1) * w])
                   for y in range(h - 1, -1, -1))
    mask_rows = []
    for y in range(h - 1, -1, -1):
        bits = 0
        row = bytearray()
        for x in range(w):
            bits = (bits << 1) | (1 if rgba8[y * w + x][3] == 0 else 0)
            if x % 8 == 7:
                row.append(bits)
                bits = 0
        if w % 8:
            row.append(bits << (8 - w % 8))
        mask_rows.append(_pad(bytes(row)))
    mask = b''.join(mask_rows)
    info = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + xor + mask


def ico(images):
    """images: list of (width, height, bytes) in directory order; 256 is stored as 0."""
    head = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    dirs, blobs = b'', b''
    for w, h, data in images:
        dirs += struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, 1, 32, len(data), offset)
        blobs += data
        offset += len(data)
    return head + dirs + blobs
