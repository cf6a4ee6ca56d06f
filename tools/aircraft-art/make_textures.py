#!/usr/bin/python3
"""Paints the six T-4 texture pictures into assets/textures/ as 24-bit Windows bitmaps."""
import os

import numpy as np
from PIL import Image

import t4_paint

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))


def main():
    out = os.path.join(ROOT, 'assets', 'textures')
    os.makedirs(out, exist_ok=True)
    for scheme, names in t4_paint.FILES.items():
        for picture, name in zip(t4_paint.pictures(scheme), names):
            rgb = np.clip(np.round(picture * 255), 0, 255).astype(np.uint8)
            Image.fromarray(rgb, 'RGB').save(os.path.join(out, name), 'BMP')


if __name__ == '__main__':
    main()
