"""The four dialog pictures, 320 x 240 (the Play dialog wider), drawn at (160, 120) over the
darkened board.

Black is see-through. Each picture is a slate panel with a brass rim, a garnet title banner
carrying the game's name, a heading, and the wells where the program draws its live parts:
sockets under the buttons, the list and name field for the saved games, and the scroll
track whose 42-pixel channel the program lights up as the scroll thumb.
"""

import numpy as np

import chrome
import layout as L
import shade
import status
import ui

HEADING = (246, 226, 170)
TEXT = (236, 230, 212)
LIST_FLOOR = (18, 23, 33)
NAME_FLOOR = (18, 23, 33)
CHANNEL = (52, 62, 80)
GROOVE = (24, 30, 41)


def local(x, y):
    return x - L.DIALOG_X, y - L.DIALOG_Y


def panel(cv):
    chrome.rim(cv, 4, 4, cv.w - 8, 232, 13, 4)
    inner = ui.round_rect(cv, 8, 8, cv.w - 16, 224, 9)
    col = ui.vertical_gradient(cv, (56, 67, 86), (30, 36, 48), 8, 232)
    cv.paint(ui.cover(inner), ui.shaded(col, ui.bevel_light(inner, 2, True), strength=0.3))


def banner(cv):
    """Garnet title plate with the name in brass capitals and brass studs at the ends."""
    d = ui.round_rect(cv, 16, 13, cv.w - 32, 24, 5)
    col = ui.vertical_gradient(cv, (178, 42, 50), (104, 16, 26), 13, 37)
    cv.paint(ui.cover(d), ui.shaded(col, ui.bevel_light(d, 2, True), strength=0.45))
    cv.paint_inside(ui.band(d, -1.5, -0.5) * 0.5, shade.BRASS)
    ui.embossed_text(cv, "K E S T R I O N", ui.SERIF_BOLD, 14, cv.w / 2, 25, shade.BRASS_LIGHT,
                     shadow=(52, 8, 14))
    for cx in (30, cv.w - 30):
        stud = ui.circle(cv, cx, 25, 4)
        cv.paint(ui.cover(stud), ui.shaded(shade.BRASS, ui.bevel_light(stud, 2.5, True),
                                           up=shade.BRASS_LIGHT, down=shade.BRASS_DARK,
                                           strength=0.9))


def heading(cv, text, y, size=17):
    centre = cv.w / 2
    ui.embossed_text(cv, text, ui.SERIF_BOLD, size, centre, y, HEADING, shadow=chrome.SHADOW)
    # A thin brass rule under the heading, fading at both ends.
    width = ui.text_mask(cv, text, ui.SERIF_BOLD, size, centre, y, "mm").any(axis=0).sum()
    half = width / 2 + 18
    xs = np.abs(cv.px - centre) / half
    rule = (np.abs(cv.py - (y + size * 0.75)) < 0.5) * np.clip(1 - xs, 0, 1) ** 0.7
    cv.paint_inside(rule * 0.9, shade.BRASS)


def socket(cv, name, x, y, w=None):
    """A recess one pixel larger than the button drawn into it."""
    if w is None:
        _, w = L.small_button(name)
    sx, sy = local(x, y)
    chrome.well(cv, sx - 2, sy - 2, w + 4, L.SMALL_H + 4, 7, GROOVE, lip=2)


def list_well(cv, x, y, w, h, floor):
    chrome.well(cv, x, y, w, h, 4, floor, lip=2)


def scroll_track(cv):
    """The groove beside the list: arrow sockets at the ends and the thumb's channel."""
    (ux, uy), (_, dy) = local(441, 189), local(441, 278)
    chrome.well(cv, ux - 3, uy - 3, 31, dy + 25 + 3 - (uy - 3), 7, GROOVE, lip=2)
    tx, ty, tw, th = L.THUMB_TRACK
    cx, cy = local(tx, ty)
    # The channel: exactly the rectangle the program lights as the thumb.
    cv.rgb[cy:cy + th, cx:cx + tw] = CHANNEL
    # Its ends: small brass stops just outside the channel.
    for yy in (cy - 2, cy + th):
        cv.rgb[yy:yy + 2, cx + 3:cx + tw - 3] = shade.BRASS_DARK
        cv.rgb[yy, cx + 3:cx + tw - 3] = shade.BRASS


def label(cv, text, right, cy):
    ui.embossed_text(cv, text, ui.SANS_BOLD, 13, right, cy, TEXT, anchor="rm",
                     shadow=chrome.SHADOW)


def quit_dialog():
    cv = ui.Canvas(320, 240)
    panel(cv)
    banner(cv)
    heading(cv, "Quit", 62, size=22)
    ui.embossed_text(cv, "Do you want to quit?", ui.SANS_BOLD, 14, 160, 114, TEXT,
                     shadow=chrome.SHADOW)
    for name, x, y in L.DIALOG_BUTTONS["quit"]:
        socket(cv, name, x, y)
    chrome.flat_key_clean(cv)
    return cv.to_uint8()


def play_dialog():
    """Each side's player button with its computer level beside it, then the rules."""
    cv = ui.Canvas(L.PLAY_DIALOG_W, 240)
    panel(cv)
    banner(cv)
    heading(cv, "Play a new game", 56)
    buttons = L.DIALOG_BUTTONS["play"]
    for (name, x, y), (text, letter) in zip(buttons[:2], (("White player:", "K"),
                                                           ("Black player:", "k"))):
        sx, sy = local(x, y)
        label(cv, text, sx - 10, sy + 12.5)
        status.medallion(cv, 68, sy + 12.5, 14)
        status.place_piece(cv, letter, 68, sy + 12.5, scale=0.38)
    rx, ry = L.PLAY_RULES
    label(cv, "Rules:", local(rx, ry)[0] - 10, local(rx, ry)[1] + 12.5)
    for name, x, y in buttons:
        socket(cv, name, x, y)
    for x, y in L.PLAY_LEVELS:
        socket(cv, "Level", x, y, L.PLAY_LEVEL_W)
    socket(cv, "Rules", rx, ry, L.PLAY_RULES_W)
    chrome.flat_key_clean(cv)
    return cv.to_uint8()


def list_dialog(kind):
    cv = ui.Canvas(320, 240)
    panel(cv)
    banner(cv)
    heading(cv, "Save" if kind == "save" else "Load", 50 if kind == "save" else 50)
    right = local(L.LIST_X + L.LIST_W + 8, 0)[0]  # wells end well clear of the arrows
    left = local(L.LIST_X - 4, 0)[0]
    if kind == "save":
        nx, ny, nw, nh = L.SAVE_NAME
        list_well(cv, left, local(0, ny)[1] - 5, right - left, nh + 10 + 1, NAME_FLOOR)
        lx, ly, lw, lh = L.SAVE_LIST
    else:
        lx, ly, lw, lh = L.LOAD_LIST
    list_well(cv, left, local(0, ly)[1] - 4, right - left, lh + 8, LIST_FLOOR)
    scroll_track(cv)
    for name, x, y in L.DIALOG_BUTTONS[kind]:
        if name not in ("Up", "Down"):
            socket(cv, name, x, y)
    chrome.flat_key_clean(cv)
    return cv.to_uint8()


def all_dialogs():
    return {
        "dlgquit.bmp": quit_dialog(),
        "dlgplay.bmp": play_dialog(),
        "dlgsave.bmp": list_dialog("save"),
        "dlgload.bmp": list_dialog("load"),
    }
