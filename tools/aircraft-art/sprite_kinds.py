"""The six sprite kinds: cell edge, and the triangles and surface function each is drawn from."""
import importlib
import os

import airframe as af
import t4_sprite

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))

# kind number: (cell edge in pixels, module under kinds/ or None for the T-4)
CELLS = {0: (400, None), 1: (180, 't2'), 2: (225, 'f86'), 3: (240, 'f18'), 4: (240, 'f16'), 5: (240, 'f117')}
FILL = 0.92            # share of the cell taken by the aircraft's largest extent


def source(kind):
    """(triangles, surface) of a kind, model axes: y up, nose along -z."""
    _, name = CELLS[kind]
    if name is None:
        textures = t4_sprite.load_textures(os.path.join(ROOT, 'assets', 'textures'))
        return t4_sprite.triangles(), t4_sprite.surface_for(textures)
    mod = importlib.import_module('kinds.' + name)
    return af.to_triangles(mod.build(), mod.CREASE), mod.paint
