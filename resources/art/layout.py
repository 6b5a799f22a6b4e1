"""Where the game draws things, in screen pixels, and the size and format of every sheet.

The program copies rectangles out of the sheets to these places, so the artwork has to put
its frames, wells and cells exactly here. Shared by the generator and the sheet checker.
"""

SCREEN_W, SCREEN_H = 640, 480

# Board: 8 x 8 squares of 50, column c = file 'a' + c, row r = rank '1' + r from the top.
BOARD_X, BOARD_Y, SQUARE = 120, 40, 50


def square_rect(c, r):
    return (BOARD_X + SQUARE * c, BOARD_Y + SQUARE * r, SQUARE, SQUARE)


def square_is_light(c, r):
    return (c + r) % 2 == 0


# A piece image is 40 x 80 with its top-left corner at (125 + 50c, 50r).
PIECE_W, PIECE_H = 40, 80
PIECE_COLUMNS = "KQBNRP"  # x = 40 * index
WHITE_ROW_Y, BLACK_ROW_Y = 0, 80


def piece_origin(c, r):
    return (125 + SQUARE * c, SQUARE * r)


# Initial position, rank '1' (top row) first.
INITIAL_ROWS = ["rnbqkbnr", "pppppppp", "", "", "", "", "PPPPPPPP", "RNBQKBNR"]

# Side menu: four 80 x 40 buttons at x 10, y 20 + 40i: Quit, Play, Save, Load.
MENU_X, MENU_Y, MENU_W, MENU_H = 10, 20, 80, 40
MENU_LABELS = ["Quit", "Play", "Save", "Load"]

# Status panel: four 99 x 39 images at x 540.
STATUS_X = 540
STATUS_SLOTS_Y = [40, 120, 320, 400]
STATUS_W, STATUS_H = 99, 39

# status.bmp cells (100 x 40 pitch), each image 99 x 39.
STATUS_IMAGES = [
    ((0, 0), "Game Over!"),
    ((0, 40), "White Turn"),
    ((0, 80), "Black Turn"),
    ((0, 120), "AI Thinking"),
    ((100, 0), "White Check"),
    ((100, 40), "Black Check"),
    ((100, 80), "White Wins"),
    ((100, 120), "Black Wins"),
    ((100, 160), "Stale Mate"),
    ((200, 0), "White Human"),
    ((200, 40), "White AI"),
    ((200, 80), "Black Human"),
    ((200, 120), "Black AI"),
]

# Dialog pictures: 320 x 240 drawn at (160, 120).
DIALOG_X, DIALOG_Y, DIALOG_W, DIALOG_H = 160, 120, 320, 240

# smlbns.bmp: (name, source x, width); 25 high, rows Normal / Hover / Pressed.
SMALL_BUTTONS = [
    ("Yes", 0, 50),
    ("No", 50, 50),
    ("Cancel", 100, 80),
    ("Up", 180, 25),
    ("Down", 205, 25),
    ("Load", 230, 60),
    ("Save", 290, 60),
    ("Play", 350, 60),
    ("Human", 410, 80),
    ("AI", 490, 80),
]
SMALL_H = 25


def small_button(name):
    for n, x, w in SMALL_BUTTONS:
        if n == name:
            return x, w
    raise KeyError(name)


# options.bmp: the Play dialog's level buttons (Classic, then the engine's levels) and its
# rules buttons: (label, source x, width); 25 high, rows Normal / Hover / Pressed.
OPTION_BUTTONS = [
    ("Classic", 0, 74),
    ("Beginner", 74, 74),
    ("Casual", 148, 74),
    ("Club", 222, 74),
    ("Master", 296, 74),
    ("Classic", 370, 80),
    ("Standard", 450, 80),
]
# Where the Play dialog draws them: each computer side's level beside its player button,
# the rules on a row of their own.
PLAY_LEVELS = [(446, 211), (446, 241)]
PLAY_LEVEL_W = 74
PLAY_RULES = (360, 276)
PLAY_RULES_W = 80
# The Play dialog is wider than the others, to the right, for the level column.
PLAY_DIALOG_W = 372

