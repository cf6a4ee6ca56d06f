"""Parts for the sprite-only aircraft: lofted fuselages, lifting surfaces, bubble canopies.

Same axes as the T-4 model: y up, nose along -z, +x the left wing. Units are metres.
"""
import numpy as np

import raster


def fuselage(m, stations, around, mat, group, power=1.0, nose_y=None):
    """Stations: (z, top y, bottom y, half width), nose first. The nose closes to a point; the
    last ring and its centre are returned so the caller can close the tail."""
    rings, centres = [], []
    for z, top, bottom, half in stations[1:]:
        yc, hh = (top + bottom) / 2, (top - bottom) / 2
        ring = []
        for k in range(around):
            a = 2 * np.pi * (k + 0.5) / around
            s, c = np.sin(a), np.cos(a)
            ring.append((half * np.sign(s) * abs(s) ** power, yc + hh * np.sign(c) * abs(c) ** power, z))
        rings.append(m.points(ring))
        centres.append(np.array([0.0, yc, z]))
    z0, top0, bottom0, _ = stations[0]
    tip = m.point((0, (top0 + bottom0) / 2 if nose_y is None else nose_y, z0))
    m.fan(rings[0], tip, [mat] * around, centres[0], group, True)
    for a, b, c0, c1 in zip(rings, rings[1:], centres, centres[1:]):
        m.strip(a, b, [mat] * around, (c0 + c1) / 2, group, True)
    return rings[-1], centres[-1]


def cap(m, ring, centre, mat, group, outward):
    c = m.point(centre)
    m.fan(ring, c, [mat] * len(ring), np.asarray(centre) - outward, group, True)


def airfoil(chord, thickness):
    """Chordwise position and thickness of a closed section, leading edge first, upper side."""
    upper = [(0.0, 0.0), (0.06, 0.55), (0.2, 0.92), (0.4, 1.0), (0.65, 0.72), (1.0, 0.0)]
    lower = [(0.65, -0.55), (0.4, -0.8), (0.2, -0.75), (0.06, -0.45)]
    return [(u * chord, v * thickness * chord / 2) for u, v in upper + lower]


def surface(m, origin, span_dir, thick_dir, stations, mat, group, section=airfoil):
    """A lifting surface. Stations: (distance along span_dir, leading-edge z, chord, t/c)."""
    origin, span_dir, thick_dir = (np.asarray(v, dtype=float) for v in (origin, span_dir, thick_dir))
    rings, centres = [], []
    for s, z_le, chord, tc in stations:
        base = origin + s * span_dir
        pts = [base + v * thick_dir + np.array([0, 0, z_le + u]) for u, v in section(chord, tc)]
        rings.append(m.points(pts))
        centres.append(np.mean(pts, axis=0))
    n = len(rings[0])
    for a, b, c0, c1 in zip(rings, rings[1:], centres, centres[1:]):
        m.strip(a, b, [mat] * n, (c0 + c1) / 2, group, True)
    tip = m.point(centres[-1])
    m.fan(rings[-1], tip, [mat] * n, centres[-1] - span_dir, group + 'tip', True)
    return rings


def wing(m, side, root_x, y, dihedral_deg, stations, mat, group, section=airfoil):
    g = np.radians(dihedral_deg)
    return surface(m, (side * root_x, y, 0), (side * np.cos(g), np.sin(g), 0), (-side * np.sin(g), np.cos(g), 0),
                   stations, mat, group + str(side), section)


def fin(m, x, y, cant_deg, stations, mat, group, section=airfoil):
    """A vertical surface, canted outward towards the side of x."""
    side = 1.0 if x >= 0 else -1.0
    c = np.radians(cant_deg)
    return surface(m, (x, y, 0), (side * np.sin(c), np.cos(c), 0), (side * np.cos(c), -np.sin(c), 0),
                   stations, mat, group + str(x), section)


def canopy(m, z0, z1, y_base, half_w, height, mat, group, rings=10, around=8, peak=0.45):
    """A bubble over the fuselage: half-ellipse arcs whose size follows a smooth bump along z."""
    made = []
    for i in range(1, rings):
        t = i / rings
        a = (t / peak) if t < peak else ((1 - t) / (1 - peak))
        f = np.sqrt(max(0.0, 1 - (1 - a) ** 2))
        z = z0 + t * (z1 - z0)
        pts = [(half_w * f * np.cos(p), y_base + height * f * np.sin(p), z) for p in np.linspace(np.pi, 0, around + 1)]
        made.append(m.points(pts))
    inside = (0, y_base - 0.2, (z0 + z1) / 2)
    front, back = m.point((0, y_base, z0)), m.point((0, y_base, z1))
    m.fan(made[0], front, [mat] * around, inside, group, False)
    for a, b in zip(made, made[1:]):
        m.strip(a, b, [mat] * around, inside, group, False)
    m.fan(made[-1], back, [mat] * around, inside, group, False)


def loft(m, profiles, mats, inside, group, closed):
    rings = [m.points(p) for p in profiles]
    for a, b in zip(rings, rings[1:]):
        m.strip(a, b, mats, inside, group, closed)
    return rings


def to_triangles(m, crease_deg=55.0):
    normals = m.corner_normals(crease_deg)
    pos, nrm, mats = [], [], []
    for fi, f in enumerate(m.faces):
        idx = f['idx']
        for k in range(1, len(idx) - 1):
            sel = (0, k, k + 1)
            pos.append([m.positions[idx[s]] for s in sel])
            nrm.append([normals[fi][s] for s in sel])
            mats.append(f['mat'])
    return raster.Triangles(pos, nrm, np.zeros((len(pos), 3, 0)), mats)


def framing(positions, size, fill):
    """Centre of the aircraft's nose-to-tail extent and the scale at which its largest extent in any
    of the eight headings takes `fill` of the cell."""
    p = np.asarray(positions).reshape(-1, 3)
    centre = np.array([0.0, 0.0, (p[:, 2].min() + p[:, 2].max()) / 2])
    extent = 0.0
    for heading in range(8):
        v = (p - centre) @ raster.view_matrix(heading).T
        extent = max(extent, 2 * np.abs(v[:, :2]).max())
    return centre, fill * size / extent
