#!/usr/bin/env python3
"""Draw Ovix's icons and splash bitmap procedurally (standard library only).

    python3 resources/draw_art.py

writes resources/icons/<id>.ico and resources/splash.bmp next to this file.
Every pixel comes from the geometry below; nothing is random, so each run
produces the same bytes.

Shapes are signed distance functions (negative inside, never steeper than 1),
so a pixel whose centre is more than half a diagonal away from an edge is fully
in or out; only edge pixels are supersampled (SS x SS samples) for
anti-aliasing.

Icons are designed on a 16 x 16 grid ("design units"); larger sizes scale the
same geometry and may add detail.  Each shape gets a dark outline of a fixed
pixel width and a light-at-top-left gradient fill.

To add an icon: write draw_<name>(c) and add a row to ICONS.
"""

import math
import os
import struct
from contextlib import contextmanager

HERE = os.path.dirname(os.path.abspath(__file__))
SS = 6  # supersampling factor per axis for edge pixels
EDGE = 0.71  # half a pixel diagonal, in pixels


# --------------------------------------------------------------------------
# colours

def hexrgb(s):
    return tuple(int(s[i:i + 2], 16) / 255.0 for i in (1, 3, 5))


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


class Pal:
    """A fill gradient (light -> dark) plus an outline colour."""

    def __init__(self, light, dark, line):
        self.light, self.dark, self.line = hexrgb(light), hexrgb(dark), hexrgb(line)


BLUE = Pal('#63B6F7', '#1E5FC4', '#0D2C63')
NAVY = Pal('#22305E', '#0B1230', '#060B1E')
CHIP = Pal('#86F5E6', '#2DBE62', '#0B5A36')
GREEN = Pal('#84DE70', '#259A3A', '#10501E')
RED = Pal('#FF7C6C', '#CB2B28', '#681010')
GOLD = Pal('#FFE27E', '#E39A1A', '#6A4606')
STEEL = Pal('#D4DCE5', '#7F8A99', '#272E38')
SLATE = Pal('#8894A3', '#47505F', '#1B2029')
PAPER = Pal('#FFFFFF', '#D5DDE8', '#2F3742')
GLASS = Pal('#93E6FF', '#1B66C9', '#0A2350')
TEAL = Pal('#6FE3A0', '#1F78D0', '#0C3458')  # green -> blue
WHITE = (1.0, 1.0, 1.0)


def grad(pal, y0=0.0, y1=16.0, tilt=0.35):
    """Vertical gradient, slightly tilted so the light comes from top-left."""
    span = (y1 - y0) * (1.0 + tilt)

    def paint(x, y):
        return mix(pal.light, pal.dark, clamp((y - y0 + tilt * x) / span))
    return paint


# --------------------------------------------------------------------------
# signed distance primitives (design units, negative inside)

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, w):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - w / 2.0


def rrect(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def f(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        out = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return out + min(max(qx, qy), 0.0) - r
    return f


def capsule(ax, ay, bx, by, w):
    """Segment a-b with round caps, total width w."""
    ex, ey = bx - ax, by - ay
    ee = ex * ex + ey * ey or 1e-12

    def f(x, y):
        t = clamp(((x - ax) * ex + (y - ay) * ey) / ee)
        return math.hypot(x - ax - ex * t, y - ay - ey * t) - w / 2.0
    return f


def polyline(pts, w):
    return union(*[capsule(a[0], a[1], b[0], b[1], w) for a, b in zip(pts, pts[1:])])


def polygon(pts):
    """Exact distance to a simple polygon (any winding)."""
    n = len(pts)

    def f(x, y):
        d = (x - pts[0][0]) ** 2 + (y - pts[0][1]) ** 2
        s = 1.0
        j = n - 1
        for i in range(n):
            vix, viy = pts[i]
            vjx, vjy = pts[j]
            ex, ey = vjx - vix, vjy - viy
            wx, wy = x - vix, y - viy
            t = clamp((wx * ex + wy * ey) / (ex * ex + ey * ey))
            bx, by = wx - ex * t, wy - ey * t
            d = min(d, bx * bx + by * by)
            c1, c2, c3 = y >= viy, y < vjy, ex * wy > ey * wx
            if (c1 and c2 and c3) or not (c1 or c2 or c3):
                s = -s
            j = i
        return s * math.sqrt(d)
    return f


def arc(cx, cy, r, a0, a1, w):
    """Circular stroke from angle a0 to a1 (degrees, growing clockwise on
    screen since y points down), round caps, total width w."""
    span = (a1 - a0) % 360.0
    ends = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
            for a in (a0, a1)]

    def f(x, y):
        a = math.degrees(math.atan2(y - cy, x - cx))
        if (a - a0) % 360.0 <= span:
            return abs(math.hypot(x - cx, y - cy) - r) - w / 2.0
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - w / 2.0
    return f


def arc_point(cx, cy, r, a):
    return cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a))


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def intersect(*fs):
    return lambda x, y: max(f(x, y) for f in fs)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