# draws.bmp: the status panel's position images for a Standard game drawn by the
# fifty-move rule, by repetition and by insufficient material, side by side at x 0, 100, 200.
DRAW_IMAGES = [((0, 0), "Draw 50 Moves"), ((100, 0), "Draw Repeated"),
               ((200, 0), "Draw Material")]

# ranks.bmp: the frame's rank digits counted from White's side, for Standard games: the
# left strip (x 0) and the right strip (x FRAME), each FRAME x 400, drawn beside the board.
RANK_STRIP_W, RANK_STRIP_H = 18, 400

# picker.bmp: the promotion picker drawn over the middle of the board; the program draws
# the four pieces (queen, rook, bishop, knight) into its cells and tints the one under the
# pointer.
PICKER_X, PICKER_Y, PICKER_W, PICKER_H = 210, 182, 220, 108
PICKER_CELL_X, PICKER_CELL_Y, PICKER_CELL_W, PICKER_CELL_H = 220, 202, 50, 80

# takeback.bmp: the board screen's Undo button, below the emblem on the left.
TAKE_BACK_X, TAKE_BACK_Y, TAKE_BACK_W, TAKE_BACK_H = 10, 400, 80, 40

# Buttons each dialog draws over its picture: (image name, screen x, screen y).
DIALOG_BUTTONS = {
    "quit": [("Yes", 253, 273), ("No", 337, 273)],
    "play": [("Human", 360, 211), ("Human", 360, 241), ("Play", 308, 310), ("Cancel", 378, 310)],
    "save": [("Save", 277, 313), ("Cancel", 351, 313), ("Up", 441, 189), ("Down", 441, 278)],
    "load": [("Load", 277, 313), ("Cancel", 351, 313), ("Up", 441, 189), ("Down", 441, 278)],
}

# Live text and tints inside the dialogs (screen rectangles x, y, w, h).
LIST_X, LIST_W, ROW_H = 210, 220, 8
LOAD_LIST = (LIST_X, 190, LIST_W, 14 * ROW_H)  # rows 190 .. 301
SAVE_LIST = (LIST_X, 210, LIST_W, 11 * ROW_H)  # rows 210 .. 297
SAVE_NAME = (LIST_X, 190, 28 * 8, 8)  # 27 characters and the text cursor
THUMB_TRACK = (442, 225, 23, 42)

# Sheets: name -> (width, height, bits per pixel, compression, key)
# compression: 0 none, 1 RLE8, 2 RLE4; key: None, "black" or "yellow".
SHEETS = {
    "back.bmp": (640, 480, 24, 0, None),
    "pieces.bmp": (240, 160, 24, 0, "yellow"),
    "bigbns.bmp": (320, 120, 8, 1, "black"),
    "smlbns.bmp": (570, 75, 8, 1, "black"),
    "dlgquit.bmp": (320, 240, 8, 1, "black"),
    "dlgplay.bmp": (372, 240, 8, 1, "black"),
    "dlgsave.bmp": (320, 240, 8, 1, "black"),
    "dlgload.bmp": (320, 240, 8, 1, "black"),
    "font8.bmp": (128, 128, 4, 2, "black"),
    "mouse.bmp": (32, 32, 4, 2, "black"),
    "status.bmp": (300, 200, 8, 1, "black"),
    "options.bmp": (530, 75, 8, 1, "black"),
    "takeback.bmp": (80, 120, 8, 1, "black"),
    "draws.bmp": (300, 40, 8, 1, "black"),
    "ranks.bmp": (36, 400, 24, 0, None),
    "picker.bmp": (220, 108, 8, 1, "black"),
}

PIECE_KEY = (255, 255, 0)
FONT_GREY = (192, 192, 192)
