#!/usr/bin/env python3
"""Writes the browser page's copies of the eleven sheets: resources/web/<sheet>.png, each
decoding to exactly the colours of resources/<sheet>.bmp (the desktop builds keep the
bitmaps). generate.py runs it after drawing the sheets; it can also run alone.

Usage: web_sheets.py [resources-folder]     (standard library only)
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bmpfile  # noqa: E402
import pngfile  # noqa: E402

SHEETS = ["back", "bigbns", "dlgload", "dlgplay", "dlgquit", "dlgsave", "font8", "mouse",
          "pieces", "smlbns", "status"]


def main(argv):
    resources = argv[1] if len(argv) > 1 else os.path.dirname(
        os.path.dirname(os.path.abspath(__file__)))
    out = os.path.join(resources, "web")
    os.makedirs(out, exist_ok=True)
    total = 0
    for sheet in SHEETS:
        data = pngfile.encode(bmpfile.read(os.path.join(resources, sheet + ".bmp")))
        with open(os.path.join(out, sheet + ".png"), "wb") as f:
            f.write(data)
        total += len(data)
        print(f"web/{sheet}.png: {len(data)} bytes")
    print(f"web sheets: {total} bytes in all")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