# --------------------------------------------------------------------------
# raster

class Canvas:
    """Straight-alpha RGBA float canvas.  `scale` is pixels per design unit;
    `placed` nests a further translate+scale for reusing a drawing."""

    def __init__(self, w, h, scale=1.0, outline_px=1.0):
        self.w, self.h, self.scale, self.outline_px = w, h, scale, outline_px
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]
        self.ox, self.oy, self.k = 0.0, 0.0, 1.0

    @property
    def ppu(self):
        """Pixels per current design unit (use for size-dependent detail)."""
        return self.scale * self.k

    @property
    def ow(self):
        """Outline width in current design units."""
        return self.outline_px / self.ppu

    @contextmanager
    def placed(self, ox, oy, k=1.0):
        saved = (self.ox, self.oy, self.k)
        self.ox, self.oy, self.k = self.ox + ox * self.k, self.oy + oy * self.k, self.k * k
        try:
            yield self
        finally:
            self.ox, self.oy, self.k = saved

    def _local(self, px, py):
        return ((px / self.scale - self.ox) / self.k, (py / self.scale - self.oy) / self.k)

    def coverage(self, sdf, inset=0.0):
        """Yield (index, coverage, local x, local y) for touched pixels."""
        ppu = self.ppu
        n = SS * SS
        offs = [(k + 0.5) / SS - 0.5 for k in range(SS)]
        for j in range(self.h):
            for i in range(self.w):
                x, y = self._local(i + 0.5, j + 0.5)
                d = (sdf(x, y) + inset) * ppu
                if d >= EDGE:
                    continue
                if d <= -EDGE:
                    yield j * self.w + i, 1.0, x, y
                    continue
                hit = 0
                for sy in offs:
                    for sx in offs:
                        lx, ly = self._local(i + 0.5 + sx, j + 0.5 + sy)
                        if sdf(lx, ly) + inset <= 0.0:
                            hit += 1
                if hit:
                    yield j * self.w + i, hit / n, x, y

    def fill(self, sdf, paint, inset=0.0, opacity=1.0):
        """Composite `paint` (colour tuple, or f(x, y) -> rgb / rgba) over the
        region sdf <= -inset."""
        for idx, cov, x, y in self.coverage(sdf, inset):
            col = paint(x, y) if callable(paint) else paint
            a = cov * opacity * (col[3] if len(col) > 3 else 1.0)
            if a <= 0.0:
                continue
            dst = self.px[idx]
            da = dst[3] * (1.0 - a)
            oa = a + da
            for c in range(3):
                dst[c] = (col[c] * a + dst[c] * da) / oa
            dst[3] = oa

    def erase(self, sdf):
        for idx, cov, _, _ in self.coverage(sdf):
            self.px[idx][3] *= 1.0 - cov

    def shape(self, sdf, pal, paint=None):
        """Outlined shape: outline colour over the whole silhouette, then the
        fill inset by one outline width."""
        self.fill(sdf, pal.line)
        self.fill(sdf, paint or grad(pal), inset=self.ow)

    def rgba8(self, i, j):
        r, g, b, a = self.px[j * self.w + i]
        a8 = int(round(clamp(a) * 255))
        if a8 == 0:
            return 0, 0, 0, 0
        return tuple(int(round(clamp(v) * 255)) for v in (r, g, b)) + (a8,)


