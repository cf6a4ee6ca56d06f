"""F-18: twin fins canted outward, leading-edge extensions from the wing root to the cockpit,
trapezoid wing, large tailplanes. Dark blue with yellow trim."""
import numpy as np

import airframe as af
from meshkit import Mesh
from kinds.paint import SKIN, GLASS, DARK, METAL, chord_fraction, finish, rgb

CREASE = 45.0
NAVY, YELLOW, CANOPY = rgb(16, 38, 102), rgb(250, 196, 24), rgb(120, 132, 150)
WING = dict(x0=1.25, x1=5.65, le0=-0.6, le1=1.55, c0=4.1, c1=1.6)
TAIL = dict(x0=0.9, x1=3.35, le0=5.5, le1=7.0, c0=2.8, c1=1.3)


def flat_section(chord, tc):
    return [(0.0, 0.0), (0.5 * chord, 0.5 * tc * chord), (chord, 0.0), (0.5 * chord, -0.5 * tc * chord)]


def build():
    m = Mesh()
    stations = [(-8.55, -0.05, -0.05, 0.0), (-8.0, 0.18, -0.28, 0.24), (-7.0, 0.42, -0.52, 0.44),
                (-5.8, 0.6, -0.68, 0.56), (-4.5, 0.72, -0.76, 0.66), (-3.0, 0.78, -0.8, 0.78),
                (-1.0, 0.76, -0.8, 1.05), (1.5, 0.74, -0.8, 1.25), (4.0, 0.7, -0.72, 1.28),
                (6.0, 0.62, -0.62, 1.18), (7.6, 0.55, -0.55, 1.02), (8.0, 0.52, -0.52, 0.98)]
    ring, centre = af.fuselage(m, stations, 16, SKIN, 'body', power=0.8)
    af.cap(m, ring, centre, DARK, 'tailcap', np.array([0, 0, 1.0]))
    for side in (1, -1):
        af.surface(m, (side * 0.5, 0.12, 0), (side, 0, 0), (0, 1, 0),
                   [(0.0, -5.2, 5.2, 0.04), (1.0, -1.0, 1.6, 0.05)], SKIN, 'lex%d' % side, flat_section)
        af.wing(m, side, WING['x0'], 0.1, -3.0,
                [(0.0, WING['le0'], WING['c0'], 0.06), (WING['x1'] - WING['x0'], WING['le1'], WING['c1'], 0.05)],
                SKIN, 'wing')
        rail = [[(side * 5.72 + 0.09 * np.cos(a), -0.12 + 0.09 * np.sin(a), z) for a in np.linspace(0, 2 * np.pi, 8, endpoint=False)]
                for z in (0.9, 3.4)]
        af.loft(m, rail, [METAL] * 8, (side * 5.72, -0.12, 2.0), 'rail%d' % side, True)
        af.wing(m, side, TAIL['x0'], -0.05, -2.0,
                [(0.0, TAIL['le0'], TAIL['c0'], 0.05), (TAIL['x1'] - TAIL['x0'], TAIL['le1'], TAIL['c1'], 0.04)],
                SKIN, 'tail')
        af.fin(m, side * 0.9, 0.55, 20.0, [(0.0, 3.2, 3.4, 0.06), (2.7, 5.4, 1.4, 0.05)], SKIN, 'fin')
        nozzle = [[(side * 0.55 + 0.4 * np.cos(a), 0.0 + 0.4 * np.sin(a), z) for a in np.linspace(0, 2 * np.pi, 12, endpoint=False)]
                  for z in (7.8, 8.55)]
        rings = af.loft(m, nozzle, [METAL] * 12, (side * 0.55, 0.0, 8.2), 'nozzle%d' % side, True)
        af.cap(m, rings[-1], (side * 0.55, 0.0, 8.5), DARK, 'throat', np.array([0, 0, 1.0]))
    af.canopy(m, -5.7, -2.3, 0.68, 0.56, 0.66, GLASS, 'canopy', peak=0.4)
    return m


def paint(mats, pos, nrm, _attrs):
    x, y, z = pos[:, 0], pos[:, 1], pos[:, 2]
    ax = np.abs(x)
    col = np.tile(NAVY, (len(mats), 1))
    fw, fc = chord_fraction(ax, z, **WING)
    wing = (ax > 1.2) & (z > -1.5) & (z < 4.5) & (y < 0.5)
    col[wing & (fc < 0.16)] = YELLOW
    col[wing & (fw > 0.9)] = YELLOW
    lex_outer = 0.5 + (z + 5.2) / 4.2
    lex = (z > -5.2) & (z < -0.8) & (y > -0.1) & (y < 0.45) & (ax > 0.55)
    col[lex & (lex_outer - ax < 0.16)] = YELLOW
    ft, _ = chord_fraction(ax, z, **TAIL)
    col[(ax > 0.9) & (z > 5.0) & (y < 0.3) & (ft > 0.78)] = YELLOW
    col[(ax < 0.18) & (y > 0.5) & (z > -2.2) & (z < 7.0)] = YELLOW
    col[(y > 2.0)] = YELLOW
    albedo, specular, shine = finish(mats, col, skin_spec=0.35, skin_shine=26.0)
    albedo[mats == GLASS] = CANOPY         # the usual dark glass vanishes against the dark blue
    return albedo, specular, shine
