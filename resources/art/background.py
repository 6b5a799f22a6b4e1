"""back.bmp: the whole 640 x 480 background with the board painted on it.

A slate room; the board of ivory and sage squares in a walnut frame with brass beads and
engraved coordinates (rank 1 at the top, file a on the left); a recess for the side menu
with the game's emblem under it; and the status column with a well under each of its four
images.
"""

import numpy as np

import chrome
import layout as L
import pieces
import shade
import ui
from shade import WHITE

FRAME = 18  # walnut border around the board


def noise2(w, h, scale, octaves=4, seed=0.0, stretch=(1.0, 1.0)):
    yy, xx = np.mgrid[0:h, 0:w].astype(float)
    p = np.stack([xx.ravel() / scale / stretch[0], yy.ravel() / scale / stretch[1],
                  np.full(w * h, seed)], axis=1)
    return shade.fbm(p, octaves).reshape(h, w)


def room(cv):
    """Slate leather, lit from the upper left."""
    w, h = cv.w, cv.h
    grain = noise2(w, h, 3.0, octaves=3, seed=1.0) - 0.5
    cloud = noise2(w, h, 60.0, octaves=3, seed=2.0) - 0.5
    yy, xx = np.mgrid[0:h, 0:w].astype(float)
    glow = 1.0 - 0.35 * np.clip(np.hypot((xx - 120) / 640, (yy - 60) / 480) * 1.4, 0, 1)
    base = np.asarray(shade.SLATE, float)
    col = base[None, None, :] * (glow[..., None] * (1 + 0.10 * cloud[..., None])) + \
        7 * grain[..., None]
    cv.paint(np.ones((h, w)), col)


def walnut(cv, x0, y0, x1, y1):
    """The frame: four walnut strips mitred at the corners, grain along each strip."""
    w, h = cv.w, cv.h
    along = noise2(w, h, 5.0, octaves=4, seed=3.0, stretch=(9.0, 1.0))
    across = noise2(w, h, 5.0, octaves=4, seed=4.0, stretch=(1.0, 9.0))
    yy, xx = np.mgrid[0:h, 0:w].astype(float)
    # Which strip a pixel belongs to: the nearer of the horizontal and vertical edges.
    dx = np.minimum(xx - x0, x1 - xx)
    dy = np.minimum(yy - y0, y1 - yy)
    horizontal = dy <= dx
    g = np.where(horizontal, along, across)
    lines = np.abs(np.sin(g * 40.0))
    streak = np.clip(1 - lines / 0.35, 0, 1) ** 2
    base = np.asarray(shade.WALNUT, float)
    dark = np.asarray(shade.WALNUT_DARK, float)
    light = np.asarray(shade.WALNUT_LIGHT, float)
    tone = np.clip(0.5 + (g - 0.5) * 1.6, 0, 1)[..., None]
    col = dark * (1 - tone) + light * tone
    col = col * 0.55 + base * 0.45
    col = col * (1 - 0.25 * streak[..., None])
    outer = ui.round_rect(cv, x0, y0, x1 - x0, y1 - y0, 3)
    col = ui.shaded(col, ui.bevel_light(outer, 3, True), up=(236, 200, 150), strength=0.45)
    cv.paint(ui.cover(outer), col)
    # Mitre joints.
    for (ax, ay, bx, by) in ((x0, y0, x0 + FRAME, y0 + FRAME), (x1, y0, x1 - FRAME, y0 + FRAME),
                             (x0, y1, x0 + FRAME, y1 - FRAME), (x1, y1, x1 - FRAME, y1 - FRAME)):
        cv.paint_inside(ui.stroke_segment(cv, ax, ay, bx, by, 0.8) * 0.55, shade.WALNUT_DARK)
    # Brass beads along the outer and inner edges.
    cv.paint_inside(ui.band(outer, -2.5, -0.5), shade.BRASS)
    cv.paint_inside(ui.band(outer, -1.5, -0.5) * ui.bevel_light(outer, 3).clip(0, 1),
                    shade.BRASS_LIGHT)
    inner = ui.round_rect(cv, x0 + FRAME - 3, y0 + FRAME - 3, x1 - x0 - 2 * FRAME + 6,
                          y1 - y0 - 2 * FRAME + 6, 1)
    bead = ui.band(inner, -0.5, 1.5)
    cv.paint_inside(bead, shade.BRASS)
    cv.paint_inside(ui.band(inner, 0.5, 1.5) * 0.8, shade.BRASS_LIGHT)


def squares(cv):
    w, h = cv.w, cv.h
    stone = noise2(w, h, 16.0, octaves=3, seed=5.0)
    fine = noise2(w, h, 2.0, octaves=2, seed=6.0) - 0.5
    for r in range(8):
        for c in range(8):
            x, y, s, _ = L.square_rect(c, r)
            base = np.asarray(shade.SQUARE_LIGHT if L.square_is_light(c, r) else
                              shade.SQUARE_DARK, float)
            region = (slice(y, y + s), slice(x, x + s))
            tone = 1 + 0.022 * (stone[region] - 0.5) + 0.018 * fine[region]
            cv.rgb[region] = base[None, None, :] * tone[..., None]
    # A fine dark line between the board and its frame.
    x0, y0 = L.BOARD_X, L.BOARD_Y
    edge = ui.round_rect(cv, x0, y0, 400, 400, 0)
    cv.paint_inside(ui.band(edge, -0.5, 0.5), (30, 22, 16))