# --------------------------------------------------------------------------
# reusable parts

def emblem(c):
    """Ovix emblem: blue 'O' ring around a dark core holding a green chip."""
    c.shape(circle(8, 8, 8.0), BLUE)
    c.fill(circle(8, 8, 4.75), grad(NAVY, 3.5, 12.5))
    if c.ppu >= 1.75:  # gloss on the ring, chip pins
        c.fill(arc(8, 8, 6.0, 200, 265, 0.7), WHITE, opacity=0.45)
        pin = 0.5
        for t in (-1.5, 0.0, 1.5):
            c.fill(rrect(8 + t - pin / 2, 4.9, 8 + t + pin / 2, 11.1), grad(CHIP, 5, 11))
            c.fill(rrect(4.9, 8 + t - pin / 2, 11.1, 8 + t + pin / 2), grad(CHIP, 5, 11))
        c.fill(rrect(5.75, 5.75, 10.25, 10.25, 1.0), grad(CHIP, 5.75, 10.25))
        c.fill(rrect(7.0, 7.0, 9.0, 9.0, 0.4), CHIP.line, opacity=0.45)
    else:
        c.fill(rrect(5, 5, 11, 11, 1.5), grad(CHIP, 5, 11))


def check_badge(c, cx, cy, r):
    c.shape(circle(cx, cy, r), GREEN, grad(GREEN, cy - r, cy + r))
    c.fill(polyline([(cx - 0.48 * r, cy + 0.02 * r), (cx - 0.1 * r, cy + 0.4 * r),
                     (cx + 0.5 * r, cy - 0.35 * r)], 0.36 * r), WHITE)


def arrow_right(x0, x1, cy, shaft, head_w, head_len):
    """Right-pointing arrow: shaft from x0, tip at x1."""
    hx = x1 - head_len
    return union(rrect(x0, cy - shaft / 2, hx + 0.5, cy + shaft / 2),
                 polygon([(hx, cy - head_w / 2), (x1, cy), (hx, cy + head_w / 2)]))


# --------------------------------------------------------------------------
# icons (16 x 16 design units)

def draw_app(c):
    emblem(c)


def draw_autorun(c):
    with c.placed(0, 0, 14.0 / 16.0):
        emblem(c)
    check_badge(c, 11.75, 11.75, 4.25)


def draw_exit(c):
    c.shape(rrect(1, 1, 10, 15, 0.5), SLATE)
    c.fill(rrect(1 + 2 * c.ow, 1 + 2 * c.ow, 10 - 2 * c.ow, 15), grad(NAVY, 1, 15))
    c.shape(polygon([(1, 1), (5.5, 2.75), (5.5, 15.25), (1, 15)]), STEEL)
    c.shape(arrow_right(5, 15.5, 8, 4.0, 10.0, 5.5), RED)


def draw_success(c):
    body = intersect(rrect(1, 1, 15, 15, 1.5), lambda x, y: (x - y - 11.0) / math.sqrt(2))
    c.shape(body, GREEN)
    c.shape(rrect(4, 1, 11.5, 6.5, 0.5), STEEL)
    c.fill(rrect(8.5, 2, 10, 5.5), SLATE.line)
    c.shape(rrect(3, 8, 13, 15.5, 0.75), PAPER, grad(PAPER, 8, 15))
    c.fill(polyline([(5.5, 11.5), (7.3, 13.2), (10.6, 9.8)], 1.6), GREEN.dark)


def draw_camera(c):
    body = union(rrect(0.5, 4, 15.5, 14.5, 2.0), rrect(4.5, 2, 10.5, 6, 1.0))
    c.shape(body, SLATE)
    c.shape(circle(8, 9.25, 4.25), STEEL)
    c.shape(circle(8, 9.25, 2.75), GLASS, grad(GLASS, 6.5, 12))
    c.fill(circle(7.1, 8.3, 0.8), WHITE, opacity=0.9)
    c.fill(rrect(12, 5.5, 14, 7, 0.4), GOLD.light)


