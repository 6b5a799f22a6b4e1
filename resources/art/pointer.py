"""mouse.bmp: the 32 x 32 pointer, an ivory arrow with a dark rim whose tip is the hot spot
at the top-left corner, on black (transparent). Sixteen colours at most."""

import numpy as np
from PIL import Image, ImageDraw

import shade

OUTLINE = (24, 22, 30)
# The arrow, tip at the top-left corner (the hot spot).
SHAPE = [(0.0, 0.0), (0.0, 19.5), (4.7, 15.2), (7.8, 21.8), (11.0, 20.4), (8.0, 13.9),
         (14.0, 13.9)]


def _coverage(points, grow, size=32, ss=8):
    img = Image.new("L", (size * ss, size * ss), 0)
    draw = ImageDraw.Draw(img)
    draw.polygon([(x * ss, y * ss) for x, y in points], fill=255)
    if grow > 0:
        # Round brush along the edges grows the shape by `grow` pixels.
        r = grow * ss
        loop = points + points[:1]
        for (ax, ay), (bx, by) in zip(loop, loop[1:]):
            draw.line([(ax * ss, ay * ss), (bx * ss, by * ss)], fill=255, width=int(2 * r))
        for x, y in points:
            draw.ellipse([x * ss - r, y * ss - r, x * ss + r, y * ss + r], fill=255)
    return np.asarray(img.resize((size, size), Image.BOX), float) / 255.0


def _shrunk(points, inset):
    """The arrow's fill: the shape minus a band of `inset` along its edges."""
    size, ss = 32, 8
    img = Image.new("L", (size * ss, size * ss), 0)
    draw = ImageDraw.Draw(img)
    draw.polygon([(x * ss, y * ss) for x, y in points], fill=255)
    loop = points + points[:1]
    for (ax, ay), (bx, by) in zip(loop, loop[1:]):
        draw.line([(ax * ss, ay * ss), (bx * ss, by * ss)], fill=0, width=int(2 * inset * ss))
    return np.asarray(img.resize((size, size), Image.BOX), float) / 255.0


def pointer():
    """Returns (indices 32 x 32, palette) for a 4-bit sheet; index 0 is the black key."""
    outer = _coverage(SHAPE, 0.45) >= 0.5
    fill = _shrunk(SHAPE, 1.0)
    yy, xx = np.mgrid[0:32, 0:32].astype(float)
    # Lit from the upper left: the fill darkens towards the lower right.
    t = np.clip((xx * 0.5 + yy * 0.85) / 20.0, 0, 1)
    light = np.array([252, 248, 236], float)
    dark = np.array([190, 176, 146], float)
    col = light * (1 - t[..., None]) + dark * t[..., None]
    col = col * fill[..., None] + np.array(OUTLINE, float) * (1 - fill[..., None])
    outer[0, 0] = False  # the top-left pixel is the sheet's key
    palette = [(0, 0, 0), OUTLINE]
    shades = 10
    for k in range(shades):
        palette.append(tuple(int(round(v)) for v in light + (dark - light) * k / (shades - 1)))
    # Two blends of rim and fill for the antialiased inner edge.
    for a in (0.35, 0.65):
        mid = np.array(OUTLINE, float) * (1 - a) + (light + dark) / 2 * a
        palette.append(tuple(int(round(v)) for v in mid))
    pal = np.array(palette, float)
    dist = ((col[..., None, :] - pal[None, None, 1:, :]) ** 2).sum(axis=3)
    idx = (np.argmin(dist, axis=2) + 1).astype(np.uint8)
    idx[~outer] = 0
    assert all(max(c) >= 8 for c in palette[1:])
    return idx, [shade.clamp_opaque(c) if i else c for i, c in enumerate(palette)]
