"""The program icon: a white marble knight on a corner of the board in a brass-rimmed tile.

Drawn once at 512 pixels and reduced for every size: the desktop icons icons/kestrion-<size>.png
(16 to 256, with alpha), the icon file for a Windows build (256, 48, 32 and 16) and icon.bmp
(64, opaque, for the window).
"""

import io
import struct

import numpy as np
from PIL import Image, ImageFilter

import pieces
import shade
import ui
from shade import WHITE

BIG = 512


def _tile():
    cv = ui.Canvas(BIG, BIG)
    radius, rim = 84, 22
    outer = ui.round_rect(cv, 8, 8, BIG - 16, BIG - 16, radius)
    cv.paint(ui.cover(outer), ui.shaded(shade.BRASS, ui.bevel_light(outer, rim, True),
                                        up=shade.BRASS_LIGHT, down=shade.BRASS_DARK,
                                        strength=0.9))
    inner = ui.round_rect(cv, 8 + rim, 8 + rim, BIG - 16 - 2 * rim, BIG - 16 - 2 * rim,
                          radius - rim)
    half = BIG / 2
    light = ((cv.px < half) == (cv.py < half))
    field = np.where(light[..., None], np.asarray(shade.SQUARE_LIGHT, float),
                     np.asarray(shade.SQUARE_DARK, float))
    cv.paint(ui.cover(inner), ui.shaded(field, ui.bevel_light(inner, 10, False), strength=0.5))
    alpha = np.clip(0.5 - outer, 0, 1)
    return cv.rgb, alpha, ui.cover(inner)


def _knight():
    scale = 7.6
    rgb, alpha = pieces.render_rgba("N", WHITE, scale, width_units=40, height_units=62,
                                    centre_x=20.0, ground_y=57.0, supersample=1, veins=0.35)
    return rgb, alpha


def icon_rgba():
    """The icon at 512 x 512 as an RGBA uint8 array."""
    rgb, alpha, field = _tile()
    k_rgb, k_alpha = _knight()
    ys, xs = np.nonzero(k_alpha > 0)
    k_rgb = k_rgb[ys.min():ys.max() + 1, xs.min():xs.max() + 1]
    k_alpha = k_alpha[ys.min():ys.max() + 1, xs.min():xs.max() + 1]
    h, w = k_alpha.shape
    x0, y0 = (BIG - w) // 2 + 4, BIG - 52 - h
    layer_a = np.zeros((BIG, BIG))
    layer_rgb = np.zeros((BIG, BIG, 3))
    layer_a[y0:y0 + h, x0:x0 + w] = k_alpha
    layer_rgb[y0:y0 + h, x0:x0 + w] = k_rgb
    # Shadow cast to the lower right, then a dark rim so the marble stands off the squares.
    a_img = Image.fromarray(np.uint8(np.clip(layer_a, 0, 1) * 255))
    shadow = np.asarray(a_img.filter(ImageFilter.GaussianBlur(9)), float) / 255.0
    shadow = ui.shift(shadow, 12, 14) * field * 0.55
    rgb = rgb * (1 - shadow[..., None]) + np.array((20, 18, 24)) * shadow[..., None]
    rim = np.asarray(a_img.filter(ImageFilter.MaxFilter(9)).filter(ImageFilter.GaussianBlur(1.2)),
                     float) / 255.0
    rgb = rgb * (1 - rim[..., None]) + np.array(shade.OUTLINE[WHITE], float) * rim[..., None]
    rgb = rgb * (1 - layer_a[..., None]) + layer_rgb * layer_a[..., None]
    out = np.dstack([np.clip(np.round(rgb), 0, 255), np.round(alpha * 255)]).astype(np.uint8)
    return out


def reduce(rgba, size):
    # Premultiplied, so the transparent surround does not bleed into the edges.
    arr = rgba.astype(float)
    pm = np.dstack([arr[..., :3] * arr[..., 3:4] / 255.0, arr[..., 3]])
    channels = [Image.fromarray(np.float32(pm[..., k])).resize((size, size), Image.BOX)
                for k in range(4)]
    a = np.asarray(channels[3], float)
    rgb = np.dstack([np.asarray(c, float) for c in channels[:3]]) * 255.0 / np.maximum(a, 1e-6)[..., None]
    out = np.dstack([np.clip(rgb, 0, 255), np.clip(a, 0, 255)])
    return np.uint8(np.round(out))


def over(rgba, background):
    a = rgba[..., 3:4].astype(float) / 255.0
    return np.uint8(np.round(rgba[..., :3] * a + np.asarray(background, float) * (1 - a)))


def _dib(rgba):
    """An icon image entry in the classic form: 32-bit BGRA bottom-up plus an AND mask."""
    size = rgba.shape[0]
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = rgba[::-1, :, [2, 1, 0, 3]].tobytes()
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in rgba[::-1]:
        bits = bytearray(stride)
        for x in range(size):
            if row[x, 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def ico_bytes(images):
    """images: list of RGBA arrays; 256 is stored as PNG, smaller sizes as bitmaps."""
    entries, blobs = [], []
    for rgba in images:
        size = rgba.shape[0]
        if size >= 256:
            buf = io.BytesIO()
            Image.fromarray(rgba, "RGBA").save(buf, "PNG")
            blob = buf.getvalue()
        else:
            blob = _dib(rgba)
        entries.append((size, blob))
        blobs.append(blob)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, blob in entries:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)
