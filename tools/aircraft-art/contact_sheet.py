"""Contact sheets: every heading picture keyed onto mid-grey, one row per kind."""
import os

import numpy as np
from PIL import Image

GREY = (128, 128, 128)
GAP = 8


def keyed(path):
    """The picture as RGBA with its key colour (the top-left pixel) transparent."""
    rgb = np.asarray(Image.open(path).convert('RGB'))
    alpha = np.where(np.all(rgb == rgb[0, 0], axis=-1), 0, 255).astype(np.uint8)
    return Image.fromarray(np.dstack([rgb, alpha]), 'RGBA')


def _pictures(folder):
    return [[keyed(os.path.join(folder, 'kind%d_%d.png' % (k, d))) for d in range(8)] for k in range(6)]


def full_size(folder):
    rows = _pictures(folder)
    width = max(sum(p.width for p in row) + GAP * 9 for row in rows)
    height = sum(row[0].height for row in rows) + GAP * 7
    sheet = Image.new('RGB', (width, height), GREY)
    y = GAP
    for row in rows:
        x = GAP
        for p in row:
            sheet.paste(p, (x, y), p)
            x += p.width + GAP
        y += row[0].height + GAP
    return sheet


def shrunk(folder, edge):
    """As the show draws them at size 1: shrunk smoothly with the key colour left out of the blend."""
    rows = _pictures(folder)
    cell = edge + GAP
    sheet = Image.new('RGB', (cell * 8 + GAP, cell * 6 + GAP), GREY)
    for k, row in enumerate(rows):
        for d, p in enumerate(row):
            premultiplied = p.convert('RGBa').resize((edge, edge), Image.LANCZOS).convert('RGBA')
            sheet.paste(premultiplied, (GAP + d * cell, GAP + k * cell), premultiplied)
    return sheet