def draw_home(c):
    c.shape(rrect(3, 6, 13, 15, 0.25), PAPER, grad(PAPER, 6, 15))
    c.fill(rrect(6.5, 10, 9.5, 15 - c.ow), grad(BLUE, 10, 15))
    roof = polygon([(0.25, 8.75), (8, 1), (15.75, 8.75)])
    c.shape(roof, RED, grad(RED, 1, 9))


def draw_power(c):
    c.shape(arc(8, 8.75, 5.0, -50, 230, 3.5), RED)  # ring open at the top
    c.shape(capsule(8, 2.25, 8, 7.75, 3.5), RED)


def draw_reboot(c):
    a0, a1, r, w = -35.0, 235.0, 5.0, 3.5
    px, py = arc_point(8, 8.75, r, a1)
    nx, ny = math.cos(math.radians(a1)), math.sin(math.radians(a1))
    tx, ty = -ny, nx  # direction of travel (clockwise)
    hw, hl = 4.25, 4.75
    head = polygon([(px + nx * hw - tx * 0.5, py + ny * hw - ty * 0.5),
                    (px + tx * hl, py + ty * hl),
                    (px - nx * hw - tx * 0.5, py - ny * hw - ty * 0.5)])
    c.shape(union(arc(8, 8.75, r, a0, a1, w), head), TEAL)


def draw_sleep(c):
    moon = subtract(circle(7.5, 8.5, 7.0), circle(11.75, 4.75, 5.25))
    c.shape(moon, GOLD)
    s = 2.4
    sx, sy = 12.5, 3.5
    star = polygon([(sx, sy - s), (sx + 0.3 * s, sy - 0.3 * s), (sx + s, sy),
                    (sx + 0.3 * s, sy + 0.3 * s), (sx, sy + s), (sx - 0.3 * s, sy + 0.3 * s),
                    (sx - s, sy), (sx - 0.3 * s, sy - 0.3 * s)])
    c.shape(star, GOLD, grad(GOLD, 1, 6))


def draw_lock(c):
    shackle = union(arc(8, 6, 3.5, 180, 360, 3.0),
                    capsule(4.5, 6, 4.5, 9, 3.0), capsule(11.5, 6, 11.5, 9, 3.0))
    c.shape(shackle, STEEL)
    c.shape(rrect(2, 7, 14, 15, 1.5), GOLD, grad(GOLD, 7, 15))
    hole = union(circle(8, 10.25, 1.3), rrect(7.35, 10.5, 8.65, 13.25, 0.3))
    c.fill(hole, GOLD.line)


def draw_logoff(c):
    c.shape(intersect(rrect(0.75, 9, 11.25, 20, 4.5), lambda x, y: y - 15.5), BLUE)
    c.shape(circle(6, 4.5, 3.5), BLUE, grad(BLUE, 1, 8))
    c.shape(arrow_right(8, 16, 12, 4.0, 8.0, 4.0), RED, grad(RED, 8, 16))


# id, drawing function, sizes in pixels
ICONS = [
    (101, draw_app, (16, 32, 48)),
    (352, draw_exit, (16, 32)),
    (353, draw_success, (16, 32)),
    (1018, draw_power, (16, 32)),
    (1039, draw_autorun, (16, 32)),
    (1120, draw_reboot, (16, 32)),
    (1121, draw_sleep, (16, 32)),
    (1122, draw_lock, (16, 32)),
    (1123, draw_logoff, (16, 32)),
    (1136, draw_home, (16, 32)),
    (1169, draw_camera, (16, 32)),
]


def render_icon(fn, size):
    c = Canvas(size, size, scale=size / 16.0, outline_px=1.0 if size <= 32 else 2.0)
    fn(c)
    return c


# --------------------------------------------------------------------------
# splash (130 x 64, pure red = cut out)

SPLASH_W, SPLASH_H = 130, 64
CUT = (255, 0, 0)
PANEL_TOP, PANEL_BOTTOM = hexrgb('#2C3486'), hexrgb('#0F1238')
PANEL_EDGE = hexrgb('#7F8BE6')


