#!/usr/bin/python3
"""Makes the seven 64 x 64 smoke-puff pictures: white dots on black, thinning out from
picture 0 to picture 6. The dots of each picture are drawn without replacement with a
weight that falls off from the centre, roughened by smooth noise, so a puff reads as a
soft round cloud that is densest in the middle. Fixed seed: the output never changes.

Run: /usr/bin/python3 tools/smoke-pictures/make_smoke_pictures.py [output folder]
(default assets/smoke)."""

import pathlib
import sys

import numpy as np
from PIL import Image

SIZE = 64
DOTS = [1686, 1545, 1046, 560, 435, 193, 81]
SEED = 20261207


def smooth_noise(rng, cells):
    """Noise in [-1, 1] varying over about SIZE / cells pixels (bilinear lattice)."""
    lattice = rng.uniform(-1.0, 1.0, (cells + 2, cells + 2))
    pos = (np.arange(SIZE) + 0.5) * cells / SIZE
    i = np.floor(pos).astype(int)
    f = pos - i
    fy, fx = f[:, None], f[None, :]
    iy, ix = i[:, None], i[None, :]
    a = lattice[iy, ix]
    b = lattice[iy, ix + 1]
    c = lattice[iy + 1, ix]
    d = lattice[iy + 1, ix + 1]
    return (a * (1 - fx) + b * fx) * (1 - fy) + (c * (1 - fx) + d * fx) * fy


def weights(rng):
    centre = (SIZE - 1) / 2
    y, x = np.mgrid[0:SIZE, 0:SIZE]
    r = np.hypot(x - centre, y - centre) / (SIZE / 2)
    rough = 1 + 0.25 * smooth_noise(rng, 4) + 0.12 * smooth_noise(rng, 9)
    falloff = np.clip(1 - (r * rough) ** 2, 0, None) ** 1.6
    return falloff + 1e-9


def picture(rng, dots):
    w = weights(rng).ravel()
    # Weighted sampling without replacement: the dots with the largest u^(1/w).
    keys = np.log(rng.uniform(1e-12, 1.0, w.size)) / w
    chosen = np.argsort(-keys, kind="stable")[:dots]
    pixels = np.zeros(SIZE * SIZE, dtype=np.uint8)
    pixels[chosen] = 255
    return pixels.reshape(SIZE, SIZE)


def main():
    out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "assets/smoke")
    out.mkdir(parents=True, exist_ok=True)
    rng = np.random.default_rng(SEED)
    for k, dots in enumerate(DOTS):
        pixels = picture(rng, dots)
        assert int((pixels == 255).sum()) == dots
        Image.fromarray(pixels, "L").convert("RGB").save(out / f"smoke{k}.png", optimize=True)


if __name__ == "__main__":
    main()
