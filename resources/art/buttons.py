"""bigbns.bmp (the side menu) and smlbns.bmp (the dialog buttons): every button in three
rows, Normal, Hover and Pressed."""

import chrome
import layout as L
import ui
from chrome import HOVER, NORMAL, PRESSED

STATES = (NORMAL, HOVER, PRESSED)


def menu_icon(cv, name, cx, cy, size):
    if name == "Quit":
        return ui.icon_power(cv, cx, cy, size)
    if name == "Play":
        return ui.icon_play(cv, cx, cy, size)
    return ui.icon_tray_arrow(cv, cx, cy, size, down=(name == "Save"))


def big_buttons():
    cv = ui.Canvas(320, 120)
    for i, name in enumerate(L.MENU_LABELS):
        for state in STATES:
            x, y = L.MENU_W * i, L.MENU_H * state
            dx, dy = chrome.button(cv, x, y, L.MENU_W, L.MENU_H, state, r=8, rim_width=3)
            chrome.icon(cv, menu_icon(cv, name, x + 19 + dx, y + 20 + dy, 16), state)
            chrome.label(cv, name, x + 52 + dx, y + 20 + dy, state, 14)
    chrome.flat_key_clean(cv)
    return cv.to_uint8()


def small_content(cv, name, x, y, w, state, dx, dy):
    cy = y + L.SMALL_H / 2 + dy
    if name in ("Up", "Down"):
        chrome.icon(cv, ui.icon_triangle(cv, x + w / 2 + dx, cy, 11, up=(name == "Up")), state)
        return
    if name == "Human":
        chrome.icon(cv, ui.icon_person(cv, x + 14 + dx, cy + 0.5, 14), state)
        chrome.label(cv, name, x + 50 + dx, cy, state, 12)
        return
    if name == "AI":
        body, mark = ui.icon_chip(cv, x + 16 + dx, cy, 15)
        chrome.icon(cv, body, state)
        cv.paint_inside(mark, chrome.FACES[state][1])
        chrome.label(cv, name, x + 50 + dx, cy, state, 12)
        return
    chrome.label(cv, name, x + w / 2 + dx, cy, state, 12)


def small_buttons():
    cv = ui.Canvas(570, 75)
    for name, x, w in L.SMALL_BUTTONS:
        for state in STATES:
            y = L.SMALL_H * state
            dx, dy = chrome.button(cv, x, y, w, L.SMALL_H, state, r=6, rim_width=2)
            small_content(cv, name, x, y, w, state, dx, dy)
    chrome.flat_key_clean(cv)
    return cv.to_uint8()
