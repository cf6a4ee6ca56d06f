"""The T-4 model of the 3D show, built from parts to the exact counts the program carries.

Materials: 0 wing-tip light lenses, 1 canopy glass, 2 canopy rear fairing, 3 bottom texture,
4 side texture, 5 tail cap / intake lips / ventral strakes, 6 intake and nozzle throats,
7 top texture, 8 nozzle walls.
"""
import numpy as np

from meshkit import Mesh

BOTTOM, SIDE, TOP = 3, 4, 7
LENS, GLASS, FAIRING, GREY, THROAT, NOZZLE = 0, 1, 2, 5, 6, 8

FACE_COUNTS = {0: 8, 1: 5, 2: 5, 3: 88, 4: 236, 5: 24, 6: 8, 7: 102, 8: 12}
VERTEX_COUNT = 679
TRIANGLES, QUADS = 310, 178
BOUNDS = ((-7.007342, 7.007342), (-1.274067, 4.252953), (-9.184702, 9.184702))

# Fuselage: z, top y, bottom y, half width.
PROFILE = np.array([
    (-9.18, -0.12, -0.12, 0.00),
    (-8.80, 0.10, -0.38, 0.20),
    (-8.20, 0.32, -0.62, 0.38),
    (-7.40, 0.55, -0.85, 0.54),
    (-6.50, 0.72, -1.00, 0.64),
    (-5.60, 0.82, -1.10, 0.70),
    (-4.50, 0.90, -1.16, 0.74),
    (-3.00, 0.95, -1.20, 0.78),
    (-1.00, 1.00, -1.24, 0.82),
    (1.50, 1.00, -1.27, 0.86),
    (3.50, 0.96, -1.20, 0.86),
    (5.00, 0.90, -1.05, 0.82),
    (6.50, 0.82, -0.85, 0.76),
    (7.60, 0.74, -0.66, 0.72),
    (8.30, 0.68, -0.55, 0.70),
]) * (1, 1, 1, 1.12)
FUSELAGE_INTERVALS = 15
SEGMENTS = 12
# Segment k runs from angle 15 + 30k to 45 + 30k degrees, measured from the top.
SEGMENT_MATS = [TOP, SIDE, SIDE, SIDE, BOTTOM, BOTTOM, BOTTOM, SIDE, SIDE, SIDE, TOP, TOP]


def section(z):
    top = np.interp(z, PROFILE[:, 0], PROFILE[:, 1])
    bottom = np.interp(z, PROFILE[:, 0], PROFILE[:, 2])
    half = np.interp(z, PROFILE[:, 0], PROFILE[:, 3])
    return (top + bottom) / 2, (top - bottom) / 2, half


def surface_point(z, phi_deg, power=0.75):
    yc, hh, w = section(z)
    s, c = np.sin(np.radians(phi_deg)), np.cos(np.radians(phi_deg))
    return np.array([w * np.sign(s) * abs(s) ** power, yc + hh * np.sign(c) * abs(c) ** power, z])


def build_fuselage(m):
    z0, z1 = PROFILE[0, 0], PROFILE[-1, 0]
    t = np.linspace(0, 1, FUSELAGE_INTERVALS + 2)[1:]
    zs = z0 + (z1 - z0) * (0.55 * t + 0.45 * t ** 1.6)
    rings = [m.points([surface_point(z, 15 + 30 * k) for k in range(SEGMENTS)]) for z in zs]
    yc0 = section(z0)[0]
    tip = m.point((0, yc0, z0))
    m.fan(rings[0], tip, SEGMENT_MATS, (0, yc0, z0 + 1), 'fuselage', True)
    for a, b, z in zip(rings, rings[1:], zs):
        m.strip(a, b, SEGMENT_MATS, (0, section(z)[0], z), 'fuselage', True)
    yc1 = section(z1)[0]
    centre = m.point((0, yc1, z1))
    m.fan(rings[-1], centre, [GREY] * SEGMENTS, (0, yc1, z1 - 1), 'tailcap', True)
    return yc1


def build_intake(m, side):
    stations = [(-3.4, 1.40, 1.28), (-2.3, 1.42, 1.30), (-0.6, 1.40, 1.28), (1.4, 1.25, 1.15), (3.4, 0.80, 0.78)]
    inner = 0.70
    rings = []
    for z, outer, outer_corner in stations:
        prof = [(inner, 0.32), (outer_corner, 0.28), (outer, -0.22), (outer_corner, -0.72), (inner, -0.78)]
        rings.append(m.points([(side * x, y, z) for x, y in prof]))
    mats = [TOP, SIDE, SIDE, BOTTOM]
    duct_centre = np.array([side * 1.0, -0.23, 0.0])
    for a, b, (z, _, _) in zip(rings, rings[1:], stations):
        m.strip(a, b, mats, (side * 0.5, -0.23, z), 'intake%d' % side, False)
    mouth_z = stations[0][0]
    mouth = [m.positions[i] for i in rings[0]]
    centre = np.array([side * 1.05, -0.23, mouth_z])
    inset = m.points([centre + (p - centre) * 0.68 + (0, 0, 0.35) for p in mouth])

    def lip_inside(k):
        mid = (mouth[k] + mouth[k + 1]) / 2
        return mid + (mid - duct_centre - (0, 0, mid[2])) * 1.0

    m.strip(rings[0], inset, [GREY] * 4, lip_inside, 'lip%d' % side, False)
    back = centre + (0, 0, 1.5)
    m.face((inset[0], inset[1], inset[2], inset[3]), THROAT, back, 'throat')
    m.face((inset[0], inset[3], inset[4]), THROAT, back, 'throat')


