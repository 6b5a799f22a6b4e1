#!/usr/bin/python3
"""Draws every sheet of the game and writes it into resources/.

Run through generate.sh (which names the Debian packages it needs). Writes the eleven
sheets, icon.bmp, kestrion.ico, the desktop icons (icons/kestrion-<size>.png), the browser
page's PNG copies of the sheets (web/<sheet>.png) and its install icons (web/icon-<size>.png),
checks the sheets, and renders the
contact sheet and a mock screen into resources/art/preview/ for a look by eye.
"""

import os
import sys
import time

import numpy as np
from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import background  # noqa: E402
import bmpfile  # noqa: E402
import buttons  # noqa: E402
import check_sheets  # noqa: E402
import dialogs  # noqa: E402
import font8  # noqa: E402
import icon  # noqa: E402
import pieces  # noqa: E402
import pointer  # noqa: E402
import preview  # noqa: E402
import status  # noqa: E402
import web_sheets  # noqa: E402

OUT = os.path.dirname(HERE)


def rows_rgb(arr):
    return [[tuple(int(v) for v in px) for px in row] for row in arr]


def write_24(name, arr):
    bmpfile.write_24(os.path.join(OUT, name), rows_rgb(arr))


def quantize_keyed(arr, key=(0, 0, 0), colours=256):
    """Palette of at most `colours` entries with the key first and exact; every other
    pixel is mapped to the nearest of the rest. Returns (index rows, palette)."""
    keyed = np.all(arr == key, axis=2)
    opaque = arr[~keyed].reshape(1, -1, 3)
    strip = Image.fromarray(opaque.astype(np.uint8), "RGB")
    q = strip.quantize(colors=colours - 1, method=Image.Quantize.MEDIANCUT, kmeans=4,
                       dither=Image.Dither.NONE)
    flat = q.getpalette()[:3 * (colours - 1)]
    palette = [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
    used = sorted(set(np.asarray(q).ravel().tolist()))
    remap = {old: new + 1 for new, old in enumerate(used)}
    final = [key] + [palette[i] for i in used]
    # A palette colour that would read as the key in 16 bits is lifted just clear of it.
    final = [final[0]] + [c if max(c) >= 8 else (max(c[0], 8), c[1], c[2]) for c in final[1:]]
    idx = np.zeros(keyed.shape, np.uint8)
    idx[~keyed] = np.vectorize(remap.get)(np.asarray(q).ravel())
    return idx, final


def write_rle8(name, arr):
    idx, palette = quantize_keyed(arr)
    bmpfile.write_indexed_rle(os.path.join(OUT, name), idx.tolist(), palette, 8)


def write_rle4(name, idx, palette):
    bmpfile.write_indexed_rle(os.path.join(OUT, name), np.asarray(idx).tolist(), palette, 4)


# The sizes a desktop's icon theme looks for (hicolor/<size>x<size>/apps/kestrion.png).
DESKTOP_ICON_SIZES = [16, 32, 48, 64, 128, 256]
# The sizes a web app manifest names for a home screen and a splash screen.
WEB_ICON_SIZES = [192, 512]


def write_icons():
    big = icon.icon_rgba()
    os.makedirs(os.path.join(OUT, "icons"), exist_ok=True)
    for size in DESKTOP_ICON_SIZES:
        Image.fromarray(icon.reduce(big, size), "RGBA").save(
            os.path.join(OUT, "icons", f"kestrion-{size}.png"))
    sizes = [256, 48, 32, 16]
    with open(os.path.join(OUT, "kestrion.ico"), "wb") as f:
        f.write(icon.ico_bytes([icon.reduce(big, s) for s in sizes]))
    small = icon.over(icon.reduce(big, 64), (38, 46, 60))
    write_24("icon.bmp", small)
    # The browser page's install icons: opaque (a home screen puts no backdrop behind them),
    # in the page's own dark colour, and as images of 64 colours, which show no banding at
    # these sizes and keep the page light (the browser fetches one with the page).
    os.makedirs(os.path.join(OUT, "web"), exist_ok=True)
    for size in WEB_ICON_SIZES:
        opaque = icon.over(icon.reduce(big, size), (20, 20, 20))
        Image.fromarray(opaque.astype(np.uint8), "RGB").quantize(
            colors=64, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE).save(
            os.path.join(OUT, "web", f"icon-{size}.png"), optimize=True)


def main():
    started = time.time()
    steps = [
        ("font8.bmp", lambda: write_rle4("font8.bmp", font8.font_indices(), font8.PALETTE)),
        ("mouse.bmp", lambda: write_rle4("mouse.bmp", *pointer.pointer())),
        ("pieces.bmp", lambda: write_24("pieces.bmp", pieces.sheet())),
        ("back.bmp", lambda: write_24("back.bmp", background.background())),
        ("bigbns.bmp", lambda: write_rle8("bigbns.bmp", buttons.big_buttons())),
        ("smlbns.bmp", lambda: write_rle8("smlbns.bmp", buttons.small_buttons())),
        ("status.bmp", lambda: write_rle8("status.bmp", status.status_sheet())),
        ("dialogs", lambda: [write_rle8(n, a) for n, a in dialogs.all_dialogs().items()]),
        ("icons", write_icons),
    ]
    only = set(sys.argv[1:])
    for label, run in steps:
        if only and label not in only:
            continue
        t = time.time()
        run()
        print(f"drew {label} ({time.time() - t:.1f} s)")
    if not only or "web" in only:
        web_sheets.main(["web_sheets.py", OUT])
    failed = check_sheets.main(["check_sheets.py", OUT])
    preview.write_previews(OUT, os.path.join(HERE, "preview"))
    print(f"done in {time.time() - started:.0f} s")
    return failed


if __name__ == "__main__":
    sys.exit(main())
