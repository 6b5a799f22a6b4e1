#!/usr/bin/env python3
"""Writes the browser page's copies of the sheets, each decoding to exactly the colours of
resources/<sheet>.bmp (the desktop builds keep the bitmaps): resources/web/<sheet>.png for
the sheets with a palette, resources/web/<sheet>.webp for the 24-bit ones, which lossless
WebP holds in a fifth less than the best PNG (the background alone is a third of the page).
generate.py runs it after drawing the sheets; it can also run alone.

Usage: web_sheets.py [resources-folder]
Needs cwebp and dwebp (Debian package webp) for the 24-bit sheets.
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bmpfile  # noqa: E402
import pngfile  # noqa: E402

SHEETS = ["back", "bigbns", "dlgload", "dlgplay", "dlgquit", "dlgsave", "draws", "font8", "mouse",
          "options", "picker", "pieces", "ranks", "smlbns", "status", "takeback"]


def webp(bitmap):
    """The lossless WebP of a 24-bit sheet, checked to decode to the bitmap's very colours:
    no colour profile, no alpha, every pixel exact."""
    rgb = b"".join(bytes(v for pixel in row for v in pixel) for row in bitmap.rows)
    header = f"P6\n{bitmap.width} {bitmap.height}\n255\n".encode()
    with tempfile.TemporaryDirectory() as folder:
        source, written, back = (os.path.join(folder, name)
                                 for name in ("sheet.ppm", "sheet.webp", "back.ppm"))
        with open(source, "wb") as f:
            f.write(header + rgb)
        subprocess.run(["cwebp", "-quiet", "-lossless", "-exact", "-z", "9", "-metadata", "none",
                        source, "-o", written], check=True)
        subprocess.run(["dwebp", "-quiet", written, "-ppm", "-o", back], check=True)
        with open(back, "rb") as f:
            decoded = f.read()
        with open(written, "rb") as f:
            data = f.read()
    if decoded != header + rgb:
        raise RuntimeError("the WebP copy does not decode to the bitmap's colours")
    return data


def main(argv):
    resources = argv[1] if len(argv) > 1 else os.path.dirname(
        os.path.dirname(os.path.abspath(__file__)))
    out = os.path.join(resources, "web")
    os.makedirs(out, exist_ok=True)
    total = 0
    for sheet in SHEETS:
        bitmap = bmpfile.read(os.path.join(resources, sheet + ".bmp"))
        if bitmap.bits == 24:
            data, kind = webp(bitmap), "webp"
        else:
            data, kind = pngfile.encode(bitmap), "png"
        for other in ("png", "webp"):
            stale = os.path.join(out, f"{sheet}.{other}")
            if other != kind and os.path.exists(stale):
                os.remove(stale)
        with open(os.path.join(out, f"{sheet}.{kind}"), "wb") as f:
            f.write(data)
        total += len(data)
        print(f"web/{sheet}.{kind}: {len(data)} bytes")
    print(f"web sheets: {total} bytes in all")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
