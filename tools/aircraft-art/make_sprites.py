#!/usr/bin/python3
"""Renders the 48 heading pictures into assets/sprites/ (kind<k>_<d>.png, 24-bit RGB on black)
and the contact sheet docs/contact-sheet.png. Run make_textures.py first: the T-4 pictures
are drawn with its texture pictures.

  make_sprites.py [--kinds 0,3] [--sheet-only] [--small /tmp/sheet45.png]
"""
import argparse
import os

import airframe as af
import contact_sheet
import raster
import sprite_kinds

SUPERSAMPLE = 4


def render_kind(kind):
    size, _ = sprite_kinds.CELLS[kind]
    tris, surface = sprite_kinds.source(kind)
    centre, pixels_per_unit = af.framing(tris.positions, size, sprite_kinds.FILL)
    return [raster.render(tris, surface, d, size, pixels_per_unit, centre, SUPERSAMPLE) for d in range(8)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--kinds', default='0,1,2,3,4,5')
    parser.add_argument('--sheet-only', action='store_true')
    parser.add_argument('--small', help='also write a sheet of the pictures shrunk to 45 pixels')
    args = parser.parse_args()
    out = os.path.join(sprite_kinds.ROOT, 'assets', 'sprites')
    os.makedirs(out, exist_ok=True)
    if not args.sheet_only:
        from PIL import Image
        for kind in (int(k) for k in args.kinds.split(',')):
            for d, img in enumerate(render_kind(kind)):
                Image.fromarray(img, 'RGB').save(os.path.join(out, 'kind%d_%d.png' % (kind, d)), optimize=True)
    sheet = contact_sheet.full_size(out)
    sheet.save(os.path.join(sprite_kinds.ROOT, 'docs', 'contact-sheet.png'), optimize=True)
    if args.small:
        contact_sheet.shrunk(out, 45).save(args.small)


if __name__ == '__main__':
    main()
