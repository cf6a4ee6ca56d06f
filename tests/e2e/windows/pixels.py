#!/usr/bin/env python3
"""Counts the pixels of a screenshot (binary PPM) in a rectangle, by kind.

pixels.py shot.ppm x y w h R,G,B  ->  "background white other": pixels of exactly the
colour R,G,B, pure white (smoke), and every other colour (aircraft, emblem, pictures).
"""
import sys


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or fields[3] != b"255":
        raise SystemExit("not an 8-bit binary PPM: " + path)
    return int(fields[1]), int(fields[2]), data[pos + 1:]


def main():
    path, x, y, w, h, colour = sys.argv[1], *map(int, sys.argv[2:6]), sys.argv[6]
    width, height, pixels = read_ppm(path)
    background = bytes(int(c) for c in colour.split(","))
    counts = [0, 0, 0]
    for row in range(max(y, 0), min(y + h, height)):
        line = pixels[(row * width + x) * 3:(row * width + min(x + w, width)) * 3]
        for i in range(0, len(line), 3):
            p = line[i:i + 3]
            counts[0 if p == background else 1 if p == b"\xff\xff\xff" else 2] += 1
    print(*counts)


main()
