"""Light, materials and the shared colour palette.

One light for every sheet: from the upper left, a little in front of the picture. Bevels,
engraved letters and the pieces are all lit by it, so highlights sit on the upper-left
edges and shadows fall to the lower right everywhere.
"""

import numpy as np

# View space: x right, y up, z towards the viewer.
LIGHT = np.array([-0.50, 0.62, 0.60])
LIGHT = LIGHT / np.linalg.norm(LIGHT)
HALF = LIGHT + np.array([0.0, 0.0, 1.0])
HALF = HALF / np.linalg.norm(HALF)

# --- Palette -------------------------------------------------------------------------
# Slate for the room and panels, walnut and brass for the board's frame and the rims,
# ivory and sage for the squares, white marble and garnet red for the two armies.
SLATE = (38, 46, 60)
SLATE_WELL = (16, 20, 28)
BRASS_DARK = (104, 76, 38)
BRASS = (190, 152, 84)
BRASS_LIGHT = (246, 222, 160)
WALNUT_DARK = (46, 28, 18)
WALNUT = (92, 58, 36)
WALNUT_LIGHT = (134, 92, 58)
SQUARE_LIGHT = (222, 210, 178)
SQUARE_DARK = (104, 134, 118)

WHITE, RED, WHITE_DETAIL, RED_DETAIL = 0, 1, 2, 3

MATERIALS = {
    # lit colour, shadow colour, vein colour, vein strength, specular strength, shininess
    WHITE: dict(lit=(253, 251, 245), shadow=(150, 150, 164), vein=(128, 136, 150),
                veins=0.75, specular=0.45, shine=28, rim=0.10),
    RED: dict(lit=(196, 42, 48), shadow=(52, 6, 14), vein=(96, 10, 22),
              veins=0.35, specular=0.65, shine=36, rim=0.20),
    WHITE_DETAIL: dict(lit=(120, 116, 120), shadow=(40, 38, 46), vein=(90, 90, 96),
                       veins=0.0, specular=0.3, shine=30, rim=0.20),
    RED_DETAIL: dict(lit=(70, 12, 18), shadow=(26, 4, 8), vein=(40, 6, 10),
                     veins=0.0, specular=0.3, shine=30, rim=0.20),
}

OUTLINE = {WHITE: (52, 50, 60), RED: (34, 6, 10)}


def _perm():
    rng = np.random.default_rng(20240607)
    p = rng.permutation(256)
    return np.concatenate([p, p]), rng.random(256)


_PERM, _VALUES = _perm()


def _lattice(ix, iy, iz):
    h = _PERM[(_PERM[(_PERM[ix & 255] + iy) & 255] + iz) & 255]
    return _VALUES[h & 255]


def value_noise(p):
    """Smooth 3-D value noise in [0, 1] at points p (N x 3)."""
    i = np.floor(p).astype(np.int64)
    f = p - i
    u = f * f * (3 - 2 * f)
    total = np.zeros(len(p))
    for dx in (0, 1):
        for dy in (0, 1):
            for dz in (0, 1):
                w = ((u[:, 0] if dx else 1 - u[:, 0]) * (u[:, 1] if dy else 1 - u[:, 1]) *
                     (u[:, 2] if dz else 1 - u[:, 2]))
                total += w * _lattice(i[:, 0] + dx, i[:, 1] + dy, i[:, 2] + dz)
    return total


def fbm(p, octaves=4):
    total, amp, norm = np.zeros(len(p)), 1.0, 0.0
    for k in range(octaves):
        total += amp * value_noise(p * (2.0 ** k) + 17.3 * k)
        norm += amp
        amp *= 0.5
    return total / norm


def marble_veins(pos, seed=0.0):
    """0..1 vein intensity at world positions: thin meandering lines, as in polished stone."""
    p = pos * 0.16 + seed
    turbulence = fbm(p * 1.7)
    v = np.sin(2.4 * (p[:, 0] * 0.8 + p[:, 1] * 0.55 + p[:, 2] * 0.3) + 7.0 * turbulence)
    line = 1.0 - np.clip(np.abs(v) / 0.22, 0, 1)
    return line ** 2 * (0.55 + 0.45 * fbm(p * 3.1 + 5.0))


def shade(normal, pos, material, veins=1.0):
    """Colour (N x 3, 0..255) of surface points with view-space normals. veins scales the
    marble's veining (drawn large, full-strength veins read as cracks)."""
    out = np.zeros((len(normal), 3))
    for mid, m in MATERIALS.items():
        sel = material == mid
        if not sel.any():
            continue
        n = normal[sel]
        ndl = n @ LIGHT
        diffuse = np.clip((ndl + 0.30) / 1.30, 0, 1) ** 1.15
        lit, shadow = np.array(m["lit"], float), np.array(m["shadow"], float)
        base = shadow + (lit - shadow) * diffuse[:, None]
        if m["veins"]:
            vein = marble_veins(pos[sel], seed=3.0 * mid)[:, None] * m["veins"] * veins
            tint = np.array(m["vein"], float) / np.maximum(lit, 1)
            base = base * (1 - vein) + base * tint * vein
        highlight = np.clip(n @ HALF, 0, 1) ** m["shine"] * m["specular"] * 255
        # A little darkening where the surface turns away from the viewer rounds the forms.
        rim = 1 - m["rim"] + m["rim"] * np.clip(n[:, 2], 0, 1)
        out[sel] = np.clip(base * rim[:, None] + highlight[:, None], 0, 255)
    return out


def clamp_opaque(colour):
    """Keeps a colour clear of the black key after 16-bit conversion (some channel >= 8)."""
    r, g, b = colour
    if max(r, g, b) >= 8:
        return colour
    return (max(r, 8), g, b)
