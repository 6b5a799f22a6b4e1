"""Pictures for checking the artwork by eye, built from the written .bmp files.

contact.png: every sheet at twice its size on a magenta chequer, so the see-through areas
show. screen.png: the board screen as the game composes it in 16-bit 5-6-5 colour, with
the pieces in their starting position, highlights, a tooltip and the status panel.
dialogs.png: the four dialogs over the darkened board, with their buttons, list text and
tints placed where the game puts them.
"""

import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import bmpfile  # noqa: E402
import layout as L  # noqa: E402


def load(folder, name):
    bm = bmpfile.read(os.path.join(folder, name))
    return np.array(bm.rows, dtype=np.uint8), bm


def to16(arr):
    """Rounds colours through 5-6-5, as the display holds them."""
    a = arr.astype(np.uint16)
    r, g, b = a[..., 0] >> 3, a[..., 1] >> 2, a[..., 2] >> 3
    return np.stack([r, g, b], axis=-1)


def from16(v):
    r, g, b = v[..., 0], v[..., 1], v[..., 2]
    return np.stack([(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)],
                    axis=-1).astype(np.uint8)


class Sheet:
    def __init__(self, arr, keyed):
        self.v = to16(arr)
        self.keyed = keyed
        self.key = self.v[0, 0].copy()


