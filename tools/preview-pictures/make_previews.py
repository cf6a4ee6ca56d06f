#!/usr/bin/python3
"""Draws the six preview pictures and the emblem shown in the screen-saver settings preview.

Pictures 0/1: plain colour, 2/3: desktop, 4/5: picture file; even = solo flight, odd = formation.
Run from anywhere; writes into assets/preview/ of the source tree.
"""
import math
import os
import random

from PIL import Image, ImageDraw, ImageFilter

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT = os.path.join(ROOT, "assets", "preview")
W, H = 240, 180
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


def smoke(draw, points, width):
    for i, (x, y) in enumerate(points):
        r = width * (0.6 + 0.4 * i / max(1, len(points) - 1))
        draw.ellipse([x - r, y - r, x + r, y + r], fill=(255, 255, 255, 150))


def trail(x0, y0, heading_deg, length, curve=0.0, n=40):
    """Points behind a jet, optionally curving."""
    pts = []
    h = math.radians(heading_deg)
    x, y = x0, y0
    for _ in range(n):
        x -= math.sin(h) * length / n
        y += math.cos(h) * length / n
        h -= curve / n
        pts.append((x, y))
    return pts


def background(kind):
    img = Image.new("RGB", (W * SS, H * SS))
    d = ImageDraw.Draw(img)
    if kind == "colour":
        d.rectangle([0, 0, W * SS, H * SS], fill=(0, 0, 128))
    elif kind == "desktop":
        for y in range(H * SS):
            t = y / (H * SS)
            d.line([(0, y), (W * SS, y)], fill=(int(40 + 40 * t), int(110 + 50 * t), int(160 + 40 * t)))
        for i in range(4):  # desktop icons
            x, y = 8 * SS, (10 + i * 30) * SS
            d.rounded_rectangle([x, y, x + 16 * SS, y + 16 * SS], 3 * SS, fill=(240, 220, 120) if i % 2 else (220, 230, 245))
            d.rectangle([x - 2 * SS, y + 19 * SS, x + 18 * SS, y + 22 * SS], fill=(250, 250, 250))
        d.rectangle([130 * SS, 30 * SS, 225 * SS, 100 * SS], fill=(245, 245, 245), outline=(90, 90, 90), width=SS)
        d.rectangle([130 * SS, 30 * SS, 225 * SS, 40 * SS], fill=(60, 90, 160))
        for i in range(5):
            d.line([(136 * SS, (48 + i * 9) * SS), ((205 - 10 * (i % 3)) * SS, (48 + i * 9) * SS)], fill=(150, 150, 150), width=SS)
        d.rectangle([0, (H - 14) * SS, W * SS, H * SS], fill=(35, 38, 48))
        d.rectangle([3 * SS, (H - 11) * SS, 20 * SS, (H - 3) * SS], fill=(90, 160, 90))
    else:  # a landscape photograph
        for y in range(H * SS):
            t = y / (H * SS)
            d.line([(0, y), (W * SS, y)], fill=(int(120 + 110 * t), int(170 + 60 * t), int(235 - 20 * t)))
        rnd = random.Random(7)
        pts = [(0, 120 * SS)]
        for x in range(0, W + 20, 20):
            pts.append((x * SS, (95 + rnd.randint(-22, 18)) * SS))
        pts += [(W * SS, H * SS), (0, H * SS)]
        d.polygon(pts, fill=(95, 110, 140))
        d.polygon([(0, 140 * SS), (70 * SS, 118 * SS), (160 * SS, 132 * SS), (W * SS, 120 * SS), (W * SS, H * SS), (0, H * SS)],
                  fill=(60, 120, 60))
        d.ellipse([185 * SS, 18 * SS, 210 * SS, 43 * SS], fill=(255, 245, 200))
    return img


def compose(kind, formation):
    img = background(kind).convert("RGBA")
    layer = Image.new("RGBA", img.size, (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    jets = []
    if formation:
        lead = (120, 70)
        for ox, oy in [(0, 0), (-20, 18), (20, 18), (-40, 36), (40, 36)]:
            jets.append((lead[0] + ox, lead[1] + oy, 0, 0.0))
    else:
        jets = [(60, 60, 45, 1.2), (175, 120, 300, -0.8), (150, 45, 110, 0.0), (70, 140, 200, 1.6)]
    for x, y, hdg, curve in jets:
        smoke(d, [(px * SS, py * SS) for px, py in trail(x, y, hdg, 90 if formation else 70, curve)], 3.2 * SS)
    layer = layer.filter(ImageFilter.GaussianBlur(SS * 0.8))
    img = Image.alpha_composite(img, layer)
    d = ImageDraw.Draw(img)
    for x, y, hdg, _ in jets:
        jet(d, x * SS, y * SS, hdg, 11 * SS)
    return img.convert("RGB").resize((W, H), Image.LANCZOS)


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


def main():
    os.makedirs(OUT, exist_ok=True)
    for i, kind in enumerate(["colour", "desktop", "picture"]):
        for formation in (0, 1):
            compose(kind, formation).save(os.path.join(OUT, f"prev{2 * i + formation}.png"))
    emblem().save(os.path.join(OUT, "emblem.png"))


if __name__ == "__main__":
    main()
