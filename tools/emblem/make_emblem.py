#!/usr/bin/python3
"""Draws the 100 x 100 emblem shown at the top-left of the settings preview.

Writes assets/preview/emblem.png of the source tree.
"""
import math
import os

from PIL import Image, ImageDraw

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SS = 4  # supersampling factor


def jet(draw, cx, cy, heading_deg, size, body=(235, 240, 250), trim=(30, 80, 200)):
    """A small jet seen from above, nose along heading (0 = up, clockwise)."""
    a = math.radians(heading_deg)
    ux, uy = math.sin(a), -math.cos(a)     # forward
    rx, ry = -uy, ux                       # right

    def p(f, r):
        return (cx + (ux * f + rx * r) * size, cy + (uy * f + ry * r) * size)

    fuselage = [p(1.0, 0), p(0.6, 0.12), p(-0.9, 0.1), p(-1.0, 0), p(-0.9, -0.1), p(0.6, -0.12)]
    wings = [p(0.25, 0.1), p(-0.25, 0.75), p(-0.42, 0.75), p(-0.3, 0.1),
             p(-0.3, -0.1), p(-0.42, -0.75), p(-0.25, -0.75), p(0.25, -0.1)]
    tail = [p(-0.65, 0.08), p(-0.92, 0.35), p(-1.0, 0.35), p(-0.9, 0), p(-1.0, -0.35), p(-0.92, -0.35),
            p(-0.65, -0.08)]
    draw.polygon(wings, fill=trim)
    draw.polygon(tail, fill=trim)
    draw.polygon(fuselage, fill=body)
    draw.polygon([p(0.75, 0), p(0.45, 0.06), p(0.3, 0), p(0.45, -0.06)], fill=(40, 60, 110))



def emblem():
    s = 100 * SS
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.ellipse([2 * SS, 2 * SS, s - 2 * SS, s - 2 * SS], fill=(20, 60, 160), outline=(255, 255, 255), width=4 * SS)
    d.ellipse([12 * SS, 12 * SS, s - 12 * SS, s - 12 * SS], outline=(255, 255, 255), width=2 * SS)
    for i, off in enumerate([-14, 0, 14]):  # three smoke arcs
        d.arc([(22 + off) * SS, 30 * SS, (78 + off) * SS, 110 * SS], 200, 270, fill=(255, 255, 255), width=3 * SS)
    jet(d, 62 * SS, 40 * SS, 40, 22 * SS, body=(255, 255, 255), trim=(200, 40, 40))
    return img.resize((100, 100), Image.LANCZOS).convert("RGB")



if __name__ == "__main__":
    emblem().save(os.path.join(ROOT, "assets", "preview", "emblem.png"))