class Screen:
    def __init__(self):
        self.v = np.zeros((480, 640, 3), np.uint16)

    def draw(self, sheet, x, y, sx, sy, w, h):
        src = sheet.v[sy:sy + h, sx:sx + w]
        x0, y0 = max(x, 0), max(y, 0)
        x1, y1 = min(x + w, 640), min(y + h, 480)
        if x1 <= x0 or y1 <= y0:
            return
        src = src[y0 - y:y1 - y, x0 - x:x1 - x]
        dst = self.v[y0:y1, x0:x1]
        if sheet.keyed:
            m = ~np.all(src == sheet.key, axis=-1)
            dst[m] = src[m]
        else:
            dst[:] = src

    def text(self, font, s, x, y):
        for i, ch in enumerate(s):
            c = ord(ch)
            self.draw(font, x + 8 * i, y, (c % 16) * 8, (c // 16) * 8, 8, 8)

    def tint(self, x, y, w, h, dr, dg, db):
        w, h = min(w, 640 - x), min(h, 480 - y)
        r = self.v[y:y + h, x:x + w].astype(int)
        r[..., 0] = np.clip(r[..., 0] + dr, 0, 31)
        r[..., 1] = np.clip(r[..., 1] + 2 * dg, 0, 63)
        r[..., 2] = np.clip(r[..., 2] + db, 0, 31)
        self.v[y:y + h, x:x + w] = r

    def rgb(self):
        return from16(self.v)


def sheets(folder):
    out = {}
    for name, (_, _, _, _, key) in L.SHEETS.items():
        arr, _ = load(folder, name)
        out[name] = Sheet(arr, key is not None)
    return out


def draw_pieces(screen, s, board):
    for r, row in enumerate(board):
        for c, letter in enumerate(row):
            if letter == " ":
                continue
            col = L.PIECE_COLUMNS.index(letter.upper())
            sy = L.WHITE_ROW_Y if letter.isupper() else L.BLACK_ROW_Y
            x, y = L.piece_origin(c, r)
            screen.draw(s["pieces.bmp"], x, y, 40 * col, sy, 40, 80)


def start_board():
    return [(row + " " * 8)[:8] for row in L.INITIAL_ROWS]


def board_screen(s, board, turn_image, position_image, hover_menu=None, pressed_menu=None,
                 selected=None, targets=(), hover_square=None, tooltip=None, mouse=None,
                 dialog_open=False):
    sc = Screen()
    sc.draw(s["back.bmp"], 0, 0, 0, 0, 640, 480)
    if selected:
        c, r = selected
        sc.tint(120 + 50 * c, 40 + 50 * r, 50, 50, 10, 0, 0)
        for c, r in targets:
            sc.tint(120 + 50 * c, 40 + 50 * r, 50, 50, 0, 10, 0)
    if hover_square:
        c, r = hover_square
        sc.tint(120 + 50 * c, 40 + 50 * r, 50, 50, 0, 0, 10)
    draw_pieces(sc, s, board)
    st = s["status.bmp"]
    if turn_image is not None:
        sc.draw(st, 540, 40, *turn_image, 99, 39)
    if position_image is not None:
        sc.draw(st, 540, 120, *position_image, 99, 39)
    sc.draw(st, 540, 320, 200, 120, 99, 39)  # Black AI
    sc.draw(st, 540, 400, 200, 0, 99, 39)  # White Human
    for i in range(4):
        state = 0
        if not dialog_open and hover_menu == i:
            state = 1
        if not dialog_open and pressed_menu == i:
            state = 2
        sc.draw(s["bigbns.bmp"], 10, 20 + 40 * i, 80 * i, 40 * state, 80, 40)
    if tooltip and mouse:
        mx, my = mouse
        sc.tint(mx, my + 32, 8 * len(tooltip) + 1, 8, -10, -10, -10)
        sc.text(s["font8.bmp"], tooltip, mx, my + 32)
    return sc


def button(sc, s, name, x, y, state=0):
    bx, bw = L.small_button(name)
    sc.draw(s["smlbns.bmp"], x, y, bx, 25 * state, bw, 25)


def dialog_screen(s, kind, folder_names):
    board = start_board()
    board[6] = "PPPP PPP"
    board[4] = "    P   "
    sc = board_screen(s, board, (0, 40), None, dialog_open=True)
    sc.tint(160, 120, 320, 240, -15, -15, -15)
    sc.draw(s["dlg%s.bmp" % kind], 160, 120, 0, 0, 320, 240)
    if kind == "quit":
        button(sc, s, "Yes", 253, 273, 1)
        button(sc, s, "No", 337, 273)
    elif kind == "play":
        button(sc, s, "Human", 360, 211)
        button(sc, s, "AI", 360, 241, 1)
        button(sc, s, "Play", 308, 310)
        button(sc, s, "Cancel", 378, 310)
    else:
        rows, y0 = (14, 190) if kind == "load" else (11, 210)
        count, top, selected = len(folder_names), 2, 4
        button(sc, s, "Load" if kind == "load" else "Save", 277, 313, 1)
        button(sc, s, "Cancel", 351, 313)
        button(sc, s, "Up", 441, 189)
        button(sc, s, "Down", 441, 278, 2)
        h = 42 * rows // count if count > rows else 42
        o = top * (42 - h) // (count - rows) if count > rows else 0
        sc.tint(442, 225 + o, 23, h, 20, 20, 20)
        if kind == "save":
            sc.text(s["font8.bmp"], folder_names[selected] + "|", 210, 190)
        end = 302 if kind == "load" else 298
        for i in range(rows):
            if y0 + 8 * i >= end or top + i >= count:
                break
            sc.text(s["font8.bmp"], folder_names[top + i], 210, y0 + 8 * i)
        sc.tint(210, y0 + 8 * (selected - top), 220, 8, 20, 0, 0)
    sc.draw(s["mouse.bmp"], 300, 290, 0, 0, 32, 32)
    return sc


def chequer(w, h, size=8):
    yy, xx = np.mgrid[0:h, 0:w]
    out = np.zeros((h, w, 3), np.uint8)
    light = ((xx // size + yy // size) % 2) == 0
    out[light] = (255, 0, 255)
    out[~light] = (190, 0, 190)
    return out


def contact_sheet(folder):
    names = list(L.SHEETS) + ["icon.bmp"]
    tiles = []
    font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 14)
    for name in names:
        arr, bm = load(folder, name)
        key = L.SHEETS.get(name, (0, 0, 0, 0, None))[4]
        big = np.repeat(np.repeat(arr, 2, axis=0), 2, axis=1)
        if key is not None:
            k = arr[0, 0]
            t = to16(arr)
            mask = np.all(t == t[0, 0], axis=-1)
            mask = np.repeat(np.repeat(mask, 2, axis=0), 2, axis=1)
            bg = chequer(big.shape[1], big.shape[0])
            big = np.where(mask[..., None], bg, big)
            del k
        comp = {0: "", 1: " RLE8", 2: " RLE4"}[bm.compression]
        title = f"{name}  {bm.width}x{bm.height}  {bm.bits}-bit{comp}" + \
            ("  keyed" if key else "")
        tiles.append((title, big))
    pad, head = 16, 22
    width = 2 * 640 + 3 * pad
    # Wide sheets get a row of their own; the rest go into two columns.
    rows = [t for t in tiles if t[1].shape[1] > 640]
    rest = [t for t in tiles if t[1].shape[1] <= 640]
    cols, heights = [[], []], [0, 0]
    for t in rest:
        k = 0 if heights[0] <= heights[1] else 1
        cols[k].append(t)
        heights[k] += t[1].shape[0] + head + pad
    top = sum(t[1].shape[0] + head + pad for t in rows)
    out = Image.new("RGB", (width, top + max(heights) + pad), (28, 30, 36))
    draw = ImageDraw.Draw(out)
    y = pad
    for title, img in rows:
        draw.text((pad, y), title, fill=(230, 230, 230), font=font)
        out.paste(Image.fromarray(img), (pad, y + head))
        y += img.shape[0] + head + pad
    for k, col in enumerate(cols):
        x, yy = pad + k * (640 + pad), y
        for title, img in col:
            draw.text((x, yy), title, fill=(230, 230, 230), font=font)
            out.paste(Image.fromarray(img), (x, yy + head))
            yy += img.shape[0] + head + pad
    return out


def write_previews(folder, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    contact_sheet(folder).save(os.path.join(out_dir, "contact.png"))
    s = sheets(folder)
    board = start_board()
    # A game under way: White has moved the king's pawn; its queen's pawn is selected.
    board[6] = "PPPP PPP"
    board[4] = "    P   "
    sc = board_screen(s, board, (0, 40), None, hover_menu=1, selected=(3, 6),
                      targets=[(3, 5), (3, 4)], tooltip="White Pawn", mouse=(283, 340))
    sc.draw(s["mouse.bmp"], 283, 340, 0, 0, 32, 32)
    Image.fromarray(sc.rgb()).save(os.path.join(out_dir, "screen.png"))
    names = ["opening", "endgame-2", "match_03", "Kestrion vs me", "study (b)", "blitz",
             "last-night", "ruy", "training 12", "draw?", "save01", "save02", "save03",
             "save04", "save05", "save06", "save07", "save08", "save09", "save10"]
    quads = [dialog_screen(s, k, names).rgb()[100:380, 140:500]
             for k in ("quit", "play", "save", "load")]
    top = np.concatenate(quads[:2], axis=1)
    bottom = np.concatenate(quads[2:], axis=1)
    Image.fromarray(np.concatenate([top, bottom], axis=0)).save(
        os.path.join(out_dir, "dialogs.png"))
    full = dialog_screen(s, "load", names)
    Image.fromarray(full.rgb()).save(os.path.join(out_dir, "screen-load.png"))


if __name__ == "__main__":
    base = os.path.dirname(HERE)
    write_previews(base, os.path.join(HERE, "preview"))
