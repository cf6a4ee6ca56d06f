#!/usr/bin/python3
"""Wraps the version dialog's picture into a Windows icon file for the Windows dialogs.

The icon holds the 128 x 128 PNG as it is (icons may carry PNG images since Windows
Vista); Windows scales it to the size the dialog asks for. Run after make_icon.py;
writes assets/icon/version.ico of the source tree.
"""
import os
import struct

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PNG = os.path.join(ROOT, "assets", "icon", "version.png")
ICO = os.path.join(ROOT, "assets", "icon", "version.ico")


def main():
    with open(PNG, "rb") as f:
        png = f.read()
    width, height = struct.unpack(">II", png[16:24])
    header = struct.pack("<HHH", 0, 1, 1)
    # Width and height 0 stand for 256; colour count, reserved, planes, bits per pixel.
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(png), 6 + 16)
    with open(ICO, "wb") as f:
        f.write(header + entry + png)


if __name__ == "__main__":
    main()
