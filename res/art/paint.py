#!/usr/bin/env python3
"""Procedural painter for the Duskmere launcher artwork.

Usage:  paint.py TEXTDIR OUTDIR

TEXTDIR holds the text masks rendered by make-art.sh with ImageMagick
(8-bit PGM files: pre.pgm, title.pgm, sub.pgm, copy.pgm).  OUTDIR receives:

  background.ppm                         640 x 480 launcher background
  button_{normal,hover,pressed,disabled}.ppm   329 x 46 button plates
  launcher.ico                           16/32/48 px icon (32-bit BGRA + mask)

Pure Python 3 (standard library only).  Every random number comes from a
fixed seed, so the output is the same on every run.
"""
import math
import os
import random
import struct
import sys

# --------------------------------------------------------------------------
# Layout.  The launcher places its five buttons at BTN_X / BTN_Y, so the
# panel painted behind them must cover that column.
# --------------------------------------------------------------------------
W, H = 640, 480
HZ = 336                        # far shore / lake horizon line
MOON_X, MOON_Y, MOON_R = 508.0, 84.0, 31.0
PANEL = (272, 156, 625, 425)    # x0, y0, x1, y1 (x1/y1 exclusive)
BTN_X, BTN_W, BTN_H = 284, 329, 46
BTN_Y = (170, 218, 267, 316, 365)
TITLE_CX = 145                  # centre of the left text column (x 20..270)


# --------------------------------------------------------------------------
# Small maths helpers
# --------------------------------------------------------------------------
def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def sstep(a, b, x):
    t = (x - a) / (b - a)
    if t <= 0.0:
        return 0.0
    if t >= 1.0:
        return 1.0
    return t * t * (3.0 - 2.0 * t)


def mixc(c1, c2, t):
    return (c1[0] + (c2[0] - c1[0]) * t,
            c1[1] + (c2[1] - c1[1]) * t,
            c1[2] + (c2[2] - c1[2]) * t)


