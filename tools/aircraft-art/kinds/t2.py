"""T-2: supersonic trainer with a long slim fuselage, a short high wing with anhedral, side
intakes, all-moving tailplanes and a tall fin. Kestrova white with blue."""
import numpy as np

import airframe as af
from meshkit import Mesh
from kinds.paint import SKIN, GLASS, DARK, METAL, chord_fraction, finish, rgb

CREASE = 50.0
WHITE, BLUE = rgb(243, 245, 248), rgb(22, 72, 172)
WING = dict(x0=0.5, x1=4.25, le0=0.1, le1=3.45, c0=3.7, c1=1.1)
TAIL = dict(x0=0.3, x1=2.9, le0=5.7, le1=7.5, c0=2.4, c1=0.9)


def build():
    m = Mesh()
    stations = [(-8.92, -0.05, -0.05, 0.0), (-8.4, 0.10, -0.22, 0.16), (-7.5, 0.32, -0.46, 0.34),
                (-6.3, 0.52, -0.66, 0.48), (-5.0, 0.64, -0.78, 0.55), (-3.6, 0.74, -0.84, 0.6),
                (-2.0, 0.8, -0.88, 0.64), (0.0, 0.84, -0.9, 0.72), (2.0, 0.82, -0.86, 0.78),
                (4.0, 0.76, -0.8, 0.8), (6.0, 0.7, -0.7, 0.8), (7.7, 0.64, -0.6, 0.78), (8.3, 0.6, -0.55, 0.76)]
    ring, centre = af.fuselage(m, stations, 16, SKIN, 'body', power=0.85)
    af.cap(m, ring, centre, DARK, 'tailcap', np.array([0, 0, 1.0]))
    for side in (1, -1):
        profiles = []
        for z, out in ((-3.2, 1.12), (-2.2, 1.16), (0.0, 1.12), (2.0, 1.0), (3.6, 0.7)):
            profiles.append([(side * 0.5, 0.35, z), (side * out, 0.32, z), (side * out, -0.62, z), (side * 0.5, -0.66, z)])
        rings = af.loft(m, profiles, [SKIN] * 3, (side * 0.4, -0.15, 0.0), 'intake%d' % side, False)
        throat = m.point((side * 0.85, -0.15, -2.7))
        m.fan(rings[0], throat, [DARK] * 3, (side * 0.85, -0.15, -3.6), 'throat', False)
        af.wing(m, side, WING['x0'], 0.72, -9.0,
                [(0.0, WING['le0'], WING['c0'], 0.07), (WING['x1'] - WING['x0'], WING['le1'], WING['c1'], 0.05)],
                SKIN, 'wing')
        af.wing(m, side, TAIL['x0'], 0.15, -15.0,
                [(0.0, TAIL['le0'], TAIL['c0'], 0.06), (TAIL['x1'] - TAIL['x0'], TAIL['le1'], TAIL['c1'], 0.05)],
                SKIN, 'tail')
        nozzle = [[(side * 0.4 + 0.33 * np.cos(a), 0.05 + 0.33 * np.sin(a), z) for a in np.linspace(0, 2 * np.pi, 12, endpoint=False)]
                  for z in (8.0, 8.85)]
        rings = af.loft(m, nozzle, [METAL] * 12, (side * 0.4, 0.05, 8.4), 'nozzle%d' % side, True)
        af.cap(m, rings[-1], (side * 0.4, 0.05, 8.8), DARK, 'throat', np.array([0, 0, 1.0]))
    af.fin(m, 0.0, 0.6, 0.0, [(0.0, 4.0, 3.9, 0.06), (3.3, 7.2, 1.3, 0.05)], SKIN, 'fin')
    af.canopy(m, -5.4, -1.1, 0.64, 0.46, 0.52, GLASS, 'canopy', peak=0.6)
    return m


def paint(mats, pos, nrm, _attrs):
    x, y, z = pos[:, 0], pos[:, 1], pos[:, 2]
    ax = np.abs(x)
    col = np.tile(WHITE, (len(mats), 1))
    fw, fc = chord_fraction(ax, z, **WING)
    wing = (ax > 0.85) & (ax < 4.5) & (y > 0.0)
    col[wing & (fc > 0.5)] = BLUE
    ft, tc = chord_fraction(ax, z, **TAIL)
    col[(ax > 0.7) & (z > 5.0) & (y < 0.5) & (tc > 0.45)] = BLUE
    spine = (ax < 0.32) & (y > 0.3) & (z > -1.0)
    col[spine] = BLUE
    col[(z < -7.0) & (y > -0.1)] = BLUE
    col[(y > 0.9)] = BLUE
    return finish(mats, col)
