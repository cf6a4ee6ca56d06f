"""Shared materials and paint helpers for the sprite-only aircraft."""
import numpy as np

SKIN, GLASS, DARK, METAL = 0, 1, 2, 3

GLASS_ALBEDO = np.array([0.24, 0.32, 0.46])
DARK_ALBEDO = np.array([0.06, 0.06, 0.07])
METAL_ALBEDO = np.array([0.42, 0.40, 0.38])


def rgb(r, g, b):
    return np.array([r, g, b]) / 255.0


def chord_fraction(ax, z, x0, x1, le0, le1, c0, c1):
    """Span fraction and chord fraction of points over a straight-tapered planform."""
    f = (ax - x0) / (x1 - x0)
    return f, (z - (le0 + f * (le1 - le0))) / (c0 + f * (c1 - c0))


def finish(mats, skin_albedo, skin_spec=0.28, skin_shine=22.0):
    """Fills in the shared materials around a kind's skin paint."""
    albedo = np.array(skin_albedo, dtype=float)
    specular = np.full(len(mats), skin_spec)
    shine = np.full(len(mats), skin_shine)
    for mat, colour, s, p in ((GLASS, GLASS_ALBEDO, 0.95, 45.0), (DARK, DARK_ALBEDO, 0.05, 4.0),
                              (METAL, METAL_ALBEDO, 0.45, 18.0)):
        sel = mats == mat
        albedo[sel] = colour
        specular[sel] = s
        shine[sel] = p
    return albedo, specular, shine
