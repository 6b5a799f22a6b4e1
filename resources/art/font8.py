"""font8.bmp: 16 x 16 cells of 8 x 8, light grey on black, built from the glyph drawings
in font8_bold.txt (codes 32-127), font8_thin.txt (their thin forms at 160-255) and
font8_marks.txt (a few marks in rows 0, 1, 8 and 9)."""

import os

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
GREY = (192, 192, 192)
PALETTE = [(0, 0, 0), GREY]


def read_glyphs(path):
    glyphs, code = {}, None
    with open(path) as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line.startswith("#") and code is None:
                continue
            if line.startswith("@"):
                code = int(line.split()[1])
                if code in glyphs:
                    raise ValueError(f"{path}:{number}: glyph {code} drawn twice")
                glyphs[code] = []
            elif line.strip() and code is not None:
                row = line.ljust(8, ".")
                if len(row) != 8 or set(row) - {"#", "."}:
                    raise ValueError(f"{path}:{number}: a row is 8 cells of '#' or '.'")
                glyphs[code].append([ch == "#" for ch in row])
    for code, rows in glyphs.items():
        if len(rows) != 8:
            raise ValueError(f"{path}: glyph {code} has {len(rows)} rows")
    return glyphs


def font_indices():
    """128 x 128 array of palette indices (0 black, 1 grey)."""
    sheet = np.zeros((128, 128), np.uint8)

    def put(code, rows):
        x, y = (code % 16) * 8, (code // 16) * 8
        sheet[y:y + 8, x:x + 8] = np.array(rows, dtype=np.uint8)

    bold = read_glyphs(os.path.join(HERE, "font8_bold.txt"))
    thin = read_glyphs(os.path.join(HERE, "font8_thin.txt"))
    marks = read_glyphs(os.path.join(HERE, "font8_marks.txt"))
    expected = set(range(32, 128))
    if set(bold) != expected or set(thin) != expected:
        raise ValueError("the bold and thin faces must each hold codes 32 to 127")
    for code in range(32, 128):
        put(code, bold[code])
        put(code + 128, thin[code])
    for code, rows in marks.items():
        if code // 16 not in (0, 1, 8, 9):
            raise ValueError(f"mark {code} lies outside rows 0, 1, 8 and 9")
        put(code, rows)
    return sheet
