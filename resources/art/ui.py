"""Drawing primitives for the flat sheets: a canvas with hard-edged transparency, shapes
given by signed distance, bevels lit by the common light, text and small icons."""

import os

import numpy as np
from PIL import Image, ImageDraw, ImageFont

import shade

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
SANS_BOLD = "DejaVuSans-Bold.ttf"
SANS_CONDENSED_BOLD = "DejaVuSansCondensed-Bold.ttf"
SERIF_BOLD = "DejaVuSerif-Bold.ttf"

_fonts = {}


def font(name, size):
    key = (name, size)
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(os.path.join(FONT_DIR, name), size)
    return _fonts[key]


class Canvas:
    """An RGB picture that starts fully transparent (the key colour). A shape's outer edge
    is hard: a pixel becomes opaque when a shape covers at least half of it, and then takes
    the shape's colour; shapes drawn over opaque pixels blend smoothly."""

    def __init__(self, width, height, key=(0, 0, 0)):
        self.w, self.h = width, height
        self.key = key
        self.rgb = np.zeros((height, width, 3))
        self.rgb[:, :] = key
        self.opaque = np.zeros((height, width), bool)
        yy, xx = np.mgrid[0:height, 0:width]
        self.px = xx + 0.5
        self.py = yy + 0.5

    def paint(self, coverage, colour):
        """colour: an (r, g, b) tuple or an H x W x 3 array."""
        a = np.clip(coverage, 0, 1)
        col = np.broadcast_to(np.asarray(colour, float), self.rgb.shape)
        blend = self.opaque & (a > 0)
        self.rgb[blend] = self.rgb[blend] * (1 - a[blend, None]) + col[blend] * a[blend, None]
        new = ~self.opaque & (a >= 0.5)
        self.rgb[new] = col[new]
        self.opaque |= new

    def paint_inside(self, coverage, colour):
        """Like paint, but never makes a transparent pixel opaque."""
        self.paint(np.where(self.opaque, coverage, 0), colour)

    def to_uint8(self):
        out = np.clip(np.round(self.rgb), 0, 255).astype(np.uint8)
        out[~self.opaque] = self.key
        return out


# --- Shapes as signed distances (negative inside) -----------------------------------

def round_rect(cv, x, y, w, h, r):
    cx, cy = x + w / 2.0, y + h / 2.0
    qx = np.abs(cv.px - cx) - (w / 2.0 - r)
    qy = np.abs(cv.py - cy) - (h / 2.0 - r)
    outside = np.hypot(np.maximum(qx, 0), np.maximum(qy, 0))
    return outside + np.minimum(np.maximum(qx, qy), 0) - r


def circle(cv, cx, cy, r):
    return np.hypot(cv.px - cx, cv.py - cy) - r


