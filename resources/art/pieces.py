"""The six pieces as small 3-D models, and the pieces sheet.

Each model is built in piece-cell units (see solid.py) around a vertical axis. The same
models are rendered at other scales for the status images and the program icon.
"""

import math

import numpy as np

import shade
import solid
from shade import RED, RED_DETAIL, WHITE, WHITE_DETAIL

MAX_STEP = 0.12  # sampling distance in units (finer when drawn larger)


def meridian(items):
    """Builds a meridian from items: (r, h) control points that get rounded, ('s', r, h)
    corners that stay sharp, and ('arc', r0, h0, radius, a0, a1) exact circular arcs
    (angles in degrees, 0 = outwards, 90 = up)."""
    points, sharp = [], set()
    for item in items:
        if item[0] == "s":
            sharp.add(len(points))
            points.append((item[1], item[2]))
        elif item[0] == "arc":
            _, cr, ch, radius, a0, a1 = item
            n = max(6, int(abs(a1 - a0) / 6))
            for a in np.linspace(math.radians(a0), math.radians(a1), n):
                sharp.add(len(points))
                points.append((cr + radius * math.cos(a), ch + radius * math.sin(a)))
        else:
            points.append(item)
    return solid.chaikin(points, sharp=sharp, iterations=4)


def plinth(radius):
    """The turned foot every piece stands on: a rounded disc and a ring above it."""
    R = radius
    return [("s", 0, 0), (R - 0.6, 0), (R, 0.7), (R, 2.7), (R - 0.7, 3.7), ("s", R - 1.9, 4.0),
            (R - 1.6, 4.5), (R - 1.6, 5.6), (R - 2.4, 6.5), ("s", R - 3.6, 6.9)]


def _detail(mat):
    return WHITE_DETAIL if mat == WHITE else RED_DETAIL


def pawn(s, mat, step):
    m = plinth(12.6) + [
        (6.4, 10.0), (4.9, 16.0), ("s", 4.5, 19.0),
        (7.6, 19.3), (8.1, 20.1), (8.1, 21.1), (7.5, 21.9), ("s", 4.3, 22.4),
        ("arc", 0, 29.4, 6.9, -55, 90)]
    solid.revolve(s, meridian(m), mat, 0, step)


def rook(s, mat, step):
    body = plinth(14.4) + [
        ("s", 10.4, 7.3), (10.0, 20), ("s", 9.6, 33.0),
        (11.6, 35.5), ("s", 12.6, 38.0), ("s", 12.6, 47.0)]
    merlon = lambda phi: (np.floor((phi + 0.26) / (math.pi / 3)) % 1 == 0) & \
        (((phi + 0.26) % (math.pi / 3)) < (math.pi / 3) * 0.62)

    def keep_wall(phi, h):
        return (h <= 43.2) | merlon(phi)

    solid.revolve(s, meridian(body), mat, 0, step, keep=keep_wall)
    inner = [(10.0, 47.0), (10.0, 41.6)]
    solid.revolve(s, inner, mat, 1, step, keep=keep_wall)
    top = [(12.6, 47.0), (10.0, 47.0)]
    solid.revolve(s, top, mat, 1, step, keep=lambda phi, h: merlon(phi))
    notch = [(12.6, 43.2), (10.0, 43.2)]
    solid.revolve(s, notch, mat, 1, step, keep=lambda phi, h: ~merlon(phi))
    floor = [(10.0, 41.6), (0.0, 41.6)]
    solid.revolve(s, floor, mat, 2, step)
    # Courses of stone: two shallow joints around the tower.
    solid.groove_rings(s, [16.0, 25.0], 0.45, 0.45)


def bishop(s, mat, step):
    m = plinth(13.4) + [
        (6.6, 11.0), (4.8, 18.0), ("s", 4.4, 23.5),
        (7.6, 23.8), (8.2, 24.7), (8.2, 25.7), (7.5, 26.6), ("s", 4.6, 27.0),
        (5.6, 27.6), (5.6, 28.6), ("s", 4.4, 29.2),
        (7.8, 31.0), (8.6, 36.0), (7.6, 43.0), (4.2, 49.0), ("s", 0.0, 52.2)]
    solid.revolve(s, meridian(m), mat, 0, step)
    solid.sphere(s, (0, 54.2, 0), 2.3, mat, 1, step)
    # The mitre's cut runs from the upper right down across the front.
    solid.groove_line(s, (4.8, 47.5), (-2.4, 38.0), 0.55, 0.75)


