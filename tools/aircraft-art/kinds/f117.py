"""F-117: faceted flying wedge with a sawtooth trailing edge and a V-tail, flat dark grey."""
import numpy as np

import airframe as af
from meshkit import Mesh
from kinds.paint import SKIN, GLASS, DARK, finish, rgb

CREASE = 4.0           # every facet keeps its own flat shade
GREY = rgb(58, 60, 64)
WINDOW = rgb(52, 46, 30)


def build():
    m = Mesh()
    inside = (0, 0.2, 1.0)
    nose, c1, c2 = m.point((0, 0.02, -10.05)), m.point((0, 0.95, -5.0)), m.point((0, 1.22, -2.9))
    spine, rear, tail = m.point((0, 1.1, 1.2)), m.point((0, 0.62, 7.0)), m.point((0, 0.1, 8.45))
    bottom = m.point((0, -0.55, 0.5))
    for s in (1, -1):
        a, b = m.point((s * 0.95, 0.38, -5.6)), m.point((s * 1.75, 0.78, -2.2))
        d, e = m.point((s * 1.65, 0.72, 2.4)), m.point((s * 1.15, 0.4, 7.6))
        le, tip = m.point((s * 2.5, 0.02, -3.9)), m.point((s * 6.6, 0.02, 5.0))
        tip2, notch = m.point((s * 6.3, 0.02, 5.9)), m.point((s * 3.3, 0.02, 3.1))
        ex1, ex2 = m.point((s * 2.0, 0.02, 8.3)), m.point((s * 1.0, 0.02, 8.85))
        faces = [((nose, a, c1), SKIN), ((nose, le, a), SKIN), ((a, b, c2, c1), GLASS), ((a, le, b), SKIN),
                 ((le, tip, d, b), SKIN), ((tip, tip2, notch, d), SKIN), ((b, d, spine, c2), SKIN),
                 ((d, notch, ex1, e), SKIN), ((d, e, rear, spine), SKIN), ((e, ex1, ex2), SKIN),
                 ((e, ex2, tail, rear), SKIN)]
        for idx, mat in faces:
            for k in range(1, len(idx) - 1):
                m.face((idx[0], idx[k], idx[k + 1]), mat, inside, 'facet')
        outline = [nose, le, tip, tip2, notch, ex1, ex2, tail]
        for p, q in zip(outline, outline[1:]):
            m.face((p, q, bottom), SKIN, (0, 0.3, 0.5), 'underside')

        def plate(chord, tc):
            return [(0.0, 0.0), (0.45 * chord, 0.5 * tc * chord), (chord, 0.0), (0.45 * chord, -0.5 * tc * chord)]
        af.fin(m, s * 1.05, 0.5, 42.0, [(0.0, 5.6, 3.9, 0.05), (3.0, 8.4, 1.65, 0.05)], SKIN, 'fin', plate)
    slot = [m.point((x, 0.12, 8.4)) for x in (-1.5, 1.5)] + [m.point((x, 0.3, 7.9)) for x in (1.2, -1.2)]
    m.face(slot, DARK, (0, -1.0, 8.7), 'slot')
    return m


def paint(mats, pos, nrm, _attrs):
    col = np.tile(GREY, (len(mats), 1))
    albedo, specular, shine = finish(mats, col, skin_spec=0.22, skin_shine=10.0)
    albedo[mats == GLASS] = WINDOW
    specular[mats == GLASS] = 0.5
    return albedo, specular, shine
