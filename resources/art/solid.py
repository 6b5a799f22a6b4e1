"""A small point-splatting renderer for the chess pieces.

Pieces are built from turned parts (a meridian curve revolved about the vertical axis,
optionally with a crown-like upper edge that varies around the axis), spheres, and
"pillows" (a flat outline given thickness, for the knight's head and the king's cross).
Every surface is sampled densely, each sample is projected with a slight downward view and
the nearest one per pixel wins. The result is a normal, a position and a material per
pixel, which shade.py turns into colour.

Units: one unit is one pixel of the 40 x 80 piece cell; h is the height above the ground,
x to the right, z towards the viewer.
"""

import math

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

ELEVATION = math.radians(16)  # the viewer looks slightly down onto the board
COS_E, SIN_E = math.cos(ELEVATION), math.sin(ELEVATION)


def chaikin(points, sharp=(), iterations=4):
    """Rounds a control polygon (open; its ends stay put) into a smooth curve by cutting
    every corner except those whose index is in `sharp`."""
    pts = [(tuple(p), i in sharp or i in (0, len(points) - 1)) for i, p in enumerate(points)]
    for _ in range(iterations):
        out = []
        for i, (p, is_sharp) in enumerate(pts):
            if is_sharp:
                out.append((p, True))
                continue
            a, b = pts[i - 1][0], pts[i + 1][0]
            out.append(((0.75 * p[0] + 0.25 * a[0], 0.75 * p[1] + 0.25 * a[1]), False))
            out.append(((0.75 * p[0] + 0.25 * b[0], 0.75 * p[1] + 0.25 * b[1]), False))
        pts = out
    return [p for p, _ in pts]


def resample(curve, step):
    """Points along a polyline every `step` units, with unit tangents."""
    pts = np.array(curve, dtype=np.float64)
    seg = np.diff(pts, axis=0)
    lengths = np.hypot(seg[:, 0], seg[:, 1])
    keep = lengths > 1e-9
    pts = np.vstack([pts[:1], pts[1:][keep]])
    seg, lengths = seg[keep], lengths[keep]
    total = lengths.sum()
    s = np.arange(0.0, total, step)
    cum = np.concatenate([[0.0], np.cumsum(lengths)])
    idx = np.clip(np.searchsorted(cum, s, side="right") - 1, 0, len(seg) - 1)
    t = (s - cum[idx]) / lengths[idx]
    p = pts[idx] + seg[idx] * t[:, None]
    tangent = seg[idx] / lengths[idx][:, None]
    return p, tangent


class Samples:
    """Surface samples in world space."""

    def __init__(self):
        self.parts = []

    def add(self, pos, normal, material, part):
        n = np.asarray(normal, dtype=np.float64)
        n = n / np.maximum(np.linalg.norm(n, axis=1, keepdims=True), 1e-9)
        self.parts.append([np.asarray(pos, dtype=np.float64), n,
                           np.full(len(pos), material, dtype=np.int16),
                           np.full(len(pos), part, dtype=np.int16), np.zeros(len(pos))])

    def arrays(self):
        return [np.concatenate([p[k] for p in self.parts]) for k in range(5)]

    def darken(self, amount_of):
        """amount_of(pos) -> 0..1 darkening; the largest value per sample is kept."""
        for p in self.parts:
            p[4] = np.maximum(p[4], amount_of(p[0]))

    def repaint(self, where, material):
        for p in self.parts:
            p[2] = np.where(where(p[0]), material, p[2]).astype(np.int16)


def revolve(samples, meridian, material, part, step, keep=None):
    """Revolves a meridian polyline of (r, h) points about the vertical axis.

    The surface faces the right-hand side of the direction of travel: a curve that runs
    outwards along the bottom and up the outside faces out; one that runs down the inside
    of a cup faces in. keep(phi, h) -> bool mask trims the surface (crowns, battlements)."""
    p, tangent = resample(meridian, step)
    r, h = p[:, 0], p[:, 1]
    nr, nh = tangent[:, 1], -tangent[:, 0]
    counts = np.maximum(12, np.ceil(2 * math.pi * np.abs(r) / step)).astype(int)
    ring = np.repeat(np.arange(len(r)), counts)
    offsets = np.concatenate([[0], np.cumsum(counts)[:-1]])
    k = np.arange(counts.sum()) - np.repeat(offsets, counts)
    phi = 2 * math.pi * (k + 0.5 * (ring % 2)) / counts[ring]
    rr, hh = r[ring], h[ring]
    sp, cp = np.sin(phi), np.cos(phi)
    pos = np.stack([rr * sp, hh, rr * cp], axis=1)
    nor = np.stack([nr[ring] * sp, nh[ring], nr[ring] * cp], axis=1)
    if keep is not None:
        mask = keep(phi, hh)
        pos, nor = pos[mask], nor[mask]
    samples.add(pos, nor, material, part)