def _body(top_radius, top_h):
    return plinth(14.6) + [
        (7.2, 12.0), (5.4, 21.0), ("s", 5.0, 28.0),
        (8.6, 28.3), (9.4, 29.2), (9.4, 30.3), (8.6, 31.2), ("s", 5.6, 31.6),
        (6.6, 32.2), (6.6, 33.2), ("s", 5.2, 33.8),
        (5.4, 38.0), (7.2, 43.0), ("s", top_radius, top_h)]


def queen(s, mat, step):
    m = _body(10.2, 47.0) + [("s", 10.8, 52.5)]
    points = 9

    def crown(phi, h):
        t = np.abs(((phi * points / (2 * math.pi)) % 1.0) - 0.5) * 2  # 1 at a tip
        return h <= 48.4 + 4.4 * t ** 1.6

    solid.revolve(s, meridian(m), mat, 0, step, keep=crown)
    inner = [(9.6, 52.5), (9.1, 47.5)]
    solid.revolve(s, inner, mat, 1, step, keep=crown)
    for k in range(points):
        phi = 2 * math.pi * (k + 0.5) / points
        solid.sphere(s, (11.0 * math.sin(phi), 53.6, 11.0 * math.cos(phi)), 1.35, mat, 2, step)
    dome = [("s", 0, 47.5), ("s", 8.8, 47.5), ("arc", 0, 49.5, 8.8, 0, 90)]
    solid.revolve(s, meridian(dome), mat, 3, step)
    solid.sphere(s, (0, 58.6, 0), 2.6, mat, 4, step)


def king(s, mat, step):
    m = _body(9.8, 47.0) + [
        ("s", 10.4, 47.6), (10.6, 48.4), (10.6, 49.8), (9.8, 50.6), ("s", 8.8, 50.8),
        ("arc", 0, 50.8, 8.8, 0, 90)]
    solid.revolve(s, meridian(m), mat, 0, step)
    cross = [(-1.7, 56.0), (-1.7, 61.2), (-5.0, 61.2), (-5.0, 64.4), (-1.7, 64.4), (-1.7, 67.4),
             (1.7, 67.4), (1.7, 64.4), (5.0, 64.4), (5.0, 61.2), (1.7, 61.2), (1.7, 56.0)]
    solid.pillow(s, cross, 1.8, mat, 1, step, z=0.0, blur=0.9, sharp=range(len(cross)))


KNIGHT_OUTLINE = [
    (9.6, 6.0), (10.6, 15.0), (10.9, 23.5), (10.0, 30.5), (8.2, 36.5), (5.8, 41.8),
    (3.6, 46.2), (2.4, 49.6), (0.9, 46.0), (-1.6, 44.8), (-5.0, 42.6), (-9.0, 38.4),
    (-11.9, 35.2), (-13.5, 32.8), (-13.8, 30.2), (-12.9, 28.0), (-10.4, 26.9),
    (-7.2, 27.5), (-4.6, 29.2), (-3.2, 28.0), (-4.4, 24.0), (-7.4, 18.0), (-8.8, 12.0),
    (-9.2, 6.0)]
KNIGHT_SHARP = (0, 7, 23)
KNIGHT_MANE = [(10.6, 12.0), (10.7, 23.5), (9.8, 30.5), (8.0, 36.5), (5.6, 41.8), (3.4, 46.0)]


def _distance_to_polyline(X, H, line):
    best = np.full(X.shape, np.inf)
    along = np.zeros(X.shape)
    run = 0.0
    for (ax, ah), (bx, bh) in zip(line, line[1:]):
        dx, dh = bx - ax, bh - ah
        length = math.hypot(dx, dh)
        t = np.clip(((X - ax) * dx + (H - ah) * dh) / (length * length), 0, 1)
        d = np.hypot(X - (ax + t * dx), H - (ah + t * dh))
        closer = d < best
        best = np.where(closer, d, best)
        along = np.where(closer, run + t * length, along)
        run += length
    return best, along


