"""The sheets of the controls added beside the original eleven, each in the look of the
buttons it sits among:

- takeback.bmp: the board screen's Undo button, 80 x 40 like the side menu's, in three rows
  (Normal, Hover, Pressed);
- options.bmp: the Play dialog's level and rules buttons, 25 high like the dialog buttons,
  in three rows.
- picker.bmp: the promotion picker, a panel with four wells the program draws pieces into.
"""

import chrome
import dialogs
import shade
import layout as L
import ui
from chrome import HOVER, NORMAL, PRESSED

STATES = (NORMAL, HOVER, PRESSED)


def icon_undo(cv, cx, cy, size):
    """An arrow curling back to the left: most of a circle with a head at its open end."""
    w = max(2.0, size * 0.14)
    r = size * 0.34
    ring = ui.arc_stroke(cv, cx + size * 0.05, cy + size * 0.06, r, w, 250, 345)
    tip_x, tip_y = cx + size * 0.05 - r, cy + size * 0.06 - size * 0.02
    head = ui.polygon(cv, [(tip_x - size * 0.3, tip_y - size * 0.08),
                           (tip_x + size * 0.28, tip_y - size * 0.08),
                           (tip_x - size * 0.02, tip_y - size * 0.42)])
    return ui.union(ring, head)


def take_back_button():
    w, h = L.TAKE_BACK_W, L.TAKE_BACK_H
    cv = ui.Canvas(w, 3 * h)
    for state in STATES:
        y = h * state
        dx, dy = chrome.button(cv, 0, y, w, h, state, r=8, rim_width=3)
        chrome.icon(cv, icon_undo(cv, 19 + dx, y + 21 + dy, 17), state)
        chrome.label(cv, "Undo", 52 + dx, y + 20 + dy, state, 14)
    chrome.flat_key_clean(cv)
    return cv.to_uint8()


def option_buttons():
    width = sum(w for _, _, w in L.OPTION_BUTTONS)
    cv = ui.Canvas(width, 3 * L.SMALL_H)
    for text, x, w in L.OPTION_BUTTONS:
        for state in STATES:
            y = L.SMALL_H * state
            dx, dy = chrome.button(cv, x, y, w, L.SMALL_H, state, r=6, rim_width=2)
            chrome.label(cv, text, x + w / 2 + dx, y + L.SMALL_H / 2 + dy, state, 12)
    chrome.flat_key_clean(cv)
    return cv.to_uint8()


def promotion_picker():
    w, h = L.PICKER_W, L.PICKER_H
    cv = ui.Canvas(w, h)
    chrome.rim(cv, 0, 0, w, h, 10, 3)
    inner = ui.round_rect(cv, 3, 3, w - 6, h - 6, 7)
    col = ui.vertical_gradient(cv, (56, 67, 86), (30, 36, 48), 3, h - 3)
    cv.paint(ui.cover(inner), ui.shaded(col, ui.bevel_light(inner, 2, True), strength=0.3))
    ui.embossed_text(cv, "PROMOTE TO", ui.SANS_BOLD, 9, w / 2, 11, dialogs.HEADING,
                     shadow=chrome.SHADOW)
    for i in range(4):
        x = L.PICKER_CELL_X - L.PICKER_X + L.PICKER_CELL_W * i
        y = L.PICKER_CELL_Y - L.PICKER_Y
        chrome.well(cv, x + 1, y, L.PICKER_CELL_W - 2, L.PICKER_CELL_H, 6, shade.SQUARE_LIGHT,
                    lip=2)
    chrome.flat_key_clean(cv)
    return cv.to_uint8()