def airfoil(x, z_le, chord, y, thickness):
    t = thickness * chord
    return [(x, y, z_le), (x, y + 0.6 * t, z_le + 0.25 * chord), (x, y + 0.45 * t, z_le + 0.6 * chord),
            (x, y, z_le + chord), (x, y - 0.4 * t, z_le + 0.4 * chord)]


# Wing and tailplane planforms: root and tip span, leading edge and chord (design units).
WING = dict(x0=0.55, x1=6.75, le0=-1.9, le1=1.45, c0=4.5, c1=1.7)
TAIL = dict(x0=0.35, x1=3.05, le0=6.2, le1=7.75, c0=2.5, c1=1.15)


def planform(p, ax):
    """Span fraction, leading edge and chord of a planform at distance |x| from the centre line."""
    f = (abs(ax) - p['x0']) / (p['x1'] - p['x0'])
    return f, p['le0'] + f * (p['le1'] - p['le0']), p['c0'] + f * (p['c1'] - p['c0'])


def build_wing(m, side):
    x0, x1 = WING['x0'], WING['x1']
    rings, centres = [], []
    for f in (0.0, 0.36, 0.7, 1.0):
        x = x0 + f * (x1 - x0)
        _, z_le, chord = planform(WING, x)
        y = 0.58 + f * (0.30 - 0.58)
        pts = airfoil(side * x, z_le, chord, y, 0.11 + f * (0.08 - 0.11))
        rings.append(m.points(pts))
        centres.append(np.mean(pts, axis=0))
    mats = [TOP, TOP, TOP, BOTTOM, BOTTOM]
    for a, b, c0, c1 in zip(rings, rings[1:], centres, centres[1:]):
        m.strip(a, b, mats, (c0 + c1) / 2, 'wing%d' % side, True)
    tip, c = rings[-1], centres[-1]
    inside = c - (side * 0.5, 0, 0)
    m.face((tip[0], tip[1], tip[2], tip[3]), SIDE, inside, 'wingtip')
    m.face((tip[3], tip[4], tip[0]), SIDE, inside, 'wingtip')
    tip_x = side * x1
    z_mid, y_mid = c[2], c[1]
    base = m.points([(tip_x, y_mid, z_mid - 0.35), (tip_x, y_mid + 0.05, z_mid),
                     (tip_x, y_mid, z_mid + 0.35), (tip_x, y_mid - 0.05, z_mid)])
    apex = m.point((tip_x + side * 0.22, y_mid, z_mid))
    m.fan(base, apex, [LENS] * 4, (tip_x, y_mid, z_mid), 'lens%d' % side, True)


def build_tailplane(m, side):
    x0, x1 = TAIL['x0'], TAIL['x1']
    rings, centres = [], []
    for f in (0.0, 0.5, 1.0):
        x = x0 + f * (x1 - x0)
        _, z_le, chord = planform(TAIL, x)
        y = 0.45 + f * 0.1
        t = 0.09 * chord
        pts = [(side * x, y, z_le), (side * x, y + 0.45 * t, z_le + 0.4 * chord),
               (side * x, y, z_le + chord), (side * x, y - 0.45 * t, z_le + 0.4 * chord)]
        rings.append(m.points(pts))
        centres.append(np.mean(pts, axis=0))
    for a, b, c0, c1 in zip(rings, rings[1:], centres, centres[1:]):
        m.strip(a, b, [TOP, TOP, BOTTOM, BOTTOM], (c0 + c1) / 2, 'tail%d' % side, True)
    m.face(rings[-1], SIDE, centres[-1] - (side * 0.5, 0, 0), 'tailtip')