def gradient(stops, t):
    """Piecewise-linear colour ramp; stops = [(pos, (r, g, b)), ...]."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mixc(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


# --------------------------------------------------------------------------
# Value noise (lattice noise with smoothstep interpolation) and fBm
# --------------------------------------------------------------------------
def noise_field(w, h, cx, cy, rng):
    """One octave of value noise, cells of cx x cy pixels, values 0..1."""
    gw = int(w / cx) + 3
    gh = int(h / cy) + 3
    lat = [[rng.random() for _ in range(gw)] for _ in range(gh)]
    ox = rng.random() * cx
    oy = rng.random() * cy
    xi, xw = [], []
    for x in range(w):
        f = (x + ox) / cx
        i = int(f)
        t = f - i
        xi.append(i)
        xw.append(t * t * (3.0 - 2.0 * t))
    out = [0.0] * (w * h)
    for y in range(h):
        f = (y + oy) / cy
        j = int(f)
        u = f - j
        u = u * u * (3.0 - 2.0 * u)
        r0, r1 = lat[j], lat[j + 1]
        v = [a + (b - a) * u for a, b in zip(r0, r1)]
        base = y * w
        for x in range(w):
            i = xi[x]
            a = v[i]
            out[base + x] = a + (v[i + 1] - a) * xw[x]
    return out


def fbm_field(w, h, cx, cy, octaves, seed, gain=0.5):
    rng = random.Random(seed)
    total = [0.0] * (w * h)
    amp, norm = 1.0, 0.0
    for _ in range(octaves):
        f = noise_field(w, h, max(cx, 1.0), max(cy, 1.0), rng)
        for k in range(w * h):
            total[k] += f[k] * amp
        norm += amp
        amp *= gain
        cx /= 2.0
        cy /= 2.0
    inv = 1.0 / norm
    return [v * inv for v in total]


def fbm1d(n, cell, octaves, seed, gain=0.5):
    f = fbm_field(n, 1, cell, 1.0, octaves, seed, gain)
    return f


def sample(field, w, h, x, y):
    """Bilinear sample of a w x h float field, clamped to the edges."""
    if x < 0.0:
        x = 0.0
    elif x > w - 1.001:
        x = w - 1.001
    if y < 0.0:
        y = 0.0
    elif y > h - 1.001:
        y = h - 1.001
    i = int(x)
    j = int(y)
    fx = x - i
    fy = y - j
    k = j * w + i
    a = field[k] + (field[k + 1] - field[k]) * fx
    b = field[k + w] + (field[k + w + 1] - field[k + w]) * fx
    return a + (b - a) * fy


def box_blur(field, w, h, r, passes=3):
    """Separable box blur (approximately Gaussian after 3 passes)."""
    cur = list(field)
    for _ in range(passes):
        tmp = [0.0] * (w * h)
        n = 2 * r + 1
        for y in range(h):
            base = y * w
            row = cur[base:base + w]
            acc = row[0] * (r + 1) + sum(row[min(i, w - 1)] for i in range(1, r + 1))
            for x in range(w):
                tmp[base + x] = acc / n
                acc += row[min(x + r + 1, w - 1)] - row[max(x - r, 0)]
        out = [0.0] * (w * h)
        for x in range(w):
            col = tmp[x::w]
            acc = col[0] * (r + 1) + sum(col[min(i, h - 1)] for i in range(1, r + 1))
            for y in range(h):
                out[y * w + x] = acc / n
                acc += col[min(y + r + 1, h - 1)] - col[max(y - r, 0)]
        cur = out
    return cur


# --------------------------------------------------------------------------
# Anti-aliased polygon coverage (non-zero winding, so overlapping shapes
# passed together form a clean union)
# --------------------------------------------------------------------------
def poly_cover(polys, w, h, ss=5):
    cov = [0.0] * (w * h)
    edges = []
    ymin, ymax = h, 0
    for pts in polys:
        n = len(pts)
        for k in range(n):
            x0, y0 = pts[k]
            x1, y1 = pts[(k + 1) % n]
            if y0 == y1:
                continue
            d = 1 if y1 > y0 else -1
            if y0 > y1:
                x0, y0, x1, y1 = x1, y1, x0, y0
            edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), d))
            ymin = min(ymin, int(math.floor(y0)))
            ymax = max(ymax, int(math.ceil(y1)))
    ymin = max(ymin, 0)
    ymax = min(ymax, h)
    wgt = 1.0 / ss
    for y in range(ymin, ymax):
        row = [0.0] * (w + 1)
        for s in range(ss):
            sy = y + (s + 0.5) / ss
            xs = []
            for (y0, y1, x0, dx, d) in edges:
                if y0 <= sy < y1:
                    xs.append((x0 + (sy - y0) * dx, d))
            if not xs:
                continue
            xs.sort()
            wind = 0
            start = 0.0
            for xv, d in xs:
                prev = wind
                wind += d
                if prev == 0 and wind != 0:
                    start = xv
                elif prev != 0 and wind == 0:
                    xa = max(start, 0.0)
                    xb = min(xv, float(w))
                    if xb <= xa:
                        continue
                    ia, ib = int(xa), int(xb)
                    if ia == ib:
                        row[ia] += (xb - xa) * wgt
                    else:
                        row[ia] += (ia + 1 - xa) * wgt
                        for i in range(ia + 1, ib):
                            row[i] += wgt
                        row[ib] += (xb - ib) * wgt
        base = y * w
        for x in range(w):
            v = row[x]
            if v > 0.0:
                cov[base + x] = 1.0 if v > 1.0 else v
    return cov


def ellipse_pts(cx, cy, rx, ry, n=48, a0=0.0, a1=2 * math.pi):
    return [(cx + rx * math.cos(a0 + (a1 - a0) * k / n),
             cy + ry * math.sin(a0 + (a1 - a0) * k / n)) for k in range(n + 1)]


def stroke_pts(p0, p1, p2, w0, w1, n=12):
    """Tapered stroke along a quadratic curve, returned as a polygon."""
    left, right = [], []
    for k in range(n + 1):
        t = k / n
        x = (1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0]
        y = (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]
        tx = 2 * (1 - t) * (p1[0] - p0[0]) + 2 * t * (p2[0] - p1[0])
        ty = 2 * (1 - t) * (p1[1] - p0[1]) + 2 * t * (p2[1] - p1[1])
        ln = math.hypot(tx, ty) or 1.0
        nx, ny = -ty / ln, tx / ln
        hw = (w0 + (w1 - w0) * t) * 0.5
        left.append((x + nx * hw, y + ny * hw))
        right.append((x - nx * hw, y - ny * hw))
    return left + right[::-1]


# --------------------------------------------------------------------------
# RGB canvas of floats (0..255 per channel)
# --------------------------------------------------------------------------
class Canvas:
    def __init__(self, w, h, col=(0, 0, 0)):
        self.w, self.h = w, h
        n = w * h
        self.r = [float(col[0])] * n
        self.g = [float(col[1])] * n
        self.b = [float(col[2])] * n

    def blend(self, k, col, a):
        if a <= 0.0:
            return
        if a > 1.0:
            a = 1.0
        self.r[k] += (col[0] - self.r[k]) * a
        self.g[k] += (col[1] - self.g[k]) * a
        self.b[k] += (col[2] - self.b[k]) * a

    def add(self, k, col, a):
        self.r[k] += col[0] * a
        self.g[k] += col[1] * a
        self.b[k] += col[2] * a

    def fill_cover(self, cov, colfn):
        """Blend colfn(x, y) wherever the coverage mask is non-zero."""
        w = self.w
        for k, a in enumerate(cov):
            if a > 0.0:
                y, x = divmod(k, w)
                self.blend(k, colfn(x, y), a)

    def get(self, k):
        return (self.r[k], self.g[k], self.b[k])

    def bytes(self):
        out = bytearray(self.w * self.h * 3)
        for k in range(self.w * self.h):
            out[3 * k] = int(clamp(self.r[k], 0, 255) + 0.5)
            out[3 * k + 1] = int(clamp(self.g[k], 0, 255) + 0.5)
            out[3 * k + 2] = int(clamp(self.b[k], 0, 255) + 0.5)
        return bytes(out)

    def write_ppm(self, path):
        with open(path, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (self.w, self.h))
            f.write(self.bytes())


def read_pgm(path):
    with open(path, "rb") as f:
        data = f.read()
    # header: P5 <ws> w <ws> h <ws> maxval <single ws> raster
    parts = []
    pos = 0
    while len(parts) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            while data[pos:pos + 1] not in (b"\n", b""):
                pos += 1
            continue
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        parts.append(data[start:pos])
    pos += 1
    if parts[0] != b"P5":
        raise SystemExit("%s: not a binary PGM" % path)
    w, h, mx = int(parts[1]), int(parts[2]), int(parts[3])
    if mx > 255:
        raw = data[pos:pos + 2 * w * h]
        vals = [((raw[2 * i] << 8) | raw[2 * i + 1]) / mx for i in range(w * h)]
    else:
        raw = data[pos:pos + w * h]
        vals = [v / mx for v in raw]
    return w, h, vals


# --------------------------------------------------------------------------
# The background scene
# --------------------------------------------------------------------------
SKY_STOPS = [
    (0, (7, 8, 22)),
    (80, (13, 14, 36)),
    (160, (28, 24, 58)),
    (225, (54, 38, 78)),
    (275, (100, 58, 90)),
    (312, (160, 90, 92)),
    (336, (206, 128, 100)),
]


def afterglow(x, y):
    """Warm light left over from the sunset, low on the left of the sky."""
    gx = math.exp(-((x - 150.0) / 240.0) ** 2)
    gy = sstep(190.0, HZ, y)
    return gx * gy * gy


def paint_sky(cv):
    print("  sky", flush=True)
    w = cv.w
    row_col = [gradient(SKY_STOPS, y) for y in range(HZ + 1)]
    for y in range(HZ + 1):
        base = row_col[y]
        for x in range(w):
            k = y * w + x
            g = afterglow(x, y)
            cool = math.exp(-((x - MOON_X) / 220.0) ** 2) * (1.0 - sstep(180.0, 320.0, y))
            cv.r[k] = base[0] + 52 * g - 4 * cool
            cv.g[k] = base[1] + 30 * g + 3 * cool
            cv.b[k] = base[2] + 6 * g + 14 * cool


def paint_stars(cv):
    print("  stars", flush=True)
    rng = random.Random(7101)
    w = cv.w
    for _ in range(230):
        x = rng.random() * (w - 2)
        y = (rng.random() ** 1.5) * 270.0
        b = 0.08 + 0.92 * rng.random() ** 3.2
        d = math.hypot(x - MOON_X, y - MOON_Y)
        b *= (1.0 - sstep(110.0, 270.0, y)) * sstep(MOON_R + 20.0, MOON_R + 120.0, d)
        if b < 0.02:
            continue
        tint = (200 + 40 * rng.random(), 210 + 30 * rng.random(), 255)
        i, j = int(x), int(y)
        fx, fy = x - i, y - j
        for (dx, dy, wt) in ((0, 0, (1 - fx) * (1 - fy)), (1, 0, fx * (1 - fy)),
                             (0, 1, (1 - fx) * fy), (1, 1, fx * fy)):
            k = (j + dy) * w + i + dx
            cv.add(k, tint, b * wt * 0.9)
        if b > 0.6:
            for (dx, dy) in ((-1, 0), (2, 0), (0, -1), (0, 2)):
                xx, yy = i + dx, j + dy
                if 0 <= xx < w and 0 <= yy < cv.h:
                    cv.add(yy * w + xx, tint, b * 0.22)


def paint_moon(cv):
    print("  moon", flush=True)
    w = cv.w
    # halo (additive)
    for y in range(0, HZ):
        for x in range(w):
            d = math.hypot(x - MOON_X, y - MOON_Y) - MOON_R
            if d < 0:
                d = 0.0
            a = 0.42 * math.exp(-d / 12.0) + 0.20 * math.exp(-d / 48.0) + 0.09 * math.exp(-d / 150.0)
            if a > 0.004:
                cv.add(y * w + x, (170, 178, 214), a)
    # disc with soft maria and limb darkening
    size = int(MOON_R * 2 + 6)
    mare = fbm_field(size, size, 20.0, 20.0, 4, 7202, gain=0.6)
    x0 = int(MOON_X - MOON_R - 3)
    y0 = int(MOON_Y - MOON_R - 3)
    for j in range(size):
        for i in range(size):
            x, y = x0 + i, y0 + j
            # 4x4 supersampled coverage
            c = 0.0
            for sy in range(4):
                for sx in range(4):
                    if math.hypot(x + (sx + 0.5) / 4 - MOON_X, y + (sy + 0.5) / 4 - MOON_Y) <= MOON_R:
                        c += 1.0 / 16.0
            if c <= 0.0:
                continue
            dx = (x + 0.5 - MOON_X) / MOON_R
            dy = (y + 0.5 - MOON_Y) / MOON_R
            rr = min(dx * dx + dy * dy, 1.0)
            limb = 0.86 + 0.14 * math.sqrt(1.0 - rr)
            m = mare[j * size + i]
            dark = sstep(0.46, 0.72, m) * 0.55 + sstep(0.60, 0.78, m) * 0.25
            col = mixc((250, 250, 244), (214, 216, 222), dark)
            # a touch of warmth on the lower-left limb
            warm = sstep(0.3, 1.0, rr) * clamp(0.5 - 0.5 * (dx - dy)) * 0.5
            col = mixc(col, (236, 214, 190), warm)
            col = (col[0] * limb, col[1] * limb, col[2] * limb)
            cv.blend(y * w + x, col, c)


def paint_clouds(cv):
    print("  clouds", flush=True)
    w, h = cv.w, 320
    a = fbm_field(w, h, 230.0, 44.0, 6, 7301, gain=0.55)
    b = fbm_field(w, h, 140.0, 70.0, 3, 7302)
    warped = [0.0] * (w * h)
    for y in range(h):
        for x in range(w):
            k = y * w + x
            warped[k] = sample(a, w, h, x + 90.0 * (b[k] - 0.5), y + 10.0 * (b[k] - 0.5))
    dens = [0.0] * (w * h)
    for y in range(h):
        band = 0.14 + 0.42 * math.exp(-((y - 40.0) / 28.0) ** 2) \
            + 0.60 * math.exp(-((y - 140.0) / 30.0) ** 2) \
            + 0.50 * math.exp(-((y - 210.0) / 24.0) ** 2)
        band *= 1.0 - sstep(250.0, 318.0, y)
        for x in range(w):
            k = y * w + x
            d = sstep(0.42, 0.78, warped[k]) * band
            # a thin streak of cloud drifting across the lower part of the moon
            sy = y - (MOON_Y + 12.0 + 5.0 * math.sin(x / 37.0))
            streak = math.exp(-(sy / 3.2) ** 2) * sstep(360.0, 470.0, x) * (1.0 - sstep(600.0, 660.0, x))
            dens[k] = clamp(d + streak * (0.25 + 0.75 * b[k]) * 0.55)
    for y in range(h):
        for x in range(w):
            k = y * w + x
            d = dens[k]
            if d <= 0.003:
                continue
            # upper edges catch the moonlight, the undersides the afterglow
            top = clamp(d - dens[k - 4 * w]) if y >= 4 else 0.0
            dm = math.hypot(x - MOON_X, (y - MOON_Y) * 1.4)
            moon = math.exp(-dm / 105.0)
            glow = afterglow(x, y)
            base = mixc((50, 48, 84), (38, 29, 58), sstep(140.0, 260.0, y))
            base = mixc(base, (126, 68, 78), clamp(glow * 0.75 + sstep(200.0, 300.0, y) * 0.2))
            lit = mixc((130, 128, 170), (238, 238, 248), moon)
            edge = 4.0 * d * (1.0 - d)
            lamt = clamp(moon * (0.5 + 0.9 * edge) + top * (0.55 + 0.4 * moon))
            col = mixc(base, lit, lamt)
            cv.blend(k, col, d * 0.9)


def ridge(n, base, amp, cell, seed, extra=None):
    f = fbm1d(n, cell, 5, seed, gain=0.55)
    out = []
    for x in range(n):
        v = base + amp * (f[x] - 0.5) * 2.0
        if extra:
            v += extra(x)
        out.append(v)
    return out


def paint_ranges(cv):
    print("  mountains", flush=True)
    w = cv.w
    layers = [
        # base, amp, cell, seed, colour, haze amount, shape
        (262.0, 26.0, 150.0, 7401, (84, 58, 100), 0.40,
         lambda x: -34 * math.exp(-((x - 430) / 120.0) ** 2) + 26 * math.exp(-((x - 150) / 110.0) ** 2)
         - 20 * math.exp(-((x - 620) / 60.0) ** 2)),
        (296.0, 14.0, 90.0, 7402, (50, 35, 66), 0.28,
         lambda x: -14 * math.exp(-((x - 330) / 70.0) ** 2) + 10 * math.exp(-((x - 140) / 90.0) ** 2)
         - 12 * math.exp(-(x / 40.0) ** 2)),
        (318.0, 8.0, 60.0, 7403, (28, 21, 40), 0.18,
         lambda x: -6 * math.exp(-((x - 560) / 60.0) ** 2)),
    ]
    for (base, amp, cell, seed, col, haze, shape) in layers:
        r = ridge(w, base, amp, cell, seed, shape)
        pts = [(float(x), r[x]) for x in range(w)] + [(float(w), r[-1]), (float(w), HZ + 1.0), (0.0, HZ + 1.0)]
        cov = poly_cover([pts], w, cv.h)
        hz = SKY_STOPS[-1][1]

        def colfn(x, y, col=col, haze=haze, r=r):
            top = r[min(x, w - 1)]
            t = sstep(top, HZ + 2.0, y)
            c = mixc(col, gradient(SKY_STOPS, top), haze)
            g = afterglow(x, y)
            c = (c[0] + 18 * g * haze, c[1] + 8 * g * haze, c[2])
            fog = mixc((150, 104, 118), hz, 0.3)
            return mixc(c, fog, t ** 1.8 * (0.25 + haze))
        cv.fill_cover(cov, colfn)


def crag_poly():
    """Jagged rock the castle stands on, rising out of the mere."""
    prof = [(-4, 340), (10, 333), (24, 326), (36, 318), (44, 309), (50, 300), (58, 293),
            (72, 289), (100, 287), (140, 286), (180, 288), (206, 290), (216, 296),
            (226, 303), (238, 311), (250, 320), (262, 328), (276, 336), (292, 340)]
    rough = fbm1d(320, 9.0, 3, 7502)
    pts = []
    for (xa, ya), (xb, yb) in zip(prof, prof[1:]):
        n = max(1, int((xb - xa) / 2))
        for s in range(n):
            t = s / float(n)
            x = xa + (xb - xa) * t
            y = ya + (yb - ya) * t
            slope = abs(yb - ya) / max(1.0, (xb - xa))
            amp = 1.4 + 3.2 * min(slope, 1.0)
            y += (rough[int(clamp(x, 0, 319))] - 0.5) * 2.0 * amp
            pts.append((x, y))
    pts.append(prof[-1])
    return pts + [(292, HZ + 1.0), (-4, HZ + 1.0)]


def castle_polys():
    polys = []

    def rect(x0, y0, x1, y1):
        polys.append([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])

    def merlons(x0, x1, y, mw=3.0, gap=3.0, mh=3.0):
        x = x0
        while x + mw <= x1 + 0.01:
            rect(x, y - mh, x + mw, y + 0.5)
            x += mw + gap

    def roof(x0, x1, ybase, tip):
        polys.append([(x0 - 2, ybase), ((x0 + x1) / 2.0, tip), (x1 + 2, ybase)])

    # curtain wall
    rect(70, 254, 214, 298)
    merlons(72, 104, 254)
    merlons(150, 176, 254)
    merlons(192, 212, 254)
    # left round tower
    rect(60, 234, 80, 298)
    roof(60, 80, 235, 206)
    # keep
    rect(102, 216, 152, 298)
    merlons(102, 152, 216, mw=4, gap=3.5, mh=4)
    # donjon rising from the keep
    rect(124, 186, 142, 218)
    roof(124, 142, 188, 162)
    polys.append([(132.6, 162), (133.4, 162), (133.4, 152), (132.6, 152)])   # finial
    polys.append([(133.4, 153), (139, 155), (133.4, 157)])                     # pennant
    # right tower
    rect(174, 222, 192, 298)
    roof(174, 192, 223, 196)
    # small turret at the end of the wall
    rect(204, 244, 214, 298)
    roof(204, 214, 245, 229)
    # lean-to on the left
    polys.append([(80, 262), (96, 250), (102, 250), (102, 298), (80, 298)])
    return polys


def paint_castle(cv):
    print("  castle", flush=True)
    w, h = cv.w, cv.h
    castle = poly_cover(castle_polys(), w, h)
    rock = poly_cover([crag_poly()], w, h)
    tex = fbm_field(w, h, 7.0, 12.0, 3, 7503)

    def castle_col(x, y):
        return mixc((15, 12, 22), (22, 17, 29), sstep(200.0, 300.0, y))

    def rock_col(x, y):
        n = tex[y * w + x] - 0.5
        c = mixc((24, 18, 30), (14, 11, 19), sstep(286.0, HZ, y))
        return (c[0] + 12 * n, c[1] + 9 * n, c[2] + 12 * n)
    cv.fill_cover(castle, castle_col)
    cv.fill_cover(rock, rock_col)
    # rim light: warm afterglow on the left-facing edges, cool moonlight on
    # the right-facing and top edges
    u = [max(a, b) for a, b in zip(castle, rock)]
    for y in range(140, HZ):
        for x in range(1, w - 1):
            k = y * w + x
            if u[k] <= 0.0:
                continue
            left = clamp(u[k] - u[k - 1]) + 0.45 * clamp(u[k] - u[k - 2])
            right = clamp(u[k] - u[k + 1]) + 0.45 * clamp(u[k] - u[k + 2])
            top = clamp(u[k] - u[k - w])
            fade = 1.0 - sstep(296.0, 330.0, y)
            if left:
                cv.add(k, (160, 84, 72), left * 0.55 * fade)
            if right:
                cv.add(k, (100, 110, 160), right * 0.50 * fade)
            if top:
                cv.add(k, (90, 90, 140), top * 0.30 * fade)
    # a few lit windows with a warm glow
    windows = [(110, 232), (118, 232), (140, 232), (131, 198), (67, 250), (181, 238),
               (181, 262), (128, 262), (209, 258)]
    for (wx, wy) in windows:
        for yy in range(wy - 6, wy + 9):
            for xx in range(wx - 6, wx + 8):
                d = math.hypot(xx - (wx + 0.75), yy - (wy + 1.5))
                cv.add(yy * w + xx, (255, 150, 60), 0.10 * math.exp(-d / 2.6))
        for yy in range(wy, wy + 3):
            for xx in range(wx, wx + 2):
                a = 0.95 if yy < wy + 2 else 0.6
                cv.blend(yy * w + xx, (255, 196, 110), a)


def paint_lake(cv):
    print("  lake", flush=True)
    w, h = cv.w, cv.h
    src_r, src_g, src_b = list(cv.r), list(cv.g), list(cv.b)
    lh = h - HZ
    rip = fbm_field(w, lh, 46.0, 3.0, 3, 7601)
    rip2 = fbm_field(w, lh, 14.0, 1.6, 2, 7602)
    glint = fbm_field(w, lh, 9.0, 1.3, 2, 7603)
    water = (8, 10, 22)
    for y in range(HZ, h):
        j = y - HZ
        t = j / float(lh)
        amp = 1.5 + 12.0 * t
        strength = 0.74 - 0.34 * t
        gw = 4.0 + 58.0 * t
        for x in range(w):
            q = j * w + x
            rv = rip[q] - 0.5
            sx = x + amp * rv * 2.0
            sy = HZ - 1.0 - j * 0.94 + 1.5 * t * (rip2[q] - 0.5)
            rr = sample(src_r, w, h, sx, sy)
            rg = sample(src_g, w, h, sx, sy)
            rb = sample(src_b, w, h, sx, sy)
            # ripple crests catch a little more of the sky
            crest = sstep(0.58, 0.80, rip2[q]) * 0.16 * (1.0 - t)
            s = strength * (1.0 + crest)
            col = (water[0] + (rr * 0.86 - water[0]) * s,
                   water[1] + (rg * 0.90 - water[1]) * s,
                   water[2] + (rb * 1.02 - water[2]) * s)
            # light ripple lines that break up the mirror image
            line = sstep(0.60, 0.84, rip2[q]) * (0.30 - 0.18 * t)
            sky = mixc((120, 84, 112), (46, 46, 80), sstep(0.0, 0.6, t))
            col = mixc(col, sky, line)
            k = y * w + x
            cv.r[k], cv.g[k], cv.b[k] = col
            # moonlight glitter path
            dx = (x - MOON_X) / gw
            if -3.0 < dx < 3.0:
                col_w = math.exp(-dx * dx)
                spark = sstep(0.60, 0.86, glint[q]) * col_w * (0.55 + 0.45 * t)
                cv.add(k, (236, 236, 244), spark * 0.95)
                cv.add(k, (150, 156, 190), math.exp(-dx * dx * 0.4) * 0.10)
    for x in range(w):
        for y in range(HZ, HZ + 2):
            cv.blend(y * w + x, (180, 130, 130), 0.22 if y == HZ else 0.10)


def paint_mist(cv):
    print("  mist", flush=True)
    w, h = cv.w, cv.h
    m = fbm_field(w, h, 190.0, 13.0, 5, 7701, gain=0.55)
    m2 = fbm_field(w, h, 120.0, 30.0, 3, 7702)
    for y in range(230, h):
        b1 = 0.62 * math.exp(-((y - 334.0) / 13.0) ** 2)
        b2 = 0.32 * math.exp(-((y - 304.0) / 9.0) ** 2)
        b3 = 0.20 * math.exp(-((y - 410.0) / 34.0) ** 2)
        for x in range(w):
            k = y * w + x
            v = m[k]
            a = sstep(0.40, 0.80, v) * b1 + sstep(0.45, 0.80, v) * b2 * (1.0 - sstep(260, 340, x) * 0.4) \
                + sstep(0.5, 0.85, m2[k]) * b3
            if a <= 0.004:
                continue
            g = afterglow(x, min(y, HZ))
            col = mixc((128, 118, 156), (196, 140, 132), g * 0.6)
            mc = math.exp(-((x - MOON_X) / 80.0) ** 2) * sstep(HZ - 10, HZ + 40, y)
            col = (col[0] + 40 * mc, col[1] + 42 * mc, col[2] + 48 * mc)
            cv.blend(k, col, a)


def paint_foreground(cv):
    print("  foreground", flush=True)
    w, h = cv.w, cv.h
    rng = random.Random(7801)
    shore = [(-2, 428), (24, 433), (56, 440), (92, 449), (128, 458), (160, 466), (196, 473),
             (236, 478), (270, 481), (-2, 481)]
    polys = [shore]
    right = [(598, 481), (610, 470), (622, 464), (634, 462), (642, 462), (642, 481)]
    polys.append(right)
    # reeds
    for _ in range(46):
        bx = rng.random() ** 1.3 * 200.0
        by = 430 + bx * 0.22 + 4
        hgt = (18 + rng.random() * 58) * (1.0 - bx / 260.0)
        lean = (rng.random() - 0.35) * 16
        wid = 1.3 + rng.random() * 1.4
        polys.append(stroke_pts((bx, by), (bx + lean * 0.3, by - hgt * 0.55),
                                (bx + lean, by - hgt), wid, 0.15))
    for _ in range(10):
        bx = 606 + rng.random() * 34
        by = 466
        hgt = 10 + rng.random() * 34
        lean = (rng.random() - 0.6) * 12
        polys.append(stroke_pts((bx, by), (bx + lean * 0.3, by - hgt * 0.55),
                                (bx + lean, by - hgt), 1.2 + rng.random(), 0.15))
    # a few cattail heads
    for _ in range(6):
        bx = 20 + rng.random() * 130
        by = 430 + bx * 0.22 - 28 - rng.random() * 26
        polys.append(ellipse_pts(bx, by, 1.6, 5.0, n=16))
        polys.append(stroke_pts((bx, by + 4), (bx, by + 12), (bx + 0.5, by + 30), 0.9, 0.9, n=4))
    cov = poly_cover(polys, w, h)
    cv.fill_cover(cov, lambda x, y: (6, 6, 11))


def vignette_grain(cv):
    print("  vignette", flush=True)
    w, h = cv.w, cv.h
    rng = random.Random(7901)
    canvas = fbm_field(w, h, 5.0, 11.0, 2, 7902)     # faint brush texture
    for y in range(h):
        for x in range(w):
            k = y * w + x
            nx = (x - 330.0) / 350.0
            ny = (y - 250.0) / 290.0
            r = math.sqrt(nx * nx + ny * ny)
            v = 1.0 - 0.55 * sstep(0.45, 1.25, r)
            tex = 1.0 + 0.045 * (canvas[k] - 0.5)
            gr = (rng.random() - 0.5) * 4.5
            m = v * tex
            cv.r[k] = cv.r[k] * m + gr
            cv.g[k] = cv.g[k] * m + gr
            cv.b[k] = cv.b[k] * m + gr * 1.1


# --------------------------------------------------------------------------
# The translucent panel behind the buttons
# --------------------------------------------------------------------------
PANEL_TINT = (12, 11, 19)
PANEL_MIX = 0.34        # share of the (blurred) scene that shows through


def chamfer_sdf(px, py, cx, cy, hx, hy, c):
    """Signed distance-like value for a rectangle with chamfered corners
    (negative inside).  Uses the L-infinity metric along the straight edges."""
    ax = abs(px - cx)
    ay = abs(py - cy)
    d_box = max(ax - hx, ay - hy)
    d_ch = (ax + ay - (hx + hy - c)) * 0.70710678
    return max(d_box, d_ch)


def paint_panel(cv):
    print("  panel", flush=True)
    w = cv.w
    x0, y0, x1, y1 = PANEL
    m = 24
    bx0, by0, bx1, by1 = x0 - m, y0 - m, min(x1 + m, w), min(y1 + m, cv.h)
    bw, bh = bx1 - bx0, by1 - by0
    blurred = []
    for ch in (cv.r, cv.g, cv.b):
        reg = [ch[(by0 + j) * w + bx0 + i] for j in range(bh) for i in range(bw)]
        blurred.append(box_blur(reg, bw, bh, 9))
    # Inside the button column the scene is replaced by its average, so the
    # panel is one even colour there and the button plates (whose outermost
    # pixels use that colour) sit on it seamlessly; the translucency shows in
    # the ring between the buttons and the frame.
    cx0, cy0 = BTN_X, BTN_Y[0]
    cx1, cy1 = BTN_X + BTN_W - 1, BTN_Y[-1] + BTN_H - 1
    mean = []
    for ch in blurred:
        s = 0.0
        for y in range(cy0, cy1 + 1):
            j = y - by0
            s += sum(ch[j * bw + cx0 - bx0:j * bw + cx1 - bx0 + 1])
        mean.append(s / ((cx1 - cx0 + 1) * (cy1 - cy0 + 1)))
    for j in range(bh):
        for i in range(bw):
            x, y = bx0 + i, by0 + j
            d = max(cx0 - x, x - cx1, cy0 - y, y - cy1, 0)
            u = sstep(0.0, 11.0, d)
            q = j * bw + i
            for c in range(3):
                blurred[c][q] = mean[c] + (blurred[c][q] - mean[c]) * u
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0, (y1 - y0) / 2.0
    bronze = (150, 113, 62)
    for j in range(bh):
        for i in range(bw):
            x, y = bx0 + i, by0 + j
            k = y * w + x
            # 3x3 supersampled distance bands
            inside = frame = inner = outer = 0.0
            for sy in (0.17, 0.5, 0.83):
                for sx in (0.17, 0.5, 0.83):
                    d = chamfer_sdf(x + sx, y + sy, cx, cy, hx, hy, 9.0)
                    if d <= 0.0:
                        inside += 1
                        if -2.0 < d <= -1.0:
                            frame += 1
                        elif -6.0 < d <= -5.0:
                            inner += 1
                    elif d < 1.5:
                        outer += 1
            inside /= 9.0
            frame /= 9.0
            inner /= 9.0
            outer /= 9.0
            # soft drop shadow around the panel
            d0 = chamfer_sdf(x + 0.5, y + 0.5, cx, cy, hx, hy, 9.0)
            if d0 > 0.0:
                sh = 0.45 * math.exp(-d0 / 5.0)
                cv.r[k] *= 1.0 - sh
                cv.g[k] *= 1.0 - sh
                cv.b[k] *= 1.0 - sh
            if inside > 0.0:
                q = j * bw + i
                pc = (PANEL_TINT[0] + (blurred[0][q] - PANEL_TINT[0]) * PANEL_MIX,
                      PANEL_TINT[1] + (blurred[1][q] - PANEL_TINT[1]) * PANEL_MIX,
                      PANEL_TINT[2] + (blurred[2][q] - PANEL_TINT[2]) * PANEL_MIX)
                cv.blend(k, pc, inside)
            if outer > 0.0:
                cv.blend(k, (0, 0, 0), outer * 0.55)
            if frame > 0.0:
                # light the frame a little from the top
                lt = 1.12 - 0.3 * (y - y0) / float(y1 - y0)
                cv.blend(k, (bronze[0] * lt, bronze[1] * lt, bronze[2] * lt), frame * 0.95)
            if inner > 0.0:
                cv.blend(k, bronze, inner * 0.28)
    # ornaments: diamonds at the middle of the top and bottom edge
    for (ox, oy) in ((cx, y0 + 1.5), (cx, y1 - 1.5)):
        diamond(cv, ox, oy, 6.0, bronze, (20, 16, 22))
    # small studs in the chamfered corners
    for (ox, oy) in ((x0 + 5.5, y0 + 5.5), (x1 - 5.5, y0 + 5.5), (x0 + 5.5, y1 - 5.5), (x1 - 5.5, y1 - 5.5)):
        diamond(cv, ox, oy, 2.6, bronze, None)


def diamond(cv, ox, oy, r, col, core):
    w = cv.w
    for y in range(int(oy - r - 2), int(oy + r + 3)):
        for x in range(int(ox - r - 2), int(ox + r + 3)):
            if not (0 <= x < w and 0 <= y < cv.h):
                continue
            k = y * w + x
            c = 0.0
            cc = 0.0
            for sy in (0.25, 0.75):
                for sx in (0.25, 0.75):
                    d = abs(x + sx - ox) + abs(y + sy - oy)
                    if d <= r:
                        c += 0.25
                    if core and d <= r * 0.45:
                        cc += 0.25
            if c > 0.0:
                lt = 1.25 if (y + 0.5) < oy else 0.85
                cv.blend(k, (min(255, col[0] * lt), min(255, col[1] * lt), min(255, col[2] * lt)), c)
            if cc > 0.0:
                cv.blend(k, core, cc)


def panel_colour(cv):
    """Average panel colour inside the button column; the button plates use
    it for their outermost pixels so they melt into the panel."""
    w = cv.w
    acc = [0.0, 0.0, 0.0]
    n = 0
    for y in range(BTN_Y[0], BTN_Y[-1] + BTN_H):
        for x in (BTN_X, BTN_X + 1, BTN_X + BTN_W - 2, BTN_X + BTN_W - 1):
            k = y * w + x
            acc[0] += cv.r[k]
            acc[1] += cv.g[k]
            acc[2] += cv.b[k]
            n += 1
    return tuple(v / n for v in acc)


# --------------------------------------------------------------------------
# Text: masks come from ImageMagick, colouring and effects are done here
# --------------------------------------------------------------------------
def pad_mask(mw, mh, m, p):
    nw, nh = mw + 2 * p, mh + 2 * p
    out = [0.0] * (nw * nh)
    for j in range(mh):
        out[(j + p) * nw + p:(j + p) * nw + p + mw] = m[j * mw:(j + 1) * mw]
    return nw, nh, out


def draw_text(cv, mask, ox, oy, fill_fn, shadow=0.8, glow=None, outline=0.0, bevel=0.0):
    """Composite a text mask at (ox, oy) (top-left of the unpadded mask)."""
    mw, mh, m = mask
    p = 14
    nw, nh, pm = pad_mask(mw, mh, m, p)
    x0, y0 = ox - p, oy - p
    shadow_m = box_blur(pm, nw, nh, 2) if shadow else None
    glow_m = box_blur(pm, nw, nh, 6) if glow else None
    line_m = box_blur(pm, nw, nh, 1, passes=1) if outline else None
    w = cv.w
    for j in range(nh):
        for i in range(nw):
            x, y = x0 + i, y0 + j
            if not (0 <= x < w and 0 <= y < cv.h):
                continue
            k = y * w + x
            q = j * nw + i
            if glow:
                cv.add(k, glow[0], glow_m[q] * glow[1])
            if shadow:
                si, sj = i - 2, j - 3
                if 0 <= si < nw and 0 <= sj < nh:
                    s = shadow_m[sj * nw + si] * shadow
                    cv.r[k] *= 1.0 - s
                    cv.g[k] *= 1.0 - s
                    cv.b[k] *= 1.0 - s
            if outline:
                cv.blend(k, (8, 6, 10), clamp(line_m[q] * 2.2) * outline)
            a = pm[q]
            if a > 0.0:
                ty = (j - p) / float(mh)
                col = fill_fn(ty, (i - p) / float(mw))
                if bevel:
                    up = pm[q - nw] if j > 0 else 0.0
                    dn = pm[q + nw] if j < nh - 1 else 0.0
                    hi = clamp(a - up)
                    lo = clamp(a - dn)
                    col = mixc(col, (255, 248, 220), hi * bevel)
                    col = mixc(col, (60, 36, 14), lo * bevel * 0.8)
                cv.blend(k, col, a)


GOLD = [(0.00, (255, 240, 196)), (0.30, (238, 204, 130)), (0.50, (206, 156, 78)),
        (0.52, (160, 106, 46)), (0.75, (200, 142, 66)), (1.00, (120, 74, 32))]


def paint_title(cv, textdir):
    print("  title", flush=True)
    pre = read_pgm(os.path.join(textdir, "pre.pgm"))
    title = read_pgm(os.path.join(textdir, "title.pgm"))
    sub = read_pgm(os.path.join(textdir, "sub.pgm"))
    cpy = read_pgm(os.path.join(textdir, "copy.pgm"))

    ty = 56
    tx = TITLE_CX - title[0] // 2
    print("    title %dx%d at x %d..%d" % (title[0], title[1], tx, tx + title[0] - 1), flush=True)
    # small over-line
    px = TITLE_CX - pre[0] // 2
    draw_text(cv, pre, px, ty - pre[1] - 12, lambda a, b: (188, 158, 108), shadow=0.7)
    # flanking hairlines of the over-line
    hair(cv, TITLE_CX - pre[0] // 2 - 46, TITLE_CX - pre[0] // 2 - 8, ty - 12 - pre[1] / 2.0, (170, 136, 84), 0.8)
    hair(cv, TITLE_CX + pre[0] // 2 + 8, TITLE_CX + pre[0] // 2 + 46, ty - 12 - pre[1] / 2.0, (170, 136, 84), 0.8)
    # the title
    draw_text(cv, title, tx, ty, lambda a, b: gradient(GOLD, a), shadow=0.85,
              glow=((200, 130, 60), 0.22), outline=0.9, bevel=0.55)
    # divider with a crescent-diamond ornament
    dy = ty + title[1] + 13.5
    hair(cv, 30, TITLE_CX - 10, dy, (196, 154, 88), 1.0)
    hair(cv, TITLE_CX + 10, 260, dy, (196, 154, 88), 1.0)
    diamond(cv, TITLE_CX, dy, 4.5, (214, 170, 96), (30, 22, 26))
    diamond(cv, TITLE_CX - 14, dy, 1.8, (214, 170, 96), None)
    diamond(cv, TITLE_CX + 14, dy, 1.8, (214, 170, 96), None)
    # subtitle
    sx = TITLE_CX - sub[0] // 2
    draw_text(cv, sub, sx, int(dy + 10), lambda a, b: mixc((226, 220, 240), (176, 168, 200), a), shadow=0.8)
    # copyright line, bottom left
    draw_text(cv, cpy, 20, H - 14 - cpy[1], lambda a, b: (128, 120, 140), shadow=0.8)


def hair(cv, xa, xb, y, col, alpha):
    """Thin horizontal gold line that fades out towards both ends."""
    w = cv.w
    yi = int(y)
    fy = y - yi
    for x in range(int(xa), int(xb) + 1):
        t = (x - xa) / float(xb - xa)
        fade = sstep(0.0, 0.25, t) * sstep(0.0, 0.25, 1.0 - t) if xb - xa > 60 else sstep(0.0, 0.6, min(t, 1 - t) * 2)
        a = alpha * fade
        cv.blend(yi * w + x, col, a * (1.0 - fy))
        cv.blend((yi + 1) * w + x, col, a * fy)


def paint_background(textdir):
    cv = Canvas(W, H)
    paint_sky(cv)
    paint_stars(cv)
    paint_moon(cv)
    paint_clouds(cv)
    paint_ranges(cv)
    paint_castle(cv)
    paint_lake(cv)
    paint_mist(cv)
    paint_foreground(cv)
    vignette_grain(cv)
    paint_panel(cv)
    paint_title(cv, textdir)
    return cv


# --------------------------------------------------------------------------
# Buttons
# --------------------------------------------------------------------------
BUTTON_STYLES = {
    # outline, rim top, rim bottom, fill top, fill mid, fill bottom, bevel, glow, stud
    "normal": dict(line=(7, 6, 9), rim0=(198, 158, 90), rim1=(104, 76, 40), inner=(12, 10, 15),
                   fill=[(0.0, (47, 42, 55)), (0.45, (27, 25, 33)), (1.0, (19, 17, 24))],
                   bevel=20.0, glow=None, stud=(178, 138, 74), tex=1.0),
    "hover": dict(line=(16, 11, 6), rim0=(255, 228, 150), rim1=(200, 150, 72), inner=(40, 28, 14),
                  fill=[(0.0, (78, 68, 68)), (0.45, (50, 43, 48)), (1.0, (38, 33, 40))],
                  bevel=24.0, glow=((104, 72, 28), 7.0), stud=(255, 214, 130), tex=1.0),
    "pressed": dict(line=(4, 3, 6), rim0=(96, 70, 36), rim1=(190, 150, 84), inner=(6, 5, 8),
                    fill=[(0.0, (10, 9, 13)), (0.55, (20, 18, 24)), (1.0, (32, 28, 36))],
                    bevel=-26.0, glow=((70, 44, 16), 5.0), stud=(150, 112, 58), tex=0.7),
    "disabled": dict(line=(10, 10, 10), rim0=(60, 60, 60), rim1=(60, 60, 60), inner=(13, 13, 13),
                     fill=[(0.0, (16, 16, 17)), (1.0, (16, 16, 17))],
                     bevel=0.0, glow=None, stud=(52, 52, 52), tex=0.0),
}


def paint_button(style, margin_col):
    s = BUTTON_STYLES[style]
    w, h = BTN_W, BTN_H
    cv = Canvas(w, h, margin_col)
    cx, cy = w / 2.0, h / 2.0
    hx, hy = w / 2.0 - 1.0, h / 2.0 - 1.0      # 1 px margin of panel colour
    chamf = 6.0
    rng = random.Random(8001)
    brush = fbm_field(w, h, 60.0, 1.5, 3, 8002)
    grain = [rng.random() - 0.5 for _ in range(w * h)]
    pressed_shift = 1.0 if style == "pressed" else 0.0
    studs = [(16.5, cy + pressed_shift * 0.5), (w - 16.5, cy + pressed_shift * 0.5)]
    for y in range(h):
        for x in range(w):
            k = y * w + x
            acc = [0.0, 0.0, 0.0]
            cov = 0.0
            for sy in (0.125, 0.375, 0.625, 0.875):
                for sx in (0.125, 0.375, 0.625, 0.875):
                    px, py = x + sx, y + sy
                    d = chamfer_sdf(px, py, cx, cy, hx, hy, chamf)
                    if d > 0.0:
                        continue
                    depth = -d
                    ty = (py - 1.0) / (h - 2.0)
                    if depth < 1.0:
                        c = s["line"]
                    elif depth < 2.2:
                        c = mixc(s["rim0"], s["rim1"], ty)
                        # sheen along the upper rim
                        if style != "disabled":
                            c = mixc(c, (255, 244, 210), 0.25 * (1.0 - sstep(0.0, 0.3, ty)))
                    elif depth < 3.2:
                        c = s["inner"]
                    else:
                        c = gradient(s["fill"], ty)
                        b = s["bevel"]
                        if b:
                            sign = (cy - py) / hy          # +1 top, -1 bottom
                            bev = 1.0 - sstep(3.2, 6.5, depth)
                            c = (c[0] + b * bev * sign, c[1] + b * bev * sign, c[2] + b * bev * sign)
                        if s["glow"]:
                            gcol, gr = s["glow"]
                            gl = math.exp(-(depth - 3.2) / gr)
                            if style == "pressed":
                                gl *= sstep(0.3, 1.0, ty)   # light catches the lower lip
                            c = (c[0] + gcol[0] * gl, c[1] + gcol[1] * gl, c[2] + gcol[2] * gl)
                        if style == "hover":
                            # soft warm light in the middle of the plate
                            rx = (px - cx) / (w * 0.42)
                            ry = (py - cy) / (h * 0.9)
                            e = math.exp(-(rx * rx + ry * ry))
                            c = (c[0] + 18 * e, c[1] + 13 * e, c[2] + 6 * e)
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
                    cov += 1.0
            if cov:
                col = (acc[0] / cov, acc[1] / cov, acc[2] / cov)
                t = s["tex"]
                if t:
                    n = (brush[k] - 0.5) * 7.0 * t + grain[k] * 2.0 * t
                    col = (col[0] + n, col[1] + n, col[2] + n)
                cv.blend(k, col, cov / 16.0)
    for (sx, sy) in studs:
        diamond(cv, sx - 0.5, sy - 0.5, 4.0, s["stud"], s["inner"] if style != "disabled" else None)
        if style == "hover":
            for y in range(int(sy) - 9, int(sy) + 10):
                for x in range(int(sx) - 12, int(sx) + 13):
                    if 0 <= y < h and 0 <= x < w and chamfer_sdf(x + 0.5, y + 0.5, cx, cy, hx, hy, chamf) < -3.5:
                        d = math.hypot(x + 0.5 - sx, y + 0.5 - sy)
                        cv.add(y * w + x, (255, 170, 70), 0.12 * math.exp(-d / 3.5))
    return cv


# --------------------------------------------------------------------------
# Icon: a crescent moon above the mere, on a round bronze-rimmed badge
# --------------------------------------------------------------------------
def icon_pixel(u, v, size):
    """Colour (r, g, b, a) of the emblem at normalised point (u, v) in 0..1."""
    rr = math.hypot(u - 0.5, v - 0.5)
    R = 0.485
    if rr > R:
        return None
    rim = max(0.075, 1.35 / size)
    if rr > R - rim:
        t = (v - 0.0)
        return mixc((236, 196, 122), (120, 84, 40), t) + (255,)
    # night sky / water inside the badge
    if v < 0.64:
        col = mixc((16, 18, 46), (58, 40, 82), sstep(0.05, 0.64, v))
    else:
        col = mixc((22, 22, 50), (8, 10, 26), sstep(0.64, 1.0, v))
    small = size <= 16
    # crescent
    if small:
        mcx, mcy, mr = 0.50, 0.42, 0.27
        ocx, ocy, orr = 0.63, 0.34, 0.22
    else:
        mcx, mcy, mr = 0.50, 0.38, 0.225
        ocx, ocy, orr = 0.60, 0.31, 0.19
    if math.hypot(u - mcx, v - mcy) < mr and math.hypot(u - ocx, v - ocy) > orr:
        return mixc((255, 244, 204), (226, 178, 96), sstep(0.15, 0.62, v)) + (255,)
    # water: a single line on the 16 px image, two wavy lines above that
    if small:
        if 0.75 < v < 0.8125 and 0.22 < u < 0.78:
            return (176, 190, 228, 255)
        return col + (255,)
    lw = max(0.032, 0.9 / size)
    for (ly, x0, x1, c) in ((0.70, 0.24, 0.76, (196, 206, 236)), (0.81, 0.32, 0.68, (130, 146, 190))):
        wy = ly + 0.018 * math.sin((u - 0.5) * 26.0)
        if abs(v - wy) < lw and x0 < u < x1:
            return c + (255,)
    # reflection of the crescent
    if 0.645 < v < 0.69 and abs(u - 0.47) < 0.09:
        return (200, 170, 110, 255)
    return col + (255,)


def paint_icon(size):
    ss = 8
    px = []
    for y in range(size):
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(ss):
                for sx in range(ss):
                    c = icon_pixel((x + (sx + 0.5) / ss) / size, (y + (sy + 0.5) / ss) / size, size)
                    if c is None:
                        continue
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
                    acc[3] += 1.0
            a = acc[3] / (ss * ss)
            if acc[3]:
                px.append((acc[0] / acc[3], acc[1] / acc[3], acc[2] / acc[3], a))
            else:
                px.append((0.0, 0.0, 0.0, 0.0))
    return px


def write_ico(path, sizes):
    """Standard .ico: one 32-bit BGRA DIB (with AND mask) per size."""
    images = []
    for size in sizes:
        px = paint_icon(size)
        xor = bytearray()
        for y in range(size - 1, -1, -1):          # bottom-up rows
            for x in range(size):
                r, g, b, a = px[y * size + x]
                xor += bytes((int(clamp(b, 0, 255) + 0.5), int(clamp(g, 0, 255) + 0.5),
                              int(clamp(r, 0, 255) + 0.5), int(clamp(a) * 255 + 0.5)))
        stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for y in range(size - 1, -1, -1):
            row = bytearray(stride)
            for x in range(size):
                if px[y * size + x][3] < 0.5:
                    row[x >> 3] |= 0x80 >> (x & 7)
            mask += row
        hdr = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                          len(xor) + len(mask), 0, 0, 0, 0)
        images.append(hdr + bytes(xor) + bytes(mask))
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size & 0xFF, size & 0xFF, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    with open(path, "wb") as f:
        f.write(out)


def main():
    if len(sys.argv) != 3:
        raise SystemExit("usage: paint.py TEXTDIR OUTDIR")
    textdir, outdir = sys.argv[1], sys.argv[2]
    print("painting background", flush=True)
    bg = paint_background(textdir)
    bg.write_ppm(os.path.join(outdir, "background.ppm"))
    pcol = panel_colour(bg)
    print("panel colour behind the buttons: %d,%d,%d" % tuple(int(v + 0.5) for v in pcol), flush=True)
    for style in ("normal", "hover", "pressed", "disabled"):
        print("painting button_%s" % style, flush=True)
        paint_button(style, pcol).write_ppm(os.path.join(outdir, "button_%s.ppm" % style))
    print("painting launcher.ico", flush=True)
    write_ico(os.path.join(outdir, "launcher.ico"), (16, 32, 48))


if __name__ == "__main__":
    main()