def _knight_relief(X, H):
    relief = np.zeros(X.shape)
    d, along = _distance_to_polyline(X, H, KNIGHT_MANE)
    mane = np.clip(1 - d / 3.6, 0, 1)
    relief += mane * (0.6 + 0.6 * np.sin(along * 2 * math.pi / 2.6))
    # Eye socket, nostril, the line of the mouth and the cheek's edge.
    relief -= 1.3 * np.exp(-((X + 4.0) ** 2 + (H - 38.4) ** 2) / 1.6)
    relief -= 0.9 * np.exp(-((X + 11.8) ** 2 + (H - 32.0) ** 2) / 0.7)
    dm, _ = _distance_to_polyline(X, H, [(-13.6, 29.4), (-10.6, 29.4)])
    relief -= 0.7 * np.exp(-dm ** 2 / 0.12)
    dc, _ = _distance_to_polyline(X, H, [(-6.0, 29.4), (-2.6, 31.4), (-1.2, 35.2), (-2.2, 39.4)])
    relief -= 0.5 * np.exp(-dc ** 2 / 0.35)
    return relief


def knight(s, mat, step):
    m = plinth(13.4) + [("s", 9.8, 7.0), ("s", 9.8, 9.0), ("s", 0, 9.0)]
    solid.revolve(s, meridian(m), mat, 0, step)
    solid.pillow(s, KNIGHT_OUTLINE, 5.2, mat, 1, step, z=0.0, blur=2.6,
                 relief=_knight_relief, sharp=KNIGHT_SHARP)
    solid.paint_spot(s, (-4.0, 38.4), 1.05, _detail(mat))


MODELS = {"K": king, "Q": queen, "B": bishop, "N": knight, "R": rook, "P": pawn}


def build(letter, mat, step=MAX_STEP):
    s = solid.Samples()
    MODELS[letter](s, mat, step)
    return s


def render_rgba(letter, mat, scale, width_units=40, height_units=80, centre_x=20.0,
                ground_y=73.6, supersample=6, veins=1.0):
    """Returns (rgb float HxWx3, coverage HxW) at `scale` pixels per unit."""
    ss = supersample
    w, h = int(round(width_units * scale)), int(round(height_units * scale))
    step = min(MAX_STEP, 0.4 / (scale * ss))  # samples closer than half a pixel: no holes
    frame = solid.render(build(letter, mat, step), w * ss, h * ss, scale * ss, centre_x,
                         ground_y)
    colour = np.zeros((h * ss, w * ss, 3))
    if frame.cover.any():
        colour[frame.cover] = shade.shade(frame.normal[frame.cover], frame.pos[frame.cover],
                                          frame.material[frame.cover], veins)
    creases = solid.creases(frame)
    colour *= (1 - np.maximum(0.45 * creases, frame.dark))[:, :, None]
    cover = frame.cover.astype(float)
    block = lambda a: a.reshape(h, ss, w, ss, *a.shape[2:]).mean(axis=(1, 3))
    alpha = block(cover)
    rgb = block(colour * cover[:, :, None]) / np.maximum(alpha, 1e-6)[:, :, None]
    return rgb, alpha


def finish(rgb, alpha, mat, threshold=0.5):
    """Hard-edged sprite: opaque where at least half covered, with a dark rim so the piece
    reads on light and dark squares alike. Returns (rgb uint8, opaque bool)."""
    opaque = alpha >= threshold
    out = rgb.copy()
    edge = opaque & ~(_shift(opaque, 1, 0) & _shift(opaque, -1, 0) &
                      _shift(opaque, 0, 1) & _shift(opaque, 0, -1))
    outline = np.array(shade.OUTLINE[mat], float)
    out[edge] = out[edge] * 0.35 + outline * 0.65
    return np.clip(np.round(out), 0, 255).astype(np.uint8), opaque


def _shift(a, dy, dx):
    out = np.zeros_like(a)
    h, w = a.shape
    ys, yd = (slice(0, h - dy), slice(dy, h)) if dy >= 0 else (slice(-dy, h), slice(0, h + dy))
    xs, xd = (slice(0, w - dx), slice(dx, w)) if dx >= 0 else (slice(-dx, w), slice(0, w + dx))
    out[yd, xd] = a[ys, xs]
    return out


def sheet():
    """The 240 x 160 pieces sheet as an RGB uint8 array on the yellow key."""
    img = np.zeros((160, 240, 3), np.uint8)
    img[:, :] = (255, 255, 0)
    for row, mat in ((0, WHITE), (80, RED)):
        for i, letter in enumerate("KQBNRP"):
            rgb, alpha = render_rgba(letter, mat, 1.0)
            pix, opaque = finish(rgb, alpha, mat)
            cell = img[row:row + 80, 40 * i:40 * i + 40]
            cell[opaque] = pix[opaque]
    return img