def build_fin(m):
    rings, centres = [], []
    for f in (0.0, 0.3, 0.6, 0.85, 1.0):
        y = 0.45 + f * (4.25 - 0.45)
        z_le = 4.24 + f * (7.7 - 4.24)
        z_te = 8.81 + f * (9.18 - 8.81)
        chord = z_te - z_le
        t = (0.1 + f * (0.08 - 0.1)) * chord
        pts = [(0, y, z_le), (-t / 2, y, z_le + 0.4 * chord), (0, y, z_te), (t / 2, y, z_le + 0.4 * chord)]
        rings.append(m.points(pts))
        centres.append(np.mean(pts, axis=0))
    for a, b, c0, c1 in zip(rings, rings[1:], centres, centres[1:]):
        m.strip(a, b, [SIDE] * 4, (c0 + c1) / 2, 'fin', True)
    m.face(rings[-1], TOP, centres[-1] - (0, 0.5, 0), 'fintip')


def build_canopy(m):
    sill = 66.0
    za, zb, zc = -5.9, -2.7, -0.5
    ring_a = m.points([surface_point(za, a) + (0, 0.01, 0) for a in np.linspace(-sill, sill, 6)])
    right = surface_point(zb, sill)
    top = 1.95
    ring_b = []
    for psi in np.radians([180, 144, 108, 72, 36, 0]):
        x = right[0] * np.cos(psi)
        y = right[1] + (top - right[1]) * np.sin(psi)
        ring_b.append(m.point((x, y, zb)))
    c0, c1 = m.point((-0.18, 0.95, zc)), m.point((0.18, 0.95, zc))
    inside = (0, 0.7, -3.0)
    m.strip(ring_a, ring_b, [GLASS] * 5, inside, 'canopy', False)
    b = ring_b
    m.face((b[0], b[1], c0), FAIRING, inside, 'canopy')
    m.face((b[1], b[2], c0), FAIRING, inside, 'canopy')
    m.face((b[2], b[3], c1, c0), FAIRING, inside, 'canopy')
    m.face((b[3], b[4], c1), FAIRING, inside, 'canopy')
    m.face((b[4], b[5], c1), FAIRING, inside, 'canopy')


def build_nozzle(m, side, yc):
    cx = side * 0.38
    angles = np.radians(np.arange(6) * 60 + 30)
    front = m.points([(cx + 0.34 * np.cos(a), yc + 0.34 * np.sin(a), 7.9) for a in angles])
    back = m.points([(cx + 0.31 * np.cos(a), yc + 0.31 * np.sin(a), 8.75) for a in angles])
    m.strip(front, back, [NOZZLE] * 6, (cx, yc, 8.3), 'nozzle%d' % side, True)
    inside = (cx, yc, 7.5)
    m.face((back[0], back[1], back[2], back[3]), THROAT, inside, 'throat')
    m.face((back[0], back[3], back[4], back[5]), THROAT, inside, 'throat')


def build_strake(m, side):
    for offset, facing in ((-0.015, -1), (0.015, 1)):
        x = side * 0.5 + offset
        pts = [(x, section(5.8)[0] - section(5.8)[1] + 0.05, 5.8),
               (x, section(7.6)[0] - section(7.6)[1] + 0.05, 7.6),
               (x, section(7.4)[0] - section(7.4)[1] - 0.32, 7.4)]
        m.face(m.points(pts), GREY, (x - facing * 1.0, -0.8, 6.9), 'strake')


def file_frame(m):
    """Per-axis scale and offset that map design units onto the exact bounding box the program
    documents: file = design * scale + offset."""
    p = np.array(m.positions)
    (_, bx), (by0, by1), (bz0, bz1) = BOUNDS
    ymin, ymax = p[:, 1].min(), p[:, 1].max()
    zmin, zmax = p[:, 2].min(), p[:, 2].max()
    scale = np.array([bx / np.abs(p[:, 0]).max(), (by1 - by0) / (ymax - ymin), (bz1 - bz0) / (zmax - zmin)])
    offset = np.array([0.0, by0 - ymin * scale[1], bz0 - zmin * scale[2]])
    return scale, offset


def split_to_counts(m):
    """Triangulates the most bent quads of each textured material until its face count is reached."""
    for mat, target in FACE_COUNTS.items():
        have = sum(1 for f in m.faces if f['mat'] == mat)
        need = target - have
        if need <= 0:
            continue
        quads = [i for i, f in enumerate(m.faces) if f['mat'] == mat and len(f['idx']) == 4]
        if need > len(quads):
            raise ValueError('material %d: %d quads cannot give %d more faces' % (mat, len(quads), need))
        chosen = sorted(quads, key=lambda i: (-round(m.non_planarity(i), 6), i))[:need]
        for i in sorted(chosen, reverse=True):
            m.triangulate(i)


def build_design():
    m = Mesh()
    yc_tail = build_fuselage(m)
    for side in (1, -1):
        build_intake(m, side)
        build_wing(m, side)
        build_tailplane(m, side)
        build_nozzle(m, side, yc_tail)
        build_strake(m, side)
    build_fin(m)
    build_canopy(m)
    return m


def build():
    m = build_design()
    scale, offset = file_frame(m)
    m.transformed(lambda q: q * scale + offset)
    split_to_counts(m)
    return m