def polygon(cv, points, scale=8):
    """Coverage (not distance) of a polygon, antialiased by supersampling."""
    img = Image.new("L", (cv.w * scale, cv.h * scale), 0)
    ImageDraw.Draw(img).polygon([(px * scale, py * scale) for px, py in points], fill=255)
    small = img.resize((img.width // scale, img.height // scale), Image.BOX)
    return np.asarray(small, float) / 255.0


def cover(dist):
    return np.clip(0.5 - dist, 0, 1)


def band(dist, inner, outer):
    """Coverage of the ring between distances inner and outer (inner < outer)."""
    return np.clip(np.minimum(outer + 0.5 - dist, dist - inner + 0.5), 0, 1)


def bevel_light(dist, width, raised=True):
    """Brightness -1..1 of a bevel `width` pixels wide running along the inside of a
    shape's edge, lit by the common light. Flat inside the bevel gives 0."""
    gy, gx = np.gradient(dist)
    norm = np.maximum(np.hypot(gx, gy), 1e-6)
    # Outward direction in screen space; y grows downwards.
    ox, oy = gx / norm, gy / norm
    t = np.clip(-dist / width, 0, 1)
    slope = np.where(t < 1, 1.0, 0.0) * (1 if raised else -1)
    # Surface tilts outwards on a raised bevel: normal leans along (ox, -oy) in y-up space.
    nx, ny, nz = ox * slope * 0.8, -oy * slope * 0.8, np.ones_like(dist)
    n = np.sqrt(nx * nx + ny * ny + nz * nz)
    lit = (nx * shade.LIGHT[0] + ny * shade.LIGHT[1] + nz * shade.LIGHT[2]) / n
    flat = shade.LIGHT[2]
    return np.clip((lit - flat) / (1 - flat), -1, 1)


def shaded(colour, light, up=(255, 255, 255), down=(0, 0, 0), strength=0.6):
    """Colour array: colour lightened towards `up` where light > 0, darkened towards `down`."""
    c = np.asarray(colour, float)
    lt = np.clip(light, 0, 1)[..., None] * strength
    dk = np.clip(-light, 0, 1)[..., None] * strength
    return c * (1 - lt - dk) + np.asarray(up, float) * lt + np.asarray(down, float) * dk


def vertical_gradient(cv, top_colour, bottom_colour, y0, y1):
    t = np.clip((cv.py - y0) / max(1e-6, (y1 - y0)), 0, 1)[..., None]
    return np.asarray(top_colour, float) * (1 - t) + np.asarray(bottom_colour, float) * t


# --- Text ----------------------------------------------------------------------------

def text_mask(cv, text, font_name, size, x, y, anchor="la"):
    """Coverage of text placed like PIL's draw.text (anchor 'mm' = centred)."""
    img = Image.new("L", (cv.w, cv.h), 0)
    ImageDraw.Draw(img).text((x, y), text, fill=255, font=font(font_name, size), anchor=anchor)
    return np.asarray(img, float) / 255.0


def shift(a, dx, dy):
    out = np.zeros_like(a)
    h, w = a.shape[:2]
    ys, yd = (slice(0, h - dy), slice(dy, h)) if dy >= 0 else (slice(-dy, h), slice(0, h + dy))
    xs, xd = (slice(0, w - dx), slice(dx, w)) if dx >= 0 else (slice(-dx, w), slice(0, w + dx))
    out[yd, xd] = a[ys, xs]
    return out


def embossed_text(cv, text, font_name, size, x, y, colour, anchor="mm", shadow=None,
                  highlight=None):
    """Raised letters: a shadow one pixel to the lower right (the light is upper left)."""
    m = text_mask(cv, text, font_name, size, x, y, anchor)
    if shadow is not None:
        cv.paint_inside(shift(m, 1, 1) * (1 - m), shadow)
    if highlight is not None:
        cv.paint_inside(shift(m, -1, -1) * (1 - m) * 0.6, highlight)
    cv.paint_inside(m, colour)
    return m


def engraved_text(cv, text, font_name, size, x, y, colour, anchor="mm", dark=None, light=None):
    """Cut letters: the upper-left inside edge in shadow, a light lip at the lower right."""
    m = text_mask(cv, text, font_name, size, x, y, anchor)
    if light is not None:
        cv.paint_inside(shift(m, 1, 1) * (1 - m) * 0.7, light)
    cv.paint_inside(m, colour)
    if dark is not None:
        cv.paint_inside(m * (1 - shift(m, 1, 1)) * 0.6, dark)
    return m


# --- Icons (line art in a given colour) ---------------------------------------------

def stroke_segment(cv, ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = np.clip(((cv.px - ax) * dx + (cv.py - ay) * dy) / length2, 0, 1)
    d = np.hypot(cv.px - (ax + t * dx), cv.py - (ay + t * dy)) - width / 2.0
    return cover(d)


def arc_stroke(cv, cx, cy, r, width, gap_from, gap_to):
    """A ring of radius r with an opening between the angles (degrees, 0 = up, clockwise)."""
    ring = band(np.abs(np.hypot(cv.px - cx, cv.py - cy) - r) - width / 2.0, -99, 0)
    ang = (np.degrees(np.arctan2(cv.px - cx, -(cv.py - cy))) + 360) % 360
    inside_gap = (ang > gap_from) & (ang < gap_to)
    return ring * ~inside_gap


def union(*masks):
    out = np.zeros_like(masks[0])
    for m in masks:
        out = np.maximum(out, m)
    return out


def icon_power(cv, cx, cy, size):
    r = size * 0.36
    w = max(2.0, size * 0.14)
    return union(arc_stroke(cv, cx, cy + size * 0.04, r, w, 320, 40),
                 stroke_segment(cv, cx, cy - size * 0.45, cx, cy - size * 0.02, w))


def icon_play(cv, cx, cy, size):
    s = size * 0.5
    return polygon(cv, [(cx - s * 0.7, cy - s), (cx + s * 0.95, cy), (cx - s * 0.7, cy + s)])


def icon_tray_arrow(cv, cx, cy, size, down):
    """A tray with an arrow going into it (down) or out of it (up)."""
    w = max(2.0, size * 0.13)
    s = size * 0.5
    tray = union(stroke_segment(cv, cx - s, cy + s * 0.35, cx - s, cy + s * 0.9, w),
                 stroke_segment(cv, cx - s, cy + s * 0.9, cx + s, cy + s * 0.9, w),
                 stroke_segment(cv, cx + s, cy + s * 0.9, cx + s, cy + s * 0.35, w))
    shaft = stroke_segment(cv, cx, cy - s * 1.0, cx, cy + s * 0.35, w)
    if down:
        head = polygon(cv, [(cx - s * 0.55, cy + s * 0.02), (cx + s * 0.55, cy + s * 0.02),
                            (cx, cy + s * 0.62)])
        shaft = stroke_segment(cv, cx, cy - s * 1.0, cx, cy + s * 0.1, w)
    else:
        head = polygon(cv, [(cx - s * 0.55, cy - s * 0.5), (cx + s * 0.55, cy - s * 0.5),
                            (cx, cy - s * 1.1)])
        shaft = stroke_segment(cv, cx, cy - s * 0.6, cx, cy + s * 0.55, w)
    return union(tray, shaft, head)


def icon_triangle(cv, cx, cy, size, up):
    s = size * 0.5
    if up:
        pts = [(cx - s, cy + s * 0.55), (cx + s, cy + s * 0.55), (cx, cy - s * 0.65)]
    else:
        pts = [(cx - s, cy - s * 0.55), (cx + s, cy - s * 0.55), (cx, cy + s * 0.65)]
    return polygon(cv, pts)


def icon_person(cv, cx, cy, size):
    head = cover(circle(cv, cx, cy - size * 0.22, size * 0.2))
    body = cover(np.maximum(circle(cv, cx, cy + size * 0.5, size * 0.42), cv.py - (cy + size * 0.46)))
    return union(head, body)


def icon_chip(cv, cx, cy, size):
    """A processor: a square body with pins on every side and a notch mark."""
    s = size * 0.3
    body = cover(round_rect(cv, cx - s, cy - s, 2 * s, 2 * s, 1.5))
    mark = cover(circle(cv, cx - s * 0.45, cy - s * 0.45, max(0.9, s * 0.2)))
    pins = []
    for k in (-1, 0, 1):
        o = k * s * 0.62
        for (ax, ay, bx, by) in ((cx + o, cy - s, cx + o, cy - s - size * 0.16),
                                 (cx + o, cy + s, cx + o, cy + s + size * 0.16),
                                 (cx - s, cy + o, cx - s - size * 0.16, cy + o),
                                 (cx + s, cy + o, cx + s + size * 0.16, cy + o)):
            pins.append(stroke_segment(cv, ax, ay, bx, by, max(1.2, size * 0.08)))
    return union(body, *pins), mark


def icon_gear(cv, cx, cy, size, teeth=8):
    r = np.hypot(cv.px - cx, cv.py - cy)
    ang = np.arctan2(cv.py - cy, cv.px - cx)
    tooth = (np.cos(ang * teeth) > 0.15).astype(float)
    outer = size * 0.42 + tooth * size * 0.1
    ring = cover(r - outer)
    hole = cover(r - size * 0.16)
    return ring * (1 - hole)


def sprite(cv, rgb, opaque, x, y):
    """Copies a hard-edged sprite (uint8 rgb + mask) onto the canvas at (x, y)."""
    h, w = opaque.shape
    region = (slice(y, y + h), slice(x, x + w))
    cv.rgb[region][opaque] = rgb[opaque]
    cv.opaque[region] |= opaque
