"""F-16: single fin, bubble canopy, belly intake, cropped delta wing blended into the body with
forward strakes. White with red and blue."""
import numpy as np

import airframe as af
from meshkit import Mesh
from kinds.paint import SKIN, GLASS, DARK, METAL, chord_fraction, finish, rgb

CREASE = 45.0
WHITE, RED, BLUE = rgb(244, 245, 247), rgb(206, 22, 36), rgb(22, 44, 140)
WING = dict(x0=0.85, x1=4.6, le0=-1.2, le1=1.95, c0=5.3, c1=1.15)
TAIL = dict(x0=0.7, x1=2.75, le0=4.6, le1=6.1, c0=2.5, c1=1.0)


def flat_section(chord, tc):
    return [(0.0, 0.0), (0.5 * chord, 0.5 * tc * chord), (chord, 0.0), (0.5 * chord, -0.5 * tc * chord)]


def build():
    m = Mesh()
    stations = [(-7.5, -0.1, -0.1, 0.0), (-7.0, 0.12, -0.3, 0.2), (-6.0, 0.38, -0.52, 0.4),
                (-4.8, 0.56, -0.62, 0.52), (-3.4, 0.66, -0.66, 0.6), (-2.0, 0.66, -0.7, 0.72),
                (0.0, 0.66, -0.7, 0.9), (2.5, 0.64, -0.66, 0.9), (4.5, 0.58, -0.58, 0.72),
                (6.0, 0.5, -0.5, 0.6), (6.9, 0.46, -0.46, 0.52)]
    ring, centre = af.fuselage(m, stations, 16, SKIN, 'body', power=0.85)
    af.cap(m, ring, centre, DARK, 'tailcap', np.array([0, 0, 1.0]))
    nozzle = [[(r * np.cos(a), r * np.sin(a), z) for a in np.linspace(0, 2 * np.pi, 14, endpoint=False)]
              for z, r in ((6.6, 0.5), (7.5, 0.42))]
    rings = af.loft(m, nozzle, [METAL] * 14, (0, 0, 7.0), 'nozzle', True)
    af.cap(m, rings[-1], (0, 0, 7.4), DARK, 'throat', np.array([0, 0, 1.0]))
    intake = []
    for z, w, depth in ((-2.9, 0.5, 0.55), (-2.0, 0.52, 0.55), (0.0, 0.5, 0.5), (2.0, 0.42, 0.3)):
        intake.append([(w, -0.4, z), (w * 0.9, -0.6 - depth * 0.6, z), (0, -0.62 - depth, z),
                       (-w * 0.9, -0.6 - depth * 0.6, z), (-w, -0.4, z)])
    rings = af.loft(m, intake, [SKIN] * 4, (0, -0.5, 0.0), 'intake', False)
    throat = m.point((0, -0.9, -2.4))
    m.fan(rings[0], throat, [DARK] * 4, (0, -0.9, -3.5), 'throat', False)
    for side in (1, -1):
        af.surface(m, (side * 0.45, 0.02, 0), (side, 0, 0), (0, 1, 0),
                   [(0.0, -4.7, 4.6, 0.03), (0.55, -1.45, 1.5, 0.04)], SKIN, 'strake%d' % side, flat_section)
        af.wing(m, side, WING['x0'], 0.0, 0.0,
                [(0.0, WING['le0'], WING['c0'], 0.05), (WING['x1'] - WING['x0'], WING['le1'], WING['c1'], 0.04)],
                SKIN, 'wing')
        rail = [[(side * 4.68 + 0.08 * np.cos(a), 0.0 + 0.08 * np.sin(a), z) for a in np.linspace(0, 2 * np.pi, 8, endpoint=False)]
                for z in (0.6, 3.3)]
        af.loft(m, rail, [METAL] * 8, (side * 4.68, 0.0, 2.0), 'rail%d' % side, True)
        af.wing(m, side, TAIL['x0'], -0.05, -10.0,
                [(0.0, TAIL['le0'], TAIL['c0'], 0.05), (TAIL['x1'] - TAIL['x0'], TAIL['le1'], TAIL['c1'], 0.04)],
                SKIN, 'tail')
    af.fin(m, 0.0, 0.5, 0.0, [(0.0, 3.4, 3.3, 0.06), (2.7, 6.2, 1.25, 0.05)], SKIN, 'fin')
    af.canopy(m, -5.6, -2.3, 0.55, 0.48, 0.72, GLASS, 'canopy', peak=0.45)
    return m


def paint(mats, pos, nrm, _attrs):
    x, y, z = pos[:, 0], pos[:, 1], pos[:, 2]
    ax = np.abs(x)
    col = np.tile(WHITE, (len(mats), 1))
    fw, fc = chord_fraction(ax, z, **WING)
    wing = (ax > 0.9) & (z > -2.0) & (y < 0.3) & (y > -0.3)
    col[wing & (fc > 0.0) & (fc < 0.13)] = BLUE
    col[wing & (fc >= 0.2) & (fc < 0.34)] = RED
    strake = (ax > 0.6) & (z < -1.0) & (y < 0.3) & (y > -0.3)
    col[strake] = BLUE
    col[(ax < 0.2) & (y > 0.3) & (z > -2.0) & (z < 6.0)] = RED
    col[(ax >= 0.2) & (ax < 0.3) & (y > 0.3) & (z > -2.0) & (z < 6.0)] = BLUE
    col[(z < -5.7) & (y > 0.0)] = BLUE
    ft, _ = chord_fraction(ax, z, **TAIL)
    col[(ax > 0.8) & (z > 4.0) & (y < 0.3) & (ft > 0.75)] = RED
    col[(y > 2.4)] = BLUE
    return finish(mats, col, skin_spec=0.3, skin_shine=24.0)