def ovix_text(x0, top, bottom):
    """Vector strokes for the word 'Ovix' (capital O, lowercase vix)."""
    w = 2.2
    h = w / 2
    r = (bottom - top) / 2 - h
    cy = (top + bottom) / 2
    xt, base = cy - 2.0 + h, bottom - h  # x-height line, baseline (stroke centres)
    ox = x0 + r + h
    vx = ox + r + h + 2.0 + h
    ix = vx + 7.4 + h + 2.0 + h
    xx = ix + h + 2.0 + h
    parts = [
        ring(ox, cy, r, w),
        polyline([(vx, xt), (vx + 3.7, base), (vx + 7.4, xt)], w),
        capsule(ix, xt + 0.6, ix, base, w),
        circle(ix, top + 1.2, 1.3),
        capsule(xx, xt, xx + 6.6, base, w),
        capsule(xx, base, xx + 6.6, xt, w),
    ]
    return union(*parts), xx + 6.6 + h


def draw_splash():
    W, H = SPLASH_W, SPLASH_H
    c = Canvas(W, H)
    panel = rrect(0, 0, W, H, 10)
    inside = [panel(i + 0.5, j + 0.5) <= 0 for j in range(H) for i in range(W)]

    c.fill(rrect(-1, -1, W + 1, H + 1),
           lambda x, y: mix(PANEL_TOP, PANEL_BOTTOM, clamp(y / H)))

    # title row: emblem + "Ovix", centred as a group
    right = ovix_text(0, 4.7, 17.3)[1]
    group = 16 + 4 + right
    gx = round((W - group) / 2)
    with c.placed(gx, 3):
        emblem(c)
    word, _ = ovix_text(gx + 20, 4.7, 17.3)
    with c.placed(0.8, 0.8):
        c.fill(word, (0.0, 0.0, 0.05), opacity=0.55)
    c.fill(word, lambda x, y: mix(WHITE, hexrgb('#A8ECFF'), clamp((y - 5) / 12)))

    # accent line: dim track with a bright centre fading out to both ends
    c.fill(rrect(25, 50, 105, 52, 1), hexrgb('#3A4396'))
    c.fill(rrect(25, 50, 105, 52, 1),
           lambda x, y: hexrgb('#6FE6F5') + (math.sin(math.pi * clamp((x - 25) / 80)) ** 2,))

    # hard-edged frame: outline = inside pixels with a 4-neighbour outside
    rows = []
    for j in range(H):
        row = []
        for i in range(W):
            if not inside[j * W + i]:
                row.append(CUT)
                continue
            edge = any(not (0 <= i + di < W and 0 <= j + dj < H and inside[(j + dj) * W + i + di])
                       for di, dj in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            rgb = tuple(int(round(clamp(v) * 255)) for v in (PANEL_EDGE if edge else c.px[j * W + i][:3]))
            if rgb == CUT:
                rgb = (254, 0, 0)
            row.append(rgb)
        rows.append(row)
    return rows


# --------------------------------------------------------------------------
# file writers

def ico_image(c):
    """32-bit BGRA DIB, bottom-up, followed by a 1-bit AND mask."""
    w, h = c.w, c.h
    stride = ((w + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for j in reversed(range(h)):
        bits = bytearray(stride)
        for i in range(w):
            r, g, b, a = c.rgba8(i, j)
            if a == 0:
                bits[i >> 3] |= 0x80 >> (i & 7)
            xor += bytes((b, g, r, a))
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return w, h, header + bytes(xor) + bytes(mask)


def write_ico(path, images):
    n = len(images)
    out = bytearray(struct.pack('<HHH', 0, 1, n))
    offset = 6 + 16 * n
    for w, h, data in images:
        out += struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


def write_bmp24(path, rows):
    """rows: top-down list of lists of (r, g, b)."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(head + info + bytes(data))


def main():
    icon_dir = os.path.join(HERE, 'icons')
    os.makedirs(icon_dir, exist_ok=True)
    for ident, fn, sizes in ICONS:
        path = os.path.join(icon_dir, '%d.ico' % ident)
        write_ico(path, [ico_image(render_icon(fn, s)) for s in sizes])
        print('wrote', os.path.relpath(path, os.path.dirname(HERE)))
    path = os.path.join(HERE, 'splash.bmp')
    write_bmp24(path, draw_splash())
    print('wrote', os.path.relpath(path, os.path.dirname(HERE)))


if __name__ == '__main__':
    main()