def sphere(samples, centre, radius, material, part, step):
    meridian = [(radius * math.sin(a), -radius * math.cos(a))
                for a in np.linspace(0, math.pi, max(8, int(math.pi * radius / step)))]
    before = len(samples.parts)
    revolve(samples, meridian, material, part, step)
    samples.parts[before][0] = samples.parts[before][0] + np.asarray(centre, dtype=np.float64)


def pillow(samples, outline, thickness, material, part, step, z=0.0, blur=2.5,
           relief=None, sharp=()):
    """A closed flat outline (list of (x, h) points, the first a corner) given a rounded
    front surface that bulges up to `thickness` towards the viewer and falls smoothly to
    the edge. relief(x, h) -> extra height carves grooves and raises ridges."""
    curve = chaikin(list(outline) + [outline[0]], sharp=set(sharp), iterations=3)
    xs = [q[0] for q in curve]
    hs = [q[1] for q in curve]
    x0, x1 = math.floor(min(xs)) - 2, math.ceil(max(xs)) + 2
    h0, h1 = math.floor(min(hs)) - 2, math.ceil(max(hs)) + 2
    res = 1.0 / step
    w, hgt = int((x1 - x0) * res) + 1, int((h1 - h0) * res) + 1
    mask_img = Image.new("L", (w, hgt), 0)
    ImageDraw.Draw(mask_img).polygon([((q[0] - x0) * res, (h1 - q[1]) * res) for q in curve],
                                     fill=255)
    mask = np.asarray(mask_img, dtype=np.float64) / 255.0
    soft = np.asarray(mask_img.filter(ImageFilter.GaussianBlur(blur * res)),
                      dtype=np.float64) / 255.0
    gx = np.linspace(x0, x0 + (w - 1) / res, w)
    gh = np.linspace(h1, h1 - (hgt - 1) / res, hgt)
    X, H = np.meshgrid(gx, gh)
    t = thickness * np.sqrt(np.clip(soft, 0, 1)) * (mask > 0.5)
    if relief is not None:
        t = t + relief(X, H) * (mask > 0.5)
    dtdx = np.gradient(t, axis=1) * res
    dtdh = -np.gradient(t, axis=0) * res  # rows run downwards in h
    inside = mask > 0.5
    pos = np.stack([X[inside], H[inside], z + t[inside]], axis=1)
    nor = np.stack([-dtdx[inside], -dtdh[inside], np.ones(inside.sum())], axis=1)
    samples.add(pos, nor, material, part)


def box(samples, lo, hi, material, part, step):
    """An axis-aligned box, six faces."""
    lo, hi = np.asarray(lo, float), np.asarray(hi, float)
    for axis in range(3):
        a, b = [i for i in range(3) if i != axis]
        ua = np.arange(lo[a], hi[a] + 1e-9, step)
        ub = np.arange(lo[b], hi[b] + 1e-9, step)
        A, B = np.meshgrid(ua, ub)
        for side, value in ((-1, lo[axis]), (1, hi[axis])):
            pos = np.zeros((A.size, 3))
            pos[:, a], pos[:, b], pos[:, axis] = A.ravel(), B.ravel(), value
            nor = np.zeros_like(pos)
            nor[:, axis] = side
            samples.add(pos, nor, material, part)


class Frame:
    """Rasterised view: per pixel coverage, normal, world position, material and part."""

    def __init__(self, width, height, scale):
        self.w, self.h, self.scale = width, height, scale
        self.cover = np.zeros((height, width), bool)
        self.normal = np.zeros((height, width, 3))
        self.pos = np.zeros((height, width, 3))
        self.material = np.full((height, width), -1, np.int16)
        self.part = np.full((height, width), -1, np.int16)
        self.depth = np.full((height, width), -1e9)
        self.dark = np.zeros((height, width))


