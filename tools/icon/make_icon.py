#!/usr/bin/python3
"""Draws the picture shown beside the product name in the version dialog.

A jet climbing at the head of a curving white smoke trail on a blue sky tile. Drawn at four
times its final size and scaled down, so edges are smooth. The dialog shows it at
64 x 64 logical pixels; the 128 x 128 file keeps it sharp at 200 % scaling.
Run from anywhere; writes assets/icon/version.png of the source tree.
"""
import math
import os

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT = os.path.join(ROOT, "assets", "icon", "version.png")
SIZE = 128
SS = 4
N = SIZE * SS


def sky():
    """Rounded tile with a vertical gradient from deep to light blue."""
    y = np.linspace(0.0, 1.0, N)[:, None]
    top = np.array([18, 58, 150], dtype=float)
    bottom = np.array([120, 185, 240], dtype=float)
    rgb = top + (bottom - top) * y
    rgb = np.repeat(rgb[:, None, :], N, axis=1).reshape(N, N, 3)
    tile = Image.fromarray(rgb.astype(np.uint8), "RGB").convert("RGBA")
    mask = Image.new("L", (N, N), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, N - 1, N - 1], radius=N * 0.2, fill=255)
    tile.putalpha(mask)
    return tile, mask


def climb_trail():
    """Points of a curving climb from the lower left towards the upper right (a cubic Bezier)."""
    p0, p1, p2, p3 = (0.1 * N, 0.9 * N), (0.55 * N, 0.95 * N), (0.3 * N, 0.45 * N), (0.62 * N, 0.38 * N)
    pts = []
    steps = 120
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        x = u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0]
        y = u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]
        pts.append((x, y))
    return pts


def smoke(layer, pts):
    d = ImageDraw.Draw(layer)
    for i, (x, y) in enumerate(pts):
        t = i / (len(pts) - 1)
        rad = N * (0.045 - 0.025 * t)
        alpha = int(110 + 130 * t)
        d.ellipse([x - rad, y - rad, x + rad, y + rad], fill=(255, 255, 255, alpha))


def jet(layer, cx, cy, heading_deg, size):
    """A jet seen from above, nose along heading (0 = up, clockwise): white with blue trim."""
    d = ImageDraw.Draw(layer)
    a = math.radians(heading_deg)
    ux, uy = math.sin(a), -math.cos(a)
    rx, ry = -uy, ux

    def p(f, s):
        return (cx + (ux * f + rx * s) * size, cy + (uy * f + ry * s) * size)

    wings = [p(0.3, 0.12), p(-0.2, 0.8), p(-0.38, 0.8), p(-0.28, 0.12),
             p(-0.28, -0.12), p(-0.38, -0.8), p(-0.2, -0.8), p(0.3, -0.12)]
    tail = [p(-0.62, 0.1), p(-0.9, 0.38), p(-1.0, 0.38), p(-0.9, 0), p(-1.0, -0.38), p(-0.9, -0.38),
            p(-0.62, -0.1)]
    body = [p(1.0, 0), p(0.62, 0.13), p(-0.92, 0.11), p(-1.0, 0), p(-0.92, -0.11), p(0.62, -0.13)]
    outline = (10, 30, 80, 255)
    d.polygon(wings, fill=(25, 70, 190, 255), outline=outline)
    d.polygon(tail, fill=(25, 70, 190, 255), outline=outline)
    d.polygon(body, fill=(245, 248, 255, 255), outline=outline)
    d.polygon([p(0.78, 0), p(0.5, 0.07), p(0.34, 0), p(0.5, -0.07)], fill=(30, 50, 100, 255))


def main():
    tile, mask = sky()
    trail = Image.new("RGBA", (N, N), (0, 0, 0, 0))
    pts = climb_trail()
    smoke(trail, pts)
    trail = trail.filter(ImageFilter.GaussianBlur(N * 0.006))
    tile = Image.alpha_composite(tile, trail)

    plane = Image.new("RGBA", (N, N), (0, 0, 0, 0))
    (x1, y1), (x0, y0) = pts[-1], pts[-6]
    heading = math.degrees(math.atan2(x1 - x0, -(y1 - y0)))
    jet(plane, x1 + (x1 - x0) * 1.6, y1 + (y1 - y0) * 1.6, heading, N * 0.2)
    tile = Image.alpha_composite(tile, plane)

    # Keep the rounded corners after compositing.
    alpha = np.minimum(np.asarray(tile)[:, :, 3], np.asarray(mask))
    tile.putalpha(Image.fromarray(alpha.astype(np.uint8), "L"))
    tile = tile.resize((SIZE, SIZE), Image.LANCZOS)
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    tile.save(OUT, optimize=True)


if __name__ == "__main__":
    main()