def coordinates(cv, white_first=False):
    """File letters and rank digits inlaid in light brass on the walnut; with white_first the
    digits count from White's side (8 at the top), as Standard games name the ranks."""
    font, size = ui.SANS_BOLD, 11
    colour = (240, 212, 146)

    def put(text, cx, cy):
        ui.embossed_text(cv, text, font, size, cx, cy, colour, shadow=(30, 18, 10))

    # File letters only along the bottom edge: the pieces of the top row stand 40 pixels
    # tall over the upper frame and would hide letters there.
    for c in range(8):
        cx = L.BOARD_X + L.SQUARE * c + L.SQUARE / 2
        put(chr(ord("a") + c), cx, L.BOARD_Y + 400 + FRAME / 2 - 1)
    for r in range(8):
        cy = L.BOARD_Y + L.SQUARE * r + L.SQUARE / 2
        for cx in (L.BOARD_X - FRAME / 2 - 1, L.BOARD_X + 400 + FRAME / 2 - 1):
            put(chr(ord("8") - r) if white_first else chr(ord("1") + r), cx, cy)


def caption(cv, text, cx, cy):
    ui.embossed_text(cv, text, ui.SANS_BOLD, 9, cx, cy, (156, 166, 186), shadow=(12, 14, 20))


def side_menu(cv):
    chrome.well(cv, L.MENU_X - 5, L.MENU_Y - 5, L.MENU_W + 10, 4 * L.MENU_H + 10, 11,
                shade.SLATE_WELL, lip=3)


def emblem(cv):
    """The game's emblem under the side menu: a white knight in a brass ring."""
    cx, cy, r = 50, 262, 34
    d = ui.circle(cv, cx, cy, r)
    cv.paint(ui.cover(d), ui.shaded(shade.BRASS, ui.bevel_light(d, 3, True),
                                    up=shade.BRASS_LIGHT, down=shade.BRASS_DARK, strength=0.9))
    inner = ui.circle(cv, cx, cy, r - 4)
    cv.paint(ui.cover(inner), ui.shaded((104, 134, 118), ui.bevel_light(inner, 3, False),
                                        strength=0.6))
    # The two halves of the medallion's field: a light and a dark square, as on the board.
    half = (cv.px > cx) & (ui.cover(inner - 3) > 0.5)
    cv.rgb[half] = np.asarray(shade.SQUARE_LIGHT, float) * 0.92
    rgb, alpha = pieces.render_rgba("N", WHITE, 0.95, width_units=40, height_units=80)
    pix, opaque = pieces.finish(rgb, alpha, WHITE)
    ys, xs = np.nonzero(opaque)
    pix, opaque = pix[ys.min():ys.max() + 1, xs.min():xs.max() + 1], \
        opaque[ys.min():ys.max() + 1, xs.min():xs.max() + 1]
    h, w = opaque.shape
    ui.sprite(cv, pix, opaque, int(cx - w / 2), int(cy - h / 2))
    ui.engraved_text(cv, "KESTRION", ui.SERIF_BOLD, 13, cx, cy + r + 16, shade.BRASS,
                     dark=(12, 14, 20), light=(90, 100, 120))
    for y in (cy + r + 6, cy + r + 26):
        rule = (np.abs(cv.py - y) < 0.5) * np.clip(1 - np.abs(cv.px - cx) / 38, 0, 1)
        cv.paint_inside(rule * 0.8, shade.BRASS_DARK)


def status_column(cv):
    for y, text in zip(L.STATUS_SLOTS_Y, ("TURN", "POSITION", "", "")):
        chrome.well(cv, L.STATUS_X, y, L.STATUS_W, L.STATUS_H, 7, shade.SLATE_WELL, lip=2)
        if text:
            caption(cv, text, L.STATUS_X + L.STATUS_W / 2, y - 9)
    caption(cv, "PLAYERS", L.STATUS_X + L.STATUS_W / 2, L.STATUS_SLOTS_Y[2] - 9)


def background(white_first=False):
    cv = ui.Canvas(640, 480)
    room(cv)
    x0, y0 = L.BOARD_X - FRAME, L.BOARD_Y - FRAME
    walnut(cv, x0, y0, L.BOARD_X + 400 + FRAME, L.BOARD_Y + 400 + FRAME)
    squares(cv)
    coordinates(cv, white_first)
    side_menu(cv)
    emblem(cv)
    status_column(cv)
    return cv.to_uint8()


def rank_strips():
    """The two frame strips beside the board with the digits counted from White's side,
    cut from the same background so that only the digits differ."""
    full = background(white_first=True)
    y0, y1 = L.BOARD_Y, L.BOARD_Y + L.RANK_STRIP_H
    left = full[y0:y1, L.BOARD_X - FRAME:L.BOARD_X]
    right = full[y0:y1, L.BOARD_X + 400:L.BOARD_X + 400 + FRAME]
    return np.concatenate([left, right], axis=1)
