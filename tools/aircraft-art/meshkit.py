"""Polygon meshes built from parts: positions, faces with a material, per-corner normals.

Coordinates follow the model file: y up, nose along -z, +x is the aircraft's left (port) side.
Every face is stored so that (v1 - v0) x (v2 - v0) points out of the part, which is the
clockwise-from-outside order of the left-handed model file.
"""
import numpy as np


class Mesh:
    def __init__(self):
        self.positions = []
        self.faces = []        # dicts: idx (tuple of position indices), mat, group

    def point(self, p):
        self.positions.append(np.asarray(p, dtype=float))
        return len(self.positions) - 1

    def points(self, ps):
        return [self.point(p) for p in ps]

    def face(self, idx, mat, inside, group):
        """Adds a face; `inside` is a point inside the part, used to turn the face outward."""
        idx = tuple(idx)
        pts = [self.positions[i] for i in idx]
        n = newell_normal(pts)
        centre = np.mean(pts, axis=0)
        if np.dot(n, centre - np.asarray(inside, dtype=float)) < 0:
            idx = (idx[0],) + tuple(reversed(idx[1:]))
        self.faces.append({'idx': idx, 'mat': mat, 'group': group})
        return len(self.faces) - 1

    def strip(self, ring_a, ring_b, mats, inside, group, closed):
        """Quads between two rings of equal length; mats[k] is the material of segment k."""
        n = len(ring_a)
        count = n if closed else n - 1
        made = []
        for k in range(count):
            k2 = (k + 1) % n
            centre = inside(k) if callable(inside) else inside
            made.append(self.face((ring_a[k], ring_a[k2], ring_b[k2], ring_b[k]), mats[k], centre, group))
        return made

    def fan(self, ring, tip, mats, inside, group, closed):
        n = len(ring)
        count = n if closed else n - 1
        return [self.face((tip, ring[k], ring[(k + 1) % n]), mats[k], inside, group) for k in range(count)]

    def triangulate(self, face_index):
        """Splits a quad along its shorter diagonal; the second triangle is appended after it."""
        f = self.faces[face_index]
        a, b, c, d = f['idx']
        p = self.positions
        if np.linalg.norm(p[a] - p[c]) <= np.linalg.norm(p[b] - p[d]):
            first, second = (a, b, c), (a, c, d)
        else:
            first, second = (a, b, d), (b, c, d)
        f['idx'] = first
        self.faces.insert(face_index + 1, {'idx': second, 'mat': f['mat'], 'group': f['group']})

    def non_planarity(self, face_index):
        idx = self.faces[face_index]['idx']
        pts = np.array([self.positions[i] for i in idx])
        n = newell_normal(pts)
        n /= np.linalg.norm(n) + 1e-12
        d = (pts - pts.mean(axis=0)) @ n
        size = np.linalg.norm(pts[0] - pts[2]) + np.linalg.norm(pts[1] - pts[3])
        return np.abs(d).max() / (size + 1e-12)

    def transformed(self, fn):
        for i, p in enumerate(self.positions):
            self.positions[i] = fn(p)

    def corner_normals(self, crease_deg=55.0):
        """One normal per face corner: the area-weighted mean of the normals of the faces of the same
        smoothing group that meet at that position and bend less than the crease angle."""
        p = self.positions
        face_n = []
        for f in self.faces:
            n = newell_normal([p[i] for i in f['idx']])
            face_n.append(n)
        unit = [n / (np.linalg.norm(n) + 1e-12) for n in face_n]
        by_key = {}
        for fi, f in enumerate(self.faces):
            for i in f['idx']:
                by_key.setdefault((f['group'], _pos_key(p[i])), []).append(fi)
        cos_crease = np.cos(np.radians(crease_deg))
        result = []
        for fi, f in enumerate(self.faces):
            corners = []
            for i in f['idx']:
                acc = np.zeros(3)
                for fj in by_key[(f['group'], _pos_key(p[i]))]:
                    if np.dot(unit[fi], unit[fj]) >= cos_crease:
                        acc += face_n[fj]
                corners.append(acc / (np.linalg.norm(acc) + 1e-12))
            result.append(corners)
        return result


def _pos_key(p):
    return tuple(np.round(p, 5))


def newell_normal(pts):
    n = np.zeros(3)
    m = len(pts)
    for k in range(m):
        a = pts[k]
        b = pts[(k + 1) % m]
        n[0] += (a[1] - b[1]) * (a[2] + b[2])
        n[1] += (a[2] - b[2]) * (a[0] + b[0])
        n[2] += (a[0] - b[0]) * (a[1] + b[1])
    # Newell's sum equals the cross product of the first two edges for a planar polygon,
    # and stays stable for slightly bent quads.
    return n
