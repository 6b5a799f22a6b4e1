"""The shared look of every control: brass-rimmed slate plaques, inset wells and the
three button states."""

import numpy as np

import shade
import ui
from shade import BRASS, BRASS_DARK, BRASS_LIGHT

NORMAL, HOVER, PRESSED = 0, 1, 2

FACES = {
    NORMAL: ((64, 76, 96), (36, 43, 57)),
    HOVER: ((92, 108, 134), (54, 64, 84)),
    PRESSED: ((28, 34, 45), (44, 53, 69)),
}
LABEL = {NORMAL: (238, 230, 208), HOVER: (255, 240, 196), PRESSED: (206, 196, 170)}
ICON = {NORMAL: (226, 196, 128), HOVER: (255, 226, 150), PRESSED: (190, 160, 100)}
SHADOW = (12, 14, 20)


def rim(cv, x, y, w, h, r, width, raised=True, colour=BRASS, glow=0.0):
    """A metal rim of `width` pixels along the inside of the rounded rectangle."""
    outer = ui.round_rect(cv, x, y, w, h, r)
    light = ui.bevel_light(outer, width, raised)
    base = np.asarray(colour, float) * (1 - glow) + np.asarray(BRASS_LIGHT, float) * glow
    col = ui.shaded(base, light, up=BRASS_LIGHT, down=BRASS_DARK, strength=0.85)
    cv.paint(ui.cover(outer), col)
    # A dark line around the outside keeps the rim apart from whatever lies behind.
    cv.paint_inside(ui.band(outer, -0.5, 0.5) * 0.7, (40, 30, 18))
    return outer


def face(cv, x, y, w, h, r, top, bottom, bevel=2.0, raised=True):
    d = ui.round_rect(cv, x, y, w, h, r)
    col = ui.vertical_gradient(cv, top, bottom, y, y + h)
    light = ui.bevel_light(d, bevel, raised)
    cv.paint(ui.cover(d), ui.shaded(col, light, strength=0.35))
    return d


def plaque(cv, x, y, w, h, r, top, bottom, rim_width=2, raised=True, rim_colour=BRASS,
           glow=0.0):
    rim(cv, x, y, w, h, r, rim_width, raised, rim_colour, glow)
    return face(cv, x + rim_width, y + rim_width, w - 2 * rim_width, h - 2 * rim_width,
                max(1, r - rim_width), top, bottom, bevel=1.5, raised=raised)


def well(cv, x, y, w, h, r, inside, lip=2):
    """A recess: shadowed on its upper-left inner edge, lit on the lower right. The floor
    stays one flat colour so that text and tints drawn over it read cleanly."""
    d = ui.round_rect(cv, x, y, w, h, r)
    light = ui.bevel_light(d, lip, raised=False)
    col = ui.shaded(inside, light, up=(150, 160, 180), down=(0, 0, 0), strength=0.7)
    cover = ui.cover(d)
    cv.paint(cover, col)
    floor = ui.cover(d + lip)
    cv.paint(floor, inside)
    # Make the floor exactly flat (no antialiasing residue inside).
    exact = ui.round_rect(cv, x + lip, y + lip, w - 2 * lip, h - 2 * lip, max(0.5, r - lip)) < -0.5
    cv.rgb[exact] = inside
    return d


def button(cv, x, y, w, h, state, r=6, rim_width=2):
    """Plaque of a button in one of its three states; returns the content offset."""
    top, bottom = FACES[state]
    glow = 0.45 if state == HOVER else 0.0
    plaque(cv, x, y, w, h, r, top, bottom, rim_width, raised=state != PRESSED, glow=glow)
    if state == HOVER:
        # A soft inner glow along the top edge.
        inner = ui.round_rect(cv, x + rim_width, y + rim_width, w - 2 * rim_width,
                              h - 2 * rim_width, max(1, r - rim_width))
        glow_mask = np.clip(1 - (cv.py - (y + rim_width)) / (h * 0.45), 0, 1) * ui.cover(inner)
        cv.paint_inside(glow_mask * 0.18, (255, 236, 190))
    return (1, 1) if state == PRESSED else (0, 0)


def label(cv, text, cx, cy, state, size, font_name=ui.SANS_BOLD):
    ui.embossed_text(cv, text, font_name, size, cx, cy, LABEL[state], anchor="mm",
                     shadow=SHADOW)


def icon(cv, mask, state, accent=None):
    """Paints an icon mask in brass with a one-pixel shadow."""
    cv.paint_inside(ui.shift(mask, 1, 1) * (1 - mask) * 0.85, SHADOW)
    cv.paint_inside(mask, ICON[state] if accent is None else accent)


def flat_key_clean(canvas):
    """Pixels that came out nearly black but opaque would turn into the key after 16-bit
    conversion; lift them just clear of it."""
    dark = canvas.opaque & (canvas.rgb.max(axis=2) < 8.5)
    canvas.rgb[dark] = np.maximum(canvas.rgb[dark], shade.SLATE_WELL[:3])
