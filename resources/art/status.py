"""status.bmp: the thirteen 99 x 39 panel images, each a plaque with an emblem in a round
medallion on the left and two lines of text."""

import numpy as np

import chrome
import layout as L
import pieces
import shade
import ui
from shade import RED, WHITE

INK = (40, 32, 32)
IVORY = (242, 234, 212)

# face top, face bottom, text colour, engraved (dark text on a light face)
FACES = {
    "white": ((244, 238, 220), (204, 194, 166), INK, True),
    "black": ((172, 40, 48), (108, 18, 28), IVORY, False),
    "slate": ((70, 84, 106), (38, 46, 62), (246, 224, 168), False),
    "check": ((246, 178, 70), (204, 118, 30), INK, True),
    "wins": ((250, 226, 150), (196, 156, 80), INK, True),
    "stale": ((128, 140, 160), (84, 96, 116), IVORY, False),
}

# text -> (face, emblem)
IMAGES = {
    "Game Over!": ("slate", "toppled"),
    "White Turn": ("white", "K"),
    "Black Turn": ("black", "k"),
    "AI Thinking": ("slate", "gear"),
    "White Check": ("check", "K"),
    "Black Check": ("check", "k"),
    "White Wins": ("wins", "K"),
    "Black Wins": ("wins", "k"),
    "Stale Mate": ("stale", "Kk"),
    "White Human": ("white", "human"),
    "White AI": ("white", "ai"),
    "Black Human": ("black", "human"),
    "Black AI": ("black", "ai"),
    "Draw 50 Moves": ("stale", "50"),
    "Draw Repeated": ("stale", "3x"),
    "Draw Material": ("stale", "Kk"),
}

_piece_cache = {}


def piece_icon(letter, scale=0.4):
    key = (letter, scale)
    if key not in _piece_cache:
        mat = WHITE if letter.isupper() else RED
        rgb, alpha = pieces.render_rgba(letter.upper(), mat, scale, width_units=40,
                                        height_units=80)
        _piece_cache[key] = pieces.finish(rgb, alpha, mat)
    return _piece_cache[key]


def _bounds(opaque):
    ys, xs = np.nonzero(opaque)
    return xs.min(), xs.max(), ys.min(), ys.max()


def place_piece(cv, letter, cx, cy, scale=0.42, lying=False):
    """Puts a small piece centred on (cx, cy); a lying piece has toppled to the left."""
    rgb, opaque = piece_icon(letter, scale)
    x0, x1, y0, y1 = _bounds(opaque)
    rgb, opaque = rgb[y0:y1 + 1, x0:x1 + 1], opaque[y0:y1 + 1, x0:x1 + 1]
    if lying:
        rgb, opaque = np.rot90(rgb), np.rot90(opaque)
    h, w = opaque.shape
    ui.sprite(cv, np.ascontiguousarray(rgb), np.ascontiguousarray(opaque),
              int(round(cx - w / 2)), int(round(cy - h / 2)))


def medallion(cv, cx, cy, r):
    d = ui.circle(cv, cx, cy, r)
    light = ui.bevel_light(d, 2, raised=True)
    cv.paint(ui.cover(d), ui.shaded(shade.BRASS, light, up=shade.BRASS_LIGHT,
                                    down=shade.BRASS_DARK, strength=0.85))
    inner = ui.circle(cv, cx, cy, r - 2)
    light = ui.bevel_light(inner, 2, raised=False)
    cv.paint(ui.cover(inner), ui.shaded((30, 37, 50), light, up=(120, 130, 150), strength=0.6))


def emblem(cv, kind, cx, cy):
    if kind in ("K", "k"):
        place_piece(cv, kind, cx, cy)
    elif kind == "toppled":
        place_piece(cv, "K", cx, cy + 3, scale=0.38, lying=True)
    elif kind == "Kk":
        place_piece(cv, "K", cx - 5.5, cy + 1, scale=0.34)
        place_piece(cv, "k", cx + 5.5, cy + 1, scale=0.34)
    elif kind == "human":
        chrome.icon(cv, ui.icon_person(cv, cx, cy + 1, 20), chrome.NORMAL)
    elif kind == "ai":
        body, mark = ui.icon_chip(cv, cx, cy, 20)
        chrome.icon(cv, body, chrome.NORMAL)
        cv.paint_inside(mark, (30, 37, 50))
    elif kind in ("50", "3x"):
        text = "3\u00d7" if kind == "3x" else kind
        ui.embossed_text(cv, text, ui.SANS_CONDENSED_BOLD, 12, cx, cy, chrome.ICON[chrome.NORMAL],
                         shadow=chrome.SHADOW)
    elif kind == "gear":
        chrome.icon(cv, ui.icon_gear(cv, cx, cy, 19), chrome.NORMAL)


def badge(cv, x, y, text, face_name, emblem_kind):
    top, bottom, colour, engraved = FACES[face_name]
    chrome.plaque(cv, x, y, L.STATUS_W, L.STATUS_H, 7, top, bottom, rim_width=2)
    medallion(cv, x + 19.5, y + 19.5, 15.5)
    emblem(cv, emblem_kind, x + 19.5, y + 19.5)
    first, second = text.split(" ", 1)
    for line, cy in ((first, y + 13), (second, y + 27)):
        if engraved:
            ui.engraved_text(cv, line, ui.SANS_CONDENSED_BOLD, 13, x + 67, cy, colour,
                             light=(255, 255, 240))
        else:
            ui.embossed_text(cv, line, ui.SANS_CONDENSED_BOLD, 13, x + 67, cy, colour,
                             shadow=chrome.SHADOW)


def status_sheet():
    cv = ui.Canvas(300, 200)
    for (x, y), text in L.STATUS_IMAGES:
        face_name, kind = IMAGES[text]
        badge(cv, x, y, text, face_name, kind)
    chrome.flat_key_clean(cv)
    return cv.to_uint8()


def draws_sheet():
    cv = ui.Canvas(300, 40)
    for (x, y), text in L.DRAW_IMAGES:
        face_name, kind = IMAGES[text]
        badge(cv, x, y, text, face_name, kind)
    chrome.flat_key_clean(cv)
    return cv.to_uint8()
