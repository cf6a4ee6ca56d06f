"""F-86: round fuselage with a nose intake, 35-degree swept low wing, swept tail, bubble canopy.
Kestrova bare metal with blue and white trim."""
import numpy as np

import airframe as af
from meshkit import Mesh
from kinds.paint import SKIN, GLASS, DARK, chord_fraction, finish, rgb

CREASE = 50.0
SILVER, BLUE, WHITE = rgb(188, 193, 200), rgb(20, 66, 170), rgb(246, 247, 250)
WING = dict(x0=0.55, x1=5.65, le0=-1.5, le1=2.07, c0=3.2, c1=1.45)
TAIL = dict(x0=0.3, x1=2.35, le0=3.5, le1=4.95, c0=1.6, c1=0.8)


def build():
    m = Mesh()
    stations = [(-5.3, 0.0, 0.0, 0.0), (-5.7, 0.42, -0.42, 0.42), (-5.45, 0.54, -0.52, 0.53),
                (-4.8, 0.64, -0.6, 0.62), (-3.5, 0.72, -0.66, 0.7), (-1.5, 0.76, -0.7, 0.74),
                (0.5, 0.76, -0.7, 0.74), (2.5, 0.68, -0.62, 0.66), (4.0, 0.58, -0.52, 0.56),
                (5.4, 0.46, -0.42, 0.45), (5.7, 0.43, -0.4, 0.42)]
    ring, centre = af.fuselage(m, stations, 16, SKIN, 'body')
    m.faces[:16] = [dict(f, mat=DARK, group='intake') for f in m.faces[:16]]
    af.cap(m, ring, centre, DARK, 'exhaust', np.array([0, 0, 1.0]))
    for side in (1, -1):
        af.wing(m, side, WING['x0'], -0.3, 3.0,
                [(0.0, WING['le0'], WING['c0'], 0.1), (WING['x1'] - WING['x0'], WING['le1'], WING['c1'], 0.08)],
                SKIN, 'wing')
        af.wing(m, side, TAIL['x0'], 0.3, 10.0,
                [(0.0, TAIL['le0'], TAIL['c0'], 0.08), (TAIL['x1'] - TAIL['x0'], TAIL['le1'], TAIL['c1'], 0.07)],
                SKIN, 'tail')
    af.fin(m, 0.0, 0.45, 0.0, [(0.0, 2.7, 2.6, 0.08), (2.35, 4.75, 1.05, 0.07)], SKIN, 'fin')
    af.canopy(m, -3.7, -1.2, 0.55, 0.42, 0.6, GLASS, 'canopy', peak=0.4)
    return m


def paint(mats, pos, nrm, _attrs):
    x, y, z = pos[:, 0], pos[:, 1], pos[:, 2]
    ax = np.abs(x)
    col = np.tile(SILVER, (len(mats), 1))
    fw, fc = chord_fraction(ax, z, **WING)
    wing = (ax > 0.8) & (y < 0.2) & (z > -2.0)
    col[wing & (fw > 0.78)] = BLUE
    col[wing & (fw > 0.70) & (fw <= 0.78)] = WHITE
    ft, _ = chord_fraction(ax, z, **TAIL)
    tail = (ax > 0.5) & (z > 3.0) & (y > 0.0) & (y < 1.0)
    col[tail & (ft > 0.6)] = BLUE
    col[(z > -5.2) & (z < -4.5)] = BLUE
    col[(z > -4.5) & (z < -4.25)] = WHITE
    col[(ax < 0.22) & (y > 0.4) & (z > -1.0) & (z < 4.0)] = BLUE
    col[(y > 1.6)] = BLUE
    return finish(mats, col, skin_spec=0.55, skin_shine=30.0)