def groove_rings(samples, heights, width, strength):
    """Shallow horizontal joints around a turned part."""
    def amount(pos):
        d = np.min([np.abs(pos[:, 1] - h) for h in heights], axis=0)
        return strength * np.clip(1 - d / width, 0, 1)
    samples.darken(amount)


def groove_line(samples, a, b, width, strength, front_only=True):
    """A cut along the segment a-b (x, h) on the front of the piece."""
    (ax, ah), (bx, bh) = a, b
    dx, dh = bx - ax, bh - ah
    length2 = dx * dx + dh * dh

    def amount(pos):
        t = np.clip(((pos[:, 0] - ax) * dx + (pos[:, 1] - ah) * dh) / length2, 0, 1)
        d = np.hypot(pos[:, 0] - (ax + t * dx), pos[:, 1] - (ah + t * dh))
        front = pos[:, 2] > 0 if front_only else True
        return strength * np.clip(1.3 - d / width, 0, 1) * front
    samples.darken(amount)


def paint_spot(samples, centre, radius, material):
    """Paints a round spot on the front (an eye)."""
    cx, ch = centre
    samples.repaint(lambda pos: (np.hypot(pos[:, 0] - cx, pos[:, 1] - ch) < radius) &
                    (pos[:, 2] > 0.5), material)


def creases(frame):
    """0..1 map of thin dark lines where a nearer surface passes in front of a farther one,
    so overlapping parts stay apart once the picture is reduced."""
    d, c = frame.depth, frame.cover
    line = np.zeros(d.shape)
    limit = 0.9
    for axis in (0, 1):
        a = np.take(d, range(0, d.shape[axis] - 1), axis=axis)
        b = np.take(d, range(1, d.shape[axis]), axis=axis)
        ca = np.take(c, range(0, d.shape[axis] - 1), axis=axis)
        cb = np.take(c, range(1, d.shape[axis]), axis=axis)
        both = ca & cb
        far_a = both & (b - a > limit)
        far_b = both & (a - b > limit)
        if axis == 0:
            line[:-1][far_a] = 1
            line[1:][far_b] = 1
        else:
            line[:, :-1][far_a] = 1
            line[:, 1:][far_b] = 1
    grown = line.copy()
    grown[1:] = np.maximum(grown[1:], line[:-1])
    grown[:-1] = np.maximum(grown[:-1], line[1:])
    grown[:, 1:] = np.maximum(grown[:, 1:], line[:, :-1])
    grown[:, :-1] = np.maximum(grown[:, :-1], line[:, 1:])
    return grown * c


def render(samples, width, height, scale, centre_x, ground_y):
    """Projects the samples into a width x height grid of `scale` pixels per unit.
    The axis stands at x = centre_x, the ground point under it at y = ground_y (units)."""
    pos, nor, mat, part, dark = samples.arrays()
    x, hgt, z = pos[:, 0], pos[:, 1], pos[:, 2]
    up = hgt * COS_E - z * SIN_E
    depth = z * COS_E + hgt * SIN_E
    vn = np.stack([nor[:, 0], nor[:, 1] * COS_E - nor[:, 2] * SIN_E,
                   nor[:, 2] * COS_E + nor[:, 1] * SIN_E], axis=1)
    px = np.floor((centre_x + x) * scale).astype(np.int64)
    py = np.floor((ground_y - up) * scale).astype(np.int64)
    ok = (px >= 0) & (px < width) & (py >= 0) & (py < height)
    px, py, depth, vn, pos, mat, part, dark = (px[ok], py[ok], depth[ok], vn[ok], pos[ok],
                                                mat[ok], part[ok], dark[ok])
    pix = py * width + px
    order = np.lexsort((depth, pix))
    pix_sorted = pix[order]
    last = np.ones(len(order), bool)
    last[:-1] = pix_sorted[:-1] != pix_sorted[1:]
    win = order[last]
    f = Frame(width, height, scale)
    yy, xx = py[win], px[win]
    f.cover[yy, xx] = True
    f.normal[yy, xx] = vn[win]
    f.pos[yy, xx] = pos[win]
    f.material[yy, xx] = mat[win]
    f.part[yy, xx] = part[win]
    f.depth[yy, xx] = depth[win]
    f.dark[yy, xx] = dark[win]
    return f
