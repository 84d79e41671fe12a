#!/usr/bin/env python3
"""Draw Ovix's icons and splash bitmap procedurally (standard library only).

    python3 resources/draw_art.py

writes resources/icons/<id>.ico, resources/splash.bmp, summary.bmp and wait.bmp next to
this file.
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

import colorsys
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
MIST = Pal('#D3E3F4', '#7895B8', '#3E5878')  # quiet blue-grey
PALE = Pal('#E4F2FF', '#93C2EE', '#2E5A86')  # light blue
FOLDER = Pal('#FFE9A0', '#EDB23A', '#7A5208')
BROWN = Pal('#E8C48C', '#A8722F', '#4E2F0F')  # cardboard
PCB = Pal('#63C46C', '#1D7A35', '#0B3A18')  # circuit board
INK = Pal('#4A515C', '#15181D', '#050608')  # black plastic, chips
PINK = Pal('#FF9CBC', '#D62A62', '#6B0F2C')
DUSK = Pal('#FFB75A', '#9A4AD6', '#3A1658')  # orange -> purple
MEMO = Pal('#FFFCE6', '#F1E3A2', '#5C4A16')  # note paper
SKY = Pal('#A8E2FF', '#3C8FE0', '#0A2350')
WHITE = (1.0, 1.0, 1.0)
LED = hexrgb('#3BEA5C')
GOLD_PIN = hexrgb('#E0AE34')


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


def star(cx, cy, ro, ri, n=5, a0=-90.0):
    """n-pointed star, first point at angle a0 (degrees, -90 = up)."""
    pts = []
    for k in range(2 * n):
        r = ro if k % 2 == 0 else ri
        a = math.radians(a0 + 180.0 * k / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(pts)


def oriented(f, ox, oy, deg):
    """Shape f drawn in a local frame whose origin is (ox, oy) and whose +x
    axis points at angle deg (degrees, clockwise on screen)."""
    ca, sa = math.cos(math.radians(deg)), math.sin(math.radians(deg))
    return lambda x, y: f((x - ox) * ca + (y - oy) * sa, -(x - ox) * sa + (y - oy) * ca)


def gear(cx, cy, root, tip, n, hole=0.0, phase=0.0):
    """Gear wheel: n trapezoid teeth from radius root to tip, optional hole."""
    pitch = 2.0 * math.pi * root / n
    w0, w1 = 0.62 * pitch, 0.45 * pitch  # tooth width at root and at tip
    parts = [circle(cx, cy, root)]
    for k in range(n):
        a = math.radians(phase + 360.0 * k / n - 90.0)
        ux, uy = math.cos(a), math.sin(a)  # outwards
        vx, vy = -uy, ux  # across
        pts = [(cx + ux * r + vx * s, cy + uy * r + vy * s)
               for r, s in ((root - 0.5, -w0 / 2), (tip, -w1 / 2), (tip, w1 / 2), (root - 0.5, w0 / 2))]
        parts.append(polygon(pts))
    g = union(*parts)
    return subtract(g, circle(cx, cy, hole)) if hole > 0 else g


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


def arrow_right(x0, x1, cy, shaft, head_w, head_len):
    """Right-pointing arrow: shaft from x0, tip at x1."""
    hx = x1 - head_len
    return union(rrect(x0, cy - shaft / 2, hx + 0.5, cy + shaft / 2),
                 polygon([(hx, cy - head_w / 2), (x1, cy), (hx, cy + head_w / 2)]))


def hair(c, n=1.0):
    """n device pixels, in design units (for lines that stay thin at 32 px)."""
    return n / c.ppu


def text_lines(c, x0, x1, y0, y1, colour, opacity=1.0):
    """Lines of 'text' filling the band y0..y1: one pixel high with a gap of one
    pixel at 16 px and two pixels at larger sizes; every third line is shorter."""
    pitch = hair(c, 2.0 if c.ppu < 1.5 else 3.0)
    y, k = y0, 0
    while y + hair(c) <= y1 + 1e-9:
        end = x1 if k % 3 != 2 else x0 + 0.6 * (x1 - x0)
        c.fill(rrect(x0, y, end, y + hair(c)), colour, opacity=opacity)
        y, k = y + pitch, k + 1


def page(c, x0, y0, x1, y1, fold=3.0, pal=PAPER):
    """Sheet with a folded top-right corner."""
    body = polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    c.shape(body, pal, grad(pal, y0, y1))
    flap = polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)])
    c.shape(flap, pal, lambda x, y: mix(pal.light, pal.dark, 0.8))


def monitor(c, x0, y0, x1, y1, foot):
    """Monitor on a stand whose foot ends at y = foot; returns the screen
    rectangle for the caller to paint."""
    cx = (x0 + x1) / 2.0
    c.shape(rrect(cx - 2, y1 - 1, cx + 2, foot - 1), SLATE)
    c.shape(rrect(cx - 4.5, foot - 2, cx + 4.5, foot, 0.75), STEEL)
    c.shape(rrect(x0, y0, x1, y1, 1.0), STEEL)
    m = c.ow + (1.0 if c.ppu < 1.5 else 0.5)
    return x0 + m, y0 + m, x1 - m, y1 - m


def window(c, x0, y0, x1, y1, bar, client):
    """Application window with a title bar in palette `bar`; the client area is
    painted with `client`.  Returns the client rectangle."""
    c.shape(rrect(x0, y0, x1, y1, 1.0), bar, grad(bar, y0, y0 + 4))
    cl = (x0 + c.ow, y0 + 4, x1 - c.ow, y1 - c.ow)
    c.fill(rrect(*cl), client)
    c.fill(rrect(x0, y0 + 4 - c.ow, x1, y0 + 4), bar.line, opacity=0.6)
    if c.ppu >= 1.5:  # caption buttons
        for k in range(3):
            bx = x1 - 2.0 - 1.5 * k
            c.fill(rrect(bx - 1.0, y0 + 1.5, bx, y0 + 2.5, 0.2), WHITE, opacity=0.85)
    return cl


def globe(c, cx, cy, r, outline=True):
    """Blue globe with white meridians and equator."""
    body = circle(cx, cy, r)
    if outline:
        c.shape(body, GLASS, grad(GLASS, cy - r, cy + r))
        r -= c.ow
    else:
        c.fill(body, grad(GLASS, cy - r, cy + r))
    lw = hair(c)
    e = 0.5 * r
    h = (r * r - e * e) / (2 * e)
    lines = [capsule(cx - r, cy, cx + r, cy, lw), capsule(cx, cy - r, cx, cy + r, lw),
             ring(cx - h, cy, h + e, lw), ring(cx + h, cy, h + e, lw)]
    if c.ppu >= 1.5:
        lines += [capsule(cx - r, cy + s * 0.5 * r, cx + r, cy + s * 0.5 * r, lw) for s in (-1, 1)]
    c.fill(intersect(union(*lines), circle(cx, cy, r)), WHITE, opacity=0.7)


def magnifier(c, cx, cy, r, inside=None):
    """Magnifying glass: lens centred at (cx, cy), handle to the bottom right.
    `inside(c)` paints what the lens shows (default: pale glass)."""
    d = r * 0.7071
    c.shape(capsule(cx + d, cy + d, cx + d + 0.85 * r, cy + d + 0.85 * r, 3.0), INK)
    if inside:
        inside(c)
    else:
        c.fill(circle(cx, cy, r), GLASS.light, opacity=0.45)
        c.fill(arc(cx, cy, r * 0.6, 195, 255, hair(c, 1.5)), WHITE, opacity=0.9)
    c.shape(ring(cx, cy, r, 1.75), STEEL)


def disc(c, cx, cy, r):
    """Optical disc: silver with a rainbow sheen, a hub ring and a hole."""
    top, bottom = hexrgb('#F6F8FB'), hexrgb('#A2ADBB')

    def sheen(x, y):
        a = math.atan2(y - cy, x - cx)
        base = mix(top, bottom, clamp(((y - cy) + 0.35 * (x - cx)) / (2.0 * r) + 0.5))
        rainbow = colorsys.hsv_to_rgb((a / math.pi + 0.1) % 1.0, 0.65, 1.0)
        return mix(base, rainbow, 0.55 * (0.5 + 0.5 * math.cos(2.0 * a + 0.8)))
    c.shape(circle(cx, cy, r), STEEL, sheen)
    c.fill(ring(cx, cy, 0.4 * r, hair(c)), STEEL.dark, opacity=0.55)
    c.fill(circle(cx, cy, 0.18 * r + hair(c)), STEEL.dark, opacity=0.35)
    c.erase(circle(cx, cy, 0.18 * r))


def arrow_up_pts():
    return [(8, 1), (15, 8), (11, 8), (11, 15), (5, 15), (5, 8), (1, 8)]


def chevron_pair(c, pointing_down):
    for y in (2.5, 8.5):
        pts = [(2.5, y), (8, y + 5), (13.5, y)]
        if not pointing_down:
            pts = [(x, 16 - y) for x, y in pts]
        c.shape(polyline(pts, 3.2), BLUE)


def small_gear(c, cx, cy, pal):
    """Six-tooth gear of radius 4.75 for badges; at 16 px the hole would
    close up, so it becomes a dark hub instead."""
    if c.ppu >= 1.5:
        c.shape(gear(cx, cy, 3.3, 4.75, 6, hole=1.2), pal)
    else:
        c.shape(gear(cx, cy, 3.3, 4.75, 6), pal)
        c.fill(circle(cx, cy, 1.0), pal.line)


def screen_paint(top, bottom, y0, y1):
    top, bottom = hexrgb(top), hexrgb(bottom)
    return lambda x, y: mix(top, bottom, clamp((y - y0) / (y1 - y0)))


# --------------------------------------------------------------------------
# icons (16 x 16 design units)

def draw_app(c):
    emblem(c)


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



# tree image list -------------------------------------------------------------

def draw_bullet(c):
    c.shape(rrect(5, 5, 11, 11, 1.5), MIST, grad(MIST, 5, 11))
    c.fill(rrect(6, 6, 8, 8, 0.5), WHITE, opacity=0.7)


def draw_mail(c):
    c.shape(rrect(1, 3, 15, 13, 0.75), PAPER, grad(PAPER, 3, 13))
    inner = rrect(1 + c.ow, 3 + c.ow, 15 - c.ow, 13 - c.ow)
    folds = union(capsule(1, 13, 6.5, 8.2, hair(c)), capsule(15, 13, 9.5, 8.2, hair(c)))
    c.fill(intersect(folds, inner), PAPER.line, opacity=0.35)
    c.fill(intersect(polygon([(1, 3), (8, 9.2), (15, 3)]), inner), grad(PAPER, 0, 24))
    c.fill(intersect(polyline([(1, 3), (8, 9.2), (15, 3)], hair(c, 1.2)), inner), PAPER.line, opacity=0.9)


def draw_info(c):
    c.shape(circle(8, 8, 7.5), BLUE)
    glyph = union(rrect(7, 3, 9, 5, 0.5), rrect(7, 6, 9, 12), rrect(6, 6, 7, 7), rrect(6, 11, 10, 12))
    c.fill(glyph, WHITE)


def draw_settings(c):
    c.shape(rrect(0, 1, 13, 12, 1.5), BLUE)
    for y, k in ((4, 7), (8, 3)):  # slider tracks and knobs
        c.fill(rrect(2, y, 11, y + 1), BLUE.line, opacity=0.8)
        c.fill(rrect(k, y - 1, k + 2, y + 2), WHITE)
    small_gear(c, 11.25, 11.25, STEEL)


def draw_up(c):
    c.shape(polygon(arrow_up_pts()), GREEN)


def draw_down(c):
    c.shape(polygon([(x, 16 - y) for x, y in arrow_up_pts()]), GREEN)


def draw_help(c):
    bubble = union(rrect(1, 0, 15, 12, 3.5), polygon([(3.5, 10), (2.5, 15.5), (8.5, 11)]))
    c.shape(bubble, PAPER, grad(PAPER, 0, 12))
    ex, ey = arc_point(8, 4.4, 2.0, 50)
    mark = union(arc(8, 4.4, 2.0, 180, 50, 2.0), capsule(ex, ey, 8, 7.2, 2.0),
                 capsule(8, 7.2, 8, 7.6, 2.0), rrect(7, 8.75, 9, 10.75, 0.4))
    c.fill(mark, grad(BLUE, 2, 11))


def draw_star(c):
    c.shape(star(8, 8.7, 7.8, 3.3), GOLD, grad(GOLD, 1, 15))


def draw_report(c):
    page(c, 2, 0, 14, 16, 4)
    text_lines(c, 4, 12, 6, 13.5, hexrgb('#7D8CA3'))


def draw_expand(c):
    chevron_pair(c, True)


def draw_collapse(c):
    chevron_pair(c, False)


def draw_printer_entry(c):
    c.shape(rrect(4, 2, 12, 7), PAPER)
    c.shape(rrect(1, 6, 15, 12, 1.5), STEEL)
    c.fill(rrect(3, 9, 9, 10), INK.dark, opacity=0.8)
    c.shape(rrect(4, 11, 12, 14), PAPER)
    c.shape(circle(12, 8.75, 1.75), GREEN, lambda x, y: LED)


def draw_web_search(c):
    magnifier(c, 6.5, 6.5, 5.5, lambda c: globe(c, 6.5, 6.5, 5.5, outline=False))


def draw_page_search(c):
    page(c, 1, 0, 12, 13, 3, DUSK)
    text_lines(c, 3, 8.5, 5, 10, WHITE, opacity=0.85)
    magnifier(c, 9.5, 9.5, 3.8)


def draw_calendar(c):
    c.shape(rrect(1, 2, 15, 15, 1), PAPER, grad(PAPER, 2, 15))
    c.shape(rrect(1, 2, 15, 7, 1), RED, grad(RED, 2, 7))
    for x in (4, 10):
        c.shape(rrect(x, 0.5, x + 2, 4.5, 0.6), STEEL)
    for j, y in enumerate((8.5, 11.5)):
        for i, x in enumerate((3.5, 7, 10.5)):
            today = (i, j) == (1, 1)
            c.fill(rrect(x, y, x + 2, y + 2, 0.3), RED.dark if today else hexrgb('#98A6BA'))


def draw_screensaver(c):
    x0, y0, x1, y1 = monitor(c, 0, 1, 16, 12, 16)
    c.fill(rrect(x0, y0, x1, y1), screen_paint('#2A3C90', '#0A0E30', y0, y1))
    c.fill(subtract(circle(5.2, 5.8, 2.0), circle(6.3, 5.0, 1.7)), GOLD.light)
    c.fill(star(10.5, 5.5, 2.0, 0.55, 4), WHITE)
    for sx, sy in ((7.5, 8), (12, 8.5), (8, 3.5)):
        c.fill(rrect(sx, sy, sx + hair(c), sy + hair(c)), WHITE, opacity=0.9)


def draw_services(c):
    c.shape(gear(8, 8, 5.3, 7.6, 8, hole=2.0, phase=22.5), BLUE)


def draw_keyboard(c):
    c.shape(rrect(0, 3, 15, 14, 1.5), SLATE, grad(SLATE, 3, 14))
    for y in (5, 7, 9):
        for x in range(2, 13, 2):
            c.fill(rrect(x, y, x + 1, y + 1), WHITE, opacity=0.9)
    c.fill(rrect(4, 11, 11, 12), WHITE, opacity=0.9)


def draw_console(c):
    x0, y0, x1, y1 = window(c, 0, 1, 16, 15, SLATE, hexrgb('#0C0E12'))
    green = hexrgb('#4CF46A')
    c.fill(polyline([(3, 7), (5.5, 9), (3, 11)], 1.6), green)
    c.fill(rrect(7, 11, 11, 12), green)


def draw_program(c):
    x0, y0, x1, y1 = window(c, 0, 1, 16, 15, BLUE, grad(PAPER, 5, 15))
    c.fill(rrect(x0, y0, x0 + 3.5, y1), PALE.light)
    c.fill(rrect(x0 + 3.5, y0, x0 + 3.5 + hair(c), y1), PALE.dark)


def draw_sound(c):
    cone = polygon([(1, 5), (4, 5), (8, 1.5), (9, 1.5), (9, 14.5), (8, 14.5), (4, 11), (1, 11)])
    c.shape(cone, SLATE, grad(SLATE, 1, 15))
    for r in (3.0, 5.5):
        c.fill(arc(9, 8, r, -50, 50, 1.5), BLUE.dark)


def draw_phone(c):
    r, span = 10.0, 75.0  # handle: a flat arc; a cup at each end, tilted outwards
    a0, a1 = 270 - span / 2, 270 + span / 2
    cup = rrect(-3, -0.6, 3, 4, 1.6)
    ends = [arc_point(0, r, r, a) for a in (a0, a1)]
    local = union(arc(0, r, r, a0, a1, 2.8),
                  oriented(cup, ends[0][0], ends[0][1], -15), oriented(cup, ends[1][0], ends[1][1], 15))
    c.shape(oriented(local, 8, 6, -30), INK, grad(INK, 2, 14))
    c.fill(oriented(arc(0, r, r - 0.6, 255, 280, hair(c)), 8, 6, -30), WHITE, opacity=0.45)


def draw_heart(c):
    r, d, cy0, bx, by = 3.9, 2.75, 5.6, 8.0, 14.6
    sides = []
    for s in (-1, 1):  # outer tangent point from the tip to each lobe
        vx, vy = s * d, cy0 - by
        length = math.hypot(vx, vy)
        t = math.sqrt(length * length - r * r) / length
        th = math.asin(r / length)
        cands = [(bx + t * (vx * math.cos(a) - vy * math.sin(a)), by + t * (vx * math.sin(a) + vy * math.cos(a)))
                 for a in (th, -th)]
        sides.append(max(cands, key=lambda p: s * (p[0] - bx)))
    body = polygon([(bx, by), sides[1], (bx + d, cy0), (bx - d, cy0), sides[0]])
    heart = union(circle(bx - d, cy0, r), circle(bx + d, cy0, r), body)
    c.shape(heart, PINK, grad(PINK, 2, 15))
    c.fill(arc(bx - d, cy0, r * 0.55, 190, 260, hair(c, 1.5)), WHITE, opacity=0.75)


def draw_clock(c):
    c.shape(circle(8, 8, 7.5), BLUE)
    c.fill(circle(8, 8, 5.9), grad(PAPER, 2, 14))
    hw = 2.0 if c.ppu < 1.5 else 1.0
    tick = STEEL.dark
    c.fill(rrect(8 - hw / 2, 2.5, 8 + hw / 2, 3.5), tick)
    c.fill(rrect(8 - hw / 2, 12.5, 8 + hw / 2, 13.5), tick)
    c.fill(rrect(2.5, 8 - hw / 2, 3.5, 8 + hw / 2), tick)
    c.fill(rrect(12.5, 8 - hw / 2, 13.5, 8 + hw / 2), tick)
    c.fill(rrect(8 - hw / 2, 4, 8 + hw / 2, 8 + hw / 2), NAVY.light)
    c.fill(rrect(8 - hw / 2, 8 - hw / 2, 11.5, 8 + hw / 2), NAVY.light)
    if c.ppu >= 1.5:
        c.fill(circle(8, 8, 0.9), RED.dark)


def draw_disc(c):
    disc(c, 8, 8, 7.5)


def draw_defrag(c):
    c.shape(circle(8, 8, 7.5), NAVY, grad(NAVY, 0, 16))
    colours = {'b': hexrgb('#3D8EF2'), 'r': hexrgb('#EE4A3C'), 'w': hexrgb('#F2F5FA')}
    pattern = ['bbrwb', 'brbbw', 'rbwbb', 'bbrwr', 'wbbrb']
    inner = circle(8, 8, 7.5 - c.ow)
    for j, row in enumerate(pattern):
        for i, k in enumerate(row):
            x, y = 1 + 3 * i, 1 + 3 * j
            c.fill(intersect(rrect(x, y, x + 2, y + 2), inner), colours[k])


def draw_summary(c):
    x0, y0, x1, y1 = monitor(c, 0, 1, 16, 12, 16)
    c.fill(rrect(x0, y0, x1, y1), screen_paint('#FFFFFF', '#DCE8F6', y0, y1))
    for x, top, col in ((4, 7, '#3D8EF2'), (7, 4, '#34B848'), (10, 5.5, '#F08A1C')):
        c.fill(rrect(x, top, x + 2, y1), hexrgb(col))


def draw_folder(c):
    c.shape(union(rrect(1, 2, 7, 6, 1), rrect(1, 4, 15, 14, 1)), FOLDER, grad(GOLD, 2, 14))
    c.shape(rrect(1, 6, 15, 14, 1), FOLDER, grad(FOLDER, 6, 14))


def draw_dll(c):
    page(c, 1, 0, 12, 15, 3)
    text_lines(c, 3, 9.5, 5, 8.5, hexrgb('#7D8CA3'))
    small_gear(c, 11.25, 11.25, BLUE)


def draw_text_editor(c):
    c.shape(rrect(1, 2, 12, 15, 0.75), MEMO, grad(MEMO, 2, 15))
    text_lines(c, 3, 10, 6, 13.5, hexrgb('#7FA6D8'))
    for x in (3.5, 6.5, 9.5):
        c.fill(rrect(x - 0.5, 0.5, x + 0.5, 3.5, 0.5), STEEL.line)
    body = rrect(2.8, -1.5, 10.5, 1.5)
    wood = polygon([(0, 0), (2.8, -1.5), (2.8, 1.5)])
    lead = polygon([(0, 0), (1.1, -0.6), (1.1, 0.6)])
    eraser = rrect(10.5, -1.5, 12.5, 1.5, 0.6)
    at = lambda f: oriented(f, 6.0, 14.5, -45)
    c.shape(at(union(body, wood, eraser)), GOLD, grad(GOLD, 4, 14))
    c.fill(at(intersect(wood, rrect(0, -2, 2.8 - c.ow * 0.5, 2))), hexrgb('#F5D6A8'))
    c.fill(at(lead), INK.dark)
    c.fill(at(rrect(10.5 + c.ow * 0.5, -1.5 + c.ow, 12.5 - c.ow, 1.5 - c.ow, 0.4)), PINK.light)


def draw_network(c):
    c.shape(rrect(7, 10, 9, 14), SLATE)
    c.shape(rrect(0.5, 12.5, 15.5, 14.5, 0.5), SLATE)
    for x in (0, 12):
        c.shape(rrect(x, 11, x + 4, 16, 0.75), STEEL)
        c.fill(rrect(x + 1, 12, x + 3, 13), LED)
    globe(c, 8, 6, 5.5)


def draw_os(c):
    x0, y0, x1, y1 = window(c, 0, 1, 16, 15, NAVY, grad(SKY, 5, 15))
    client = rrect(x0, y0, x1, y1)
    c.fill(intersect(circle(12.5, 6.8, 1.6), client), GOLD.light)
    c.fill(intersect(circle(12, 21, 9.5), client), grad(CHIP, 9, 15))
    c.fill(intersect(circle(3, 19, 8.5), client), grad(GREEN, 8, 15))


def draw_screensaver_run(c):
    x0, y0, x1, y1 = monitor(c, 0, 1, 16, 12, 16)
    c.fill(rrect(x0, y0, x1, y1), screen_paint('#2F55B8', '#0C1A4E', y0, y1))
    c.fill(polygon([(6.25, 3.75), (10.75, 6.5), (6.25, 9.25)]), hexrgb('#5CF07A'))


def draw_hardware(c):
    c.shape(rrect(0, 1, 16, 13, 1), PCB, grad(PCB, 1, 13))
    trace = GOLD_PIN
    c.fill(polyline([(9, 4), (12.5, 4), (12.5, 6)], hair(c)), trace)
    c.fill(polyline([(12.5, 9), (12.5, 11)], hair(c)), trace)
    c.shape(rrect(3, 3, 9, 9, 0.5), INK)
    if c.ppu >= 1.5:
        for t in (4.0, 5.0, 6.0, 7.0, 8.0):
            c.fill(rrect(t - 0.25, 2.3, t + 0.25, 9.7), STEEL.light)
            c.fill(rrect(2.3, t - 0.25, 9.7, t + 0.25), STEEL.light)
        c.shape(rrect(3, 3, 9, 9, 0.5), INK)
    c.shape(rrect(11, 6, 14, 9, 0.3), INK)
    for x in range(2, 15, 2):
        c.fill(rrect(x, 11, x + 1, 15), GOLD_PIN)


def draw_video_memory(c):
    board = subtract(rrect(0, 3, 16, 13, 0.5), rrect(7, 10.5, 9, 14))
    c.shape(board, PCB, grad(PCB, 3, 13))
    for x in (1.5, 4.5, 9.5, 12.5):
        c.fill(rrect(x, 4.5, x + 2, 9), INK.dark)
        c.fill(rrect(x, 4.5, x + 2, 4.5 + hair(c)), INK.light)
    for x in range(1, 15, 2):
        if not 6 < x < 9:
            c.fill(rrect(x, 10, x + 1, 12), GOLD_PIN)


def draw_puzzle(c):
    knobs = union(circle(6.5, 2.9, 2.4), rrect(5, 3, 8, 6), circle(13.5, 10.5, 2.4), rrect(11, 9, 14, 12))
    piece = subtract(union(rrect(1, 5, 12, 16, 0.75), knobs), circle(-0.2, 10.5, 2.4))
    c.shape(piece, PAPER, grad(PAPER, 0, 16))


def draw_disc_tray(c):
    c.shape(rrect(1.5, 6, 14.5, 15.5, 1), SLATE, grad(SLATE, 6, 16))
    disc(c, 8, 10.5, 4.5)
    c.shape(rrect(0, 0.5, 16, 7, 1), STEEL)
    c.fill(polygon([(5, 4.5), (8, 1.5), (11, 4.5)]), INK.dark)
    c.fill(rrect(5, 5, 11, 6), INK.dark)


def draw_mouse(c):
    c.fill(polyline([(7.5, 4), (7.5, 2), (9.5, 1), (13, 1.5)], hair(c, 1.2)), SLATE.line)
    c.shape(rrect(3, 3, 12, 16, 4.5), PAPER, grad(PAPER, 3, 16))
    c.fill(rrect(3, 8, 12, 8 + hair(c)), PAPER.line, opacity=0.8)
    c.fill(rrect(7, 3, 8, 8), PAPER.line, opacity=0.8)
    c.fill(rrect(6, 4, 9, 7, 1.0), grad(BLUE, 4, 7))


def draw_subsection(c):
    c.shape(rrect(5, 1, 15, 11, 1), PALE, grad(PALE, -6, 18))
    c.shape(rrect(1, 5, 11, 15, 1), PALE, grad(PALE, 5, 15))


def draw_no(c):
    c.shape(circle(8, 8, 7.5), RED)
    c.fill(union(capsule(5, 5, 11, 11, 2.4), capsule(11, 5, 5, 11, 2.4)), WHITE)


def draw_display(c):
    x0, y0, x1, y1 = monitor(c, 0, 1, 16, 12, 16)

    def spectrum(x, y):
        hue = colorsys.hsv_to_rgb(0.83 * clamp((x - x0) / (x1 - x0)), 0.9, 1.0)
        return mix(WHITE, hue, clamp(0.25 + (y - y0) / (y1 - y0)))
    c.fill(rrect(x0, y0, x1, y1), spectrum)


def draw_cpu(c):
    fine = c.ppu >= 1.5
    spots = [4.0 + k for k in range(8)] if fine else [4, 6, 9, 11]
    w = 0.5 if fine else 1.0
    for t in spots:
        c.fill(rrect(t, 1, t + w, 15), GOLD_PIN)
        c.fill(rrect(1, t, 15, t + w), GOLD_PIN)
    c.shape(rrect(3, 3, 13, 13, 0.75), INK, grad(INK, 3, 13))
    c.shape(rrect(5, 5, 11, 11, 0.5), STEEL)


def draw_package(c):
    c.shape(rrect(1, 6, 15, 15, 0.5), BROWN, grad(BROWN, 4, 15))
    c.shape(rrect(0, 3, 16, 7, 0.5), BROWN, grad(BROWN, -4, 12))
    tape = hexrgb('#F3DDB0')
    c.fill(rrect(7, 3 + c.ow, 9, 7 - c.ow), tape)
    c.fill(rrect(7, 7, 9, 15 - c.ow), tape)


def draw_lightning(c):
    bolt = polygon([(7, 0.5), (2, 9.5), (7, 9.5), (4.5, 15.5), (14, 6), (9, 6), (12.5, 0.5)])
    c.shape(bolt, GOLD, grad(GOLD, 0, 16))


def draw_hard_disk(c):
    c.shape(polygon([(2.5, 3), (13.5, 3), (16, 7.5), (0, 7.5)]), STEEL, grad(STEEL, -2, 30))
    c.shape(rrect(0, 7, 16, 13, 1), STEEL, grad(STEEL, 4, 16))
    c.fill(rrect(2, 9.5, 9, 10.5), SLATE.dark)
    c.fill(rrect(12, 9, 14, 11, 0.4), LED)


def draw_computer(c):
    x0, y0, x1, y1 = monitor(c, 0, 2, 11.5, 10, 14)
    c.fill(rrect(x0, y0, x1, y1), grad(GLASS, y0, y1))
    c.shape(rrect(10.5, 0.5, 16, 15.5, 0.75), STEEL)
    c.fill(rrect(12, 3, 14.5, 4), SLATE.dark)
    c.fill(rrect(12, 5, 14.5, 6), SLATE.dark)
    c.fill(rrect(12.5, 12, 14, 13.5, 0.4), LED)


def draw_printer(c):
    c.shape(rrect(3.5, 0, 12.5, 6), PAPER)
    c.shape(rrect(0, 5, 16, 12, 1.5), STEEL, grad(STEEL, 5, 12))
    c.fill(rrect(2, 9, 14, 10), INK.dark, opacity=0.85)
    c.shape(rrect(3, 9.5, 13, 16), PAPER, grad(PAPER, 9, 16))
    c.fill(rrect(5, 12, 11, 13), hexrgb('#3D8EF2'))
    c.fill(rrect(5, 14, 9, 15), hexrgb('#3D8EF2'))


# cleaner buttons ---------------------------------------------------------------

def draw_clean(c):
    # broom laid from the top right to the bottom left, its head in a local
    # frame whose +x runs down the broom towards the bristle tips
    c.shape(capsule(15, 1, 7.5, 8.5, 1.9), BROWN, grad(BROWN, 1, 9))
    ox, oy, deg = 5.4, 10.6, 135
    head = polygon([(-2.2, -1.7), (4.2, -3.9), (4.2, 3.9), (-2.2, 1.7)])
    c.shape(oriented(head, ox, oy, deg), GOLD, grad(GOLD, 6, 16))
    strands = (-1.0, 0.0, 1.0) if c.ppu >= 1.5 else (0.0,)
    for k in strands:
        stroke = capsule(0.2, 0.7 * k, 3.6, 1.8 * k, hair(c))
        c.fill(oriented(stroke, ox, oy, deg), GOLD.line, opacity=0.55)
    c.shape(oriented(rrect(-2.9, -2.0, -1.3, 2.0, 0.4), ox, oy, deg), RED)
    # the sparkle it leaves behind
    if c.ppu >= 1.5:
        c.shape(star(4.3, 4.0, 3.9, 1.0, 4), GLASS, grad(SKY, 0, 8))
        c.fill(star(9.6, 1.9, 1.6, 0.45, 4), SKY.dark)
    else:  # no room for an outline: a plain blue glint with a white heart
        c.fill(star(4.5, 4.5, 4.0, 1.0, 4), SKY.dark)
        c.fill(rrect(4, 4, 5, 5), WHITE)


def draw_select_all(c):
    c.shape(rrect(1, 0, 15, 16, 1.0), PAPER, grad(PAPER, 0, 16))
    line = hexrgb('#66758D')
    if c.ppu < 1.5:  # set pixel by pixel: a drawn tick blurs at this size
        tick = ((7, 0), (6, 1), (7, 1), (3, 2), (5, 2), (6, 2), (3, 3), (4, 3), (5, 3), (4, 4))
        for k, top in enumerate((2, 6, 10)):
            for x, y in tick:
                c.fill(rrect(x, top + y, x + 1, top + y + 1), GREEN.dark)
            c.fill(rrect(9, top + 2, 13 if k != 1 else 11, top + 3), line)
        return
    for k, y in enumerate((4.0, 8.0, 12.0)):
        c.fill(polyline([(3.0, y), (4.4, y + 1.3), (6.9, y - 1.7)], 1.5), GREEN.dark)
        c.fill(rrect(8.5, y - 0.5, 13.5 if k != 1 else 11.5, y + 0.5), line)

# id, drawing function, sizes in pixels
ICONS = [
    (101, draw_app, (16, 32, 48)),
    (352, draw_exit, (16, 32)),
    (353, draw_success, (16, 32)),
    (1018, draw_power, (16, 32)),
    (1039, draw_no, (16, 32)),
    (1120, draw_reboot, (16, 32)),
    (1121, draw_sleep, (16, 32)),
    (1122, draw_lock, (16, 32)),
    (1123, draw_logoff, (16, 32)),
    (1136, draw_home, (16, 32)),
    (1169, draw_camera, (16, 32)),
    # the tree's image list, in index order (ids drawn above are not repeated)
    (1187, draw_bullet, (16, 32)),  # 0
    (354, draw_mail, (16, 32)),  # 1
    (1066, draw_info, (16, 32)),  # 2
    (400, draw_settings, (16, 32)),  # 3
    (1056, draw_up, (16, 32)),  # 5
    (1055, draw_down, (16, 32)),  # 6
    (1126, draw_help, (16, 32)),  # 7
    (1115, draw_star, (16, 32)),  # 9
    (1087, draw_report, (16, 32)),  # 10
    (1116, draw_expand, (16, 32)),  # 11
    (1117, draw_collapse, (16, 32)),  # 12
    (1135, draw_printer_entry, (16, 32)),  # 13
    (1170, draw_web_search, (16, 32)),  # 14
    (1134, draw_calendar, (16, 32)),  # 15
    (1016, draw_screensaver, (16, 32)),  # 16
    (1137, draw_services, (16, 32)),  # 17
    (1154, draw_keyboard, (16, 32)),  # 18
    (1153, draw_console, (16, 32)),  # 19
    (1155, draw_program, (16, 32)),  # 20
    (1156, draw_sound, (16, 32)),  # 21
    (1159, draw_phone, (16, 32)),  # 22
    (1158, draw_heart, (16, 32)),  # 23
    (1157, draw_clock, (16, 32)),  # 24
    (1161, draw_disc, (16, 32)),  # 25 and 52
    (1160, draw_defrag, (16, 32)),  # 26
    (1065, draw_summary, (16, 32)),  # 27
    (355, draw_folder, (16, 32)),  # 28
    (1178, draw_page_search, (16, 32)),  # 29
    (1133, draw_dll, (16, 32)),  # 30
    (1119, draw_text_editor, (16, 32)),  # 31
    (1124, draw_network, (16, 32)),  # 33
    (1171, draw_os, (16, 32)),  # 37
    (1017, draw_screensaver_run, (16, 32)),  # 39
    (1181, draw_hardware, (16, 32)),  # 40
    (1182, draw_video_memory, (16, 32)),  # 41
    (1138, draw_puzzle, (16, 32)),  # 42
    (1183, draw_disc_tray, (16, 32)),  # 43
    (1184, draw_mouse, (16, 32)),  # 44
    (1185, draw_subsection, (16, 32)),  # 45
    (1186, draw_display, (16, 32)),  # 47
    (1180, draw_cpu, (16, 32)),  # 48
    (1139, draw_package, (16, 32)),  # 49
    (1179, draw_lightning, (16, 32)),  # 50
    (1025, draw_hard_disk, (16, 32)),  # 51
    (1198, draw_computer, (16, 32)),  # 53
    (1199, draw_printer, (16, 32)),  # 54
    # the cleaner's buttons
    (1201, draw_clean, (16, 32)),
    (1202, draw_select_all, (16, 32)),
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
    return draw_panel(SPLASH_W, SPLASH_H, 10, title_left=None, accent=(25, 50, 105))


# summary (360 x 300, pure red = cut out): the same panel, larger, with the
# title in the top-left corner and the area below it left plain for the text.
SUMMARY_W, SUMMARY_H = 360, 300


def draw_summary():
    return draw_panel(SUMMARY_W, SUMMARY_H, 14, title_left=14, accent=(18, 38, 342))


# wait window (150 x 40): the panel alone, no title, the status text across
# its middle (x 15..135, y 13..26) and the accent line under it.
WAIT_W, WAIT_H = 150, 40


def draw_wait():
    return draw_panel(WAIT_W, WAIT_H, 8, title_left=None, accent=(20, 31, 130), title=False)


def draw_panel(W, H, radius, title_left, accent, title=True):
    """A rounded indigo panel with the emblem and the word 'Ovix' (centred
    when title_left is None; none without title) and a thin accent line (x0, y, x1)."""
    c = Canvas(W, H)
    panel = rrect(0, 0, W, H, radius)
    inside = [panel(i + 0.5, j + 0.5) <= 0 for j in range(H) for i in range(W)]

    c.fill(rrect(-1, -1, W + 1, H + 1),
           lambda x, y: mix(PANEL_TOP, PANEL_BOTTOM, clamp(y / H)))

    # title row: emblem + "Ovix", centred as a group unless placed
    if title:
        draw_title(c, W, title_left)
    draw_accent(c, accent)
    return frame_rows(c, W, H, inside)


def draw_title(c, W, title_left):
    right = ovix_text(0, 4.7, 17.3)[1]
    group = 16 + 4 + right
    gx = round((W - group) / 2) if title_left is None else title_left
    with c.placed(gx, 3):
        emblem(c)
    word, _ = ovix_text(gx + 20, 4.7, 17.3)
    with c.placed(0.8, 0.8):
        c.fill(word, (0.0, 0.0, 0.05), opacity=0.55)
    c.fill(word, lambda x, y: mix(WHITE, hexrgb('#A8ECFF'), clamp((y - 5) / 12)))


def draw_accent(c, accent):
    # accent line: dim track with a bright centre fading out to both ends
    ax0, ay, ax1 = accent
    c.fill(rrect(ax0, ay, ax1, ay + 2, 1), hexrgb('#3A4396'))
    c.fill(rrect(ax0, ay, ax1, ay + 2, 1),
           lambda x, y: hexrgb('#6FE6F5') + (math.sin(math.pi * clamp((x - ax0) / (ax1 - ax0))) ** 2,))


def frame_rows(c, W, H, inside):
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


def write_bmp8_rle(path, rows, keep):
    """rows: top-down list of lists of (r, g, b), stored as an 8-bit bitmap with
    run-length compression (its large flat areas shrink to a few bytes a
    row). The 256 most frequent colours make the palette, the colour `keep`
    among them exactly; any other colour takes its nearest palette entry,
    never `keep`."""
    h, w = len(rows), len(rows[0])
    counts = {}
    for row in rows:
        for px in row:
            counts[px] = counts.get(px, 0) + 1
    palette = [keep] + [c for c, _ in sorted(counts.items(), key=lambda kv: (-kv[1], kv[0])) if c != keep][:255]
    index = {c: i for i, c in enumerate(palette)}
    def nearest(c):
        best, dist = 1, None
        for i, p in enumerate(palette[1:], 1):
            d = sum((a - b) ** 2 for a, b in zip(c, p))
            if dist is None or d < dist:
                best, dist = i, d
        return best
    for c in counts:
        if c not in index:
            index[c] = nearest(c)
    data = bytearray()
    for row in reversed(rows):
        line = [index[px] for px in row]
        i = 0
        while i < w:
            j = i
            while j < w and j - i < 255 and line[j] == line[i]:
                j += 1
            data += bytes((j - i, line[i]))
            i = j
        data += b'\x00\x00'  # end of line
    data += b'\x00\x01'  # end of bitmap
    colours = bytearray()
    for r, g, b in palette:
        colours += bytes((b, g, r, 0))
    colours += bytes(4 * (256 - len(palette)))
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 1, len(data), 2835, 2835, 256, 0)  # 1: BI_RLE8
    offset = 14 + len(info) + len(colours)
    head = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(head + info + bytes(colours) + bytes(data))


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
    path = os.path.join(HERE, 'summary.bmp')
    write_bmp8_rle(path, draw_summary(), CUT)
    print('wrote', os.path.relpath(path, os.path.dirname(HERE)))
    path = os.path.join(HERE, 'wait.bmp')
    write_bmp24(path, draw_wait())
    print('wrote', os.path.relpath(path, os.path.dirname(HERE)))


if __name__ == '__main__':
    main()
