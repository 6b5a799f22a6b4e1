#!/usr/bin/env python3
"""Checks the committed sheets against what the game relies on.

Usage: check_sheets.py [resources-folder]     (standard library only)

Size, bits per pixel and compression of every sheet; that each file decodes cleanly; the
colour key of every keyed sheet and that no opaque pixel falls onto the key once converted
to 16 bits (5-6-5 or 5-5-5), which would punch a hole into the artwork; and the layout the
screens depend on: board squares, piece cells, glyph cells, status cells, button states and
the wells of the dialogs where live text and tints go.
Prints one line per sheet and a closing "N passed, N failed" line; exits 1 on any failure.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bmpfile  # noqa: E402
import layout as L  # noqa: E402


def to565(c):
    r, g, b = c
    return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)


def to555(c):
    r, g, b = c
    return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)


def luminance(c):
    r, g, b = c
    return 0.299 * r + 0.587 * g + 0.114 * b


class Sheet:
    def __init__(self, bitmap, key_rgb):
        self.bm = bitmap
        self.key = key_rgb

    def opaque(self, x, y):
        return self.key is None or self.bm.rows[y][x] != self.key

    def region(self, x, y, w, h):
        return [self.bm.rows[yy][xx] for yy in range(y, y + h) for xx in range(x, x + w)]

    def opaque_count(self, x, y, w, h):
        return sum(1 for yy in range(y, y + h) for xx in range(x, x + w) if self.opaque(xx, yy))


def check_format(name, bm, errors):
    w, h, bits, compression, _ = L.SHEETS[name]
    if (bm.width, bm.height) != (w, h):
        errors.append(f"size {bm.width}x{bm.height}, expected {w}x{h}")
    if bm.bits != bits or bm.compression != compression:
        errors.append(f"{bm.bits} bits / compression {bm.compression}, expected {bits} / {compression}")
    elif compression:
        plain = ((w * bits + 31) // 32) * 4 * h
        if bm.data_size >= plain:
            errors.append(f"run-length data ({bm.data_size} bytes) is no smaller than "
                          f"the plain pixels ({plain} bytes)")


def check_key(name, bm, errors):
    key_kind = L.SHEETS[name][4]
    if key_kind is None:
        return None
    expected = (0, 0, 0) if key_kind == "black" else L.PIECE_KEY
    key = bm.rows[0][0]
    if key != expected:
        errors.append(f"top-left pixel {key}, expected the key {expected}")
    k565, k555 = to565(key), to555(key)
    collisions = [(x, y) for y, row in enumerate(bm.rows) for x, c in enumerate(row)
                  if c != key and (to565(c) == k565 or to555(c) == k555)]
    if collisions:
        errors.append(f"{len(collisions)} opaque pixels turn into the key in 16 bits, "
                      f"first at {collisions[0]}")
    return key


def check_back(s, errors):
    light, dark = [], []
    for r in range(8):
        for c in range(8):
            x, y, _, _ = L.square_rect(c, r)
            mean = sum(luminance(p) for p in s.region(x + 5, y + 5, 40, 40)) / 1600
            (light if L.square_is_light(c, r) else dark).append(mean)
    if min(light) < max(dark) + 40:
        errors.append(f"light squares (min {min(light):.0f}) not clearly lighter than dark "
                      f"(max {max(dark):.0f})")
    # Where the status images and menu buttons go the background must stay calm: a busy
    # texture there would show through the images' rounded corners and empty slots.
    calm = [(L.STATUS_X, y, L.STATUS_W, L.STATUS_H) for y in L.STATUS_SLOTS_Y]
    calm.append((L.MENU_X, L.MENU_Y, L.MENU_W, 4 * L.MENU_H))
    for (x, y, w, h) in calm:
        values = [luminance(p) for p in s.region(x, y, w, h)]
        mean = sum(values) / len(values)
        spread = (sum((v - mean) ** 2 for v in values) / len(values)) ** 0.5
        if spread > 25:
            errors.append(f"area at ({x}, {y}) is busy (luminance spread {spread:.0f})")


def check_pieces(s, errors):
    for row_y in (L.WHITE_ROW_Y, L.BLACK_ROW_Y):
        for i, letter in enumerate(L.PIECE_COLUMNS):
            x0 = i * L.PIECE_W
            rows = [y for y in range(L.PIECE_H)
                    if any(s.opaque(x0 + x, row_y + y) for x in range(L.PIECE_W))]
            label = letter if row_y == 0 else letter.lower()
            if not rows:
                errors.append(f"piece {label} is empty")
                continue
            if not 70 <= rows[-1] <= 79:
                errors.append(f"piece {label} stands at row {rows[-1]}, not near the bottom")
            if rows[0] < 8:
                errors.append(f"piece {label} reaches the top of its cell (row {rows[0]})")
            edges = [y for y in range(L.PIECE_H)
                     if s.opaque(x0, row_y + y) or s.opaque(x0 + L.PIECE_W - 1, row_y + y)]
            if edges:
                errors.append(f"piece {label} touches its cell's side edge")
    whites = [luminance(p) for p in s.region(0, 0, 240, 80) if p != s.key]
    blacks = [luminance(p) for p in s.region(0, 80, 240, 80) if p != s.key]
    if sum(whites) / len(whites) < sum(blacks) / len(blacks) + 60:
        errors.append("White pieces are not clearly lighter than Black pieces")


def glyph_pixels(s, code):
    x, y = (code % 16) * 8, (code // 16) * 8
    return [(xx, yy) for yy in range(8) for xx in range(8) if s.opaque(x + xx, y + yy)]


def has_double_stroke(s, code):
    x0, y0 = (code % 16) * 8, (code // 16) * 8
    return any(s.opaque(x0 + x, y0 + y) and s.opaque(x0 + x + 1, y0 + y)
               for y in range(8) for x in range(7))


def check_font(s, errors):
    colours = {c for row in s.bm.rows for c in row}
    if not colours <= {(0, 0, 0), L.FONT_GREY}:
        errors.append(f"glyph sheet uses colours other than black and grey: {colours}")
    if glyph_pixels(s, 32) or glyph_pixels(s, 160):
        errors.append("the space cells are not empty")
    for code in range(33, 128):
        bold, thin = glyph_pixels(s, code), glyph_pixels(s, code + 128)
        if not bold or not thin:
            errors.append(f"glyph {code} has an empty bold or thin form")
        elif len(thin) >= len(bold):
            errors.append(f"glyph {code}: thin form is not lighter than the bold one")
        if bold and not has_double_stroke(s, code):
            errors.append(f"glyph {code}: bold form has no two-pixel stroke")
        if any(x == 7 for x, _ in bold):
            errors.append(f"glyph {code} touches the next cell (column 7)")
    # The left arrow: its point must be at the left and its shaft run across.
    arrow = glyph_pixels(s, 127)
    if arrow and min(x for x, _ in arrow) > 1:
        errors.append("glyph 127 is not a left arrow reaching the left side")


def check_status(s, errors):
    for (x, y), text in L.STATUS_IMAGES:
        if s.opaque_count(x, y, L.STATUS_W, L.STATUS_H) < 0.8 * L.STATUS_W * L.STATUS_H:
            errors.append(f"status image '{text}' does not fill its 99x39")
        if s.opaque_count(x + L.STATUS_W, y, 1, 40) or s.opaque_count(x, y + L.STATUS_H, 100, 1):
            errors.append(f"status image '{text}' spills past 99x39")
    for x, y in ((0, 160), (200, 160)):
        if s.opaque_count(x, y, 100, 40):
            errors.append(f"unused status cell at ({x}, {y}) is not empty")


def states_differ(s, x, w, h, errors, label):
    states = [s.region(x, h * k, w, h) for k in range(3)]
    for a, b in ((0, 1), (0, 2), (1, 2)):
        changed = sum(1 for p, q in zip(states[a], states[b]) if p != q)
        if changed < 0.25 * w * h:
            errors.append(f"{label}: states {a} and {b} differ in only {changed} pixels")
    for k, pixels in enumerate(states):
        if sum(1 for p in pixels if p != s.key) < 0.8 * w * h:
            errors.append(f"{label}: state {k} is mostly transparent")


def check_bigbns(s, errors):
    for i, label in enumerate(L.MENU_LABELS):
        states_differ(s, L.MENU_W * i, L.MENU_W, L.MENU_H, errors, label)


def check_smlbns(s, errors):
    for name, x, w in L.SMALL_BUTTONS:
        states_differ(s, x, w, L.SMALL_H, errors, name)


def check_options(s, errors):
    for name, x, w in L.OPTION_BUTTONS:
        states_differ(s, x, w, L.SMALL_H, errors, name)


def check_draws(s, errors):
    for (x, y), text in L.DRAW_IMAGES:
        if s.opaque_count(x, y, L.STATUS_W, L.STATUS_H) < 0.8 * L.STATUS_W * L.STATUS_H:
            errors.append(f"draw image '{text}' does not fill its 99x39")


def check_ranks(s, errors):
    # Only the digits may differ from the frame of back.bmp; the checker sees this sheet
    # alone, so it checks that each strip is mostly the frame's dark walnut.
    for x0 in (0, L.RANK_STRIP_W):
        pixels = s.region(x0, 0, L.RANK_STRIP_W, L.RANK_STRIP_H)
        if sum(1 for p in pixels if luminance(p) < 120) < 0.6 * len(pixels):
            errors.append(f"rank strip at x {x0} is not the walnut frame")


def check_picker(s, errors):
    for i in range(4):
        x = L.PICKER_CELL_X - L.PICKER_X + L.PICKER_CELL_W * i + L.PICKER_CELL_W // 2
        y = L.PICKER_CELL_Y - L.PICKER_Y + L.PICKER_CELL_H // 2
        if not s.opaque(x, y):
            errors.append(f"picker cell {i} lets the board show through")
    if any(s.opaque(x, y) for x, y in [(0, 0), (L.PICKER_W - 1, L.PICKER_H - 1)]):
        errors.append("picker corners are not see-through")


def check_take_back(s, errors):
    states_differ(s, 0, L.TAKE_BACK_W, L.TAKE_BACK_H, errors, "Undo")


def uniform(s, rect, errors, what, max_lum):
    x, y, w, h = rect
    pixels = s.region(x - L.DIALOG_X, y - L.DIALOG_Y, w, h)
    colours = set(pixels)
    if len(colours) != 1:
        errors.append(f"{what} is not one flat colour ({len(colours)} colours)")
    if any(p == s.key for p in pixels):
        errors.append(f"{what} lets the board show through")
    elif max(luminance(p) for p in pixels) > max_lum:
        errors.append(f"{what} is too light for the live contents drawn over it")


def check_dialog(kind):
    def check(s, errors):
        for name, x, y in L.DIALOG_BUTTONS[kind]:
            _, w = L.small_button(name)
            if s.opaque_count(x - L.DIALOG_X, y - L.DIALOG_Y, w, L.SMALL_H) != w * L.SMALL_H:
                errors.append(f"{name} button at ({x}, {y}) is not over the opaque panel")
        if kind == "load":
            uniform(s, L.LOAD_LIST, errors, "load list", 70)
        if kind == "save":
            uniform(s, L.SAVE_LIST, errors, "save list", 70)
            uniform(s, L.SAVE_NAME, errors, "save name field", 70)
        if kind in ("load", "save"):
            uniform(s, L.THUMB_TRACK, errors, "scroll thumb track", 110)
            x, y, w, h = L.THUMB_TRACK
            track = s.bm.rows[y - L.DIALOG_Y][x - L.DIALOG_X]
            around = [s.bm.rows[y - L.DIALOG_Y - 1][x - L.DIALOG_X],
                      s.bm.rows[y + h - L.DIALOG_Y][x - L.DIALOG_X]]
            if all(a == track for a in around):
                errors.append("scroll thumb track has no visible ends")
        if kind == "play":
            sockets = [(x, y, L.PLAY_LEVEL_W) for x, y in L.PLAY_LEVELS]
            sockets.append((*L.PLAY_RULES, L.PLAY_RULES_W))
            for x, y, w in sockets:
                if s.opaque_count(x - L.DIALOG_X, y - L.DIALOG_Y, w, L.SMALL_H) != w * L.SMALL_H:
                    errors.append(f"option button at ({x}, {y}) is not over the opaque panel")
        right = s.bm.width - 1
        corners = [(0, 0), (right, 0), (0, 239), (right, 239)]
        if any(s.opaque(x, y) for x, y in corners):
            errors.append("dialog corners are not see-through")
    return check


def check_mouse(s, errors):
    near_tip = [(x, y) for y in range(3) for x in range(3) if s.opaque(x, y)]
    if not near_tip:
        errors.append("the pointer's tip is not at the top-left hot spot")
    if s.opaque_count(0, 0, 32, 32) < 60:
        errors.append("the pointer is too small")


CHECKS = {
    "back.bmp": check_back,
    "pieces.bmp": check_pieces,
    "font8.bmp": check_font,
    "status.bmp": check_status,
    "bigbns.bmp": check_bigbns,
    "smlbns.bmp": check_smlbns,
    "dlgquit.bmp": check_dialog("quit"),
    "dlgplay.bmp": check_dialog("play"),
    "dlgsave.bmp": check_dialog("save"),
    "dlgload.bmp": check_dialog("load"),
    "mouse.bmp": check_mouse,
    "options.bmp": check_options,
    "takeback.bmp": check_take_back,
    "draws.bmp": check_draws,
    "ranks.bmp": check_ranks,
    "picker.bmp": check_picker,
}


def check_sheet(folder, name):
    errors = []
    try:
        bm = bmpfile.read(os.path.join(folder, name))
    except (OSError, bmpfile.BitmapError) as e:
        return [f"cannot be read: {e}"]
    check_format(name, bm, errors)
    if errors:
        return errors
    key = check_key(name, bm, errors)
    CHECKS[name](Sheet(bm, key), errors)
    return errors


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    folder = argv[1] if len(argv) > 1 else os.path.dirname(here)
    passed = failed = 0
    for name in L.SHEETS:
        errors = check_sheet(folder, name)
        if errors:
            failed += 1
            print(f"FAIL {name}")
            for e in errors:
                print(f"     {e}")
        else:
            passed += 1
            print(f"ok   {name}")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
