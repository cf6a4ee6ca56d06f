"""Turns the T-4 parts into the model file's lists: vertices with one texture coordinate each,
faces, material indices, one normal per face corner, and the face-normal index lists."""
import numpy as np

import t4_model as t4

# The texture picture each textured material shows, and how the model is projected onto it.
PROJECTION = {t4.BOTTOM: 'bottom', t4.SIDE: 'side', t4.TOP: 'top'}


def texcoord(p, projection):
    """Planar projections onto the three pictures; v runs down the picture as the file expects."""
    (x0, x1), (y0, y1), (z0, z1) = t4.BOUNDS
    v_along = (p[2] - z0) / (z1 - z0)
    if projection == 'top':
        return (x1 - p[0]) / (x1 - x0), v_along
    if projection == 'bottom':
        return (p[0] - x0) / (x1 - x0), v_along
    return (z1 - p[2]) / (z1 - z0), (y1 - p[1]) / (y1 - y0)


class ModelLists:
    def __init__(self, mesh):
        self.mesh = mesh
        self.vertices = []      # (position index, projection)
        self.faces = []         # tuples of vertex indices
        self.materials = []
        normals = mesh.corner_normals()
        self.normals = [n for corners in normals for n in corners]
        self.face_normals = []
        lookup = {}
        first_of_position = {}
        next_normal = 0
        for f in mesh.faces:
            projection = PROJECTION.get(f['mat'])
            idx = []
            for pi in f['idx']:
                if projection is None and pi in first_of_position:
                    idx.append(first_of_position[pi])
                    continue
                key = (pi, projection or 'top')
                if key not in lookup:
                    lookup[key] = len(self.vertices)
                    self.vertices.append(key)
                    first_of_position.setdefault(pi, lookup[key])
                idx.append(lookup[key])
            self.faces.append(tuple(idx))
            self.materials.append(f['mat'])
            self.face_normals.append(tuple(range(next_normal, next_normal + len(idx))))
            next_normal += len(idx)

    def pad_vertices(self, target):
        """Gives faces of untextured parts their own copies of shared corners (hard seams where the
        parts meet) until the model has the vertex count the program carries."""
        uses = {}
        for fi, idx in enumerate(self.faces):
            for k, v in enumerate(idx):
                uses.setdefault(v, []).append((fi, k))
        for v in sorted(uses):
            own = [(fi, k) for fi, k in uses[v] if self.materials[fi] not in PROJECTION]
            keep_first = len(own) == len(uses[v])
            for fi, k in own[1:] if keep_first else own:
                if len(self.vertices) >= target:
                    return
                self.vertices.append(self.vertices[v])
                idx = list(self.faces[fi])
                idx[k] = len(self.vertices) - 1
                self.faces[fi] = tuple(idx)

    def position(self, v):
        return self.mesh.positions[self.vertices[v][0]]

    def uv(self, v):
        pi, projection = self.vertices[v]
        return texcoord(self.mesh.positions[pi], projection)


def build_lists():
    lists = ModelLists(t4.build())
    lists.pad_vertices(t4.VERTEX_COUNT)
    return lists


def number(x):
    text = '%.6f' % x
    return '0.000000' if text == '-0.000000' else text


def end_lines(lines):
    """Every line of a list ends in ';,' except the last, which ends in ';;'."""
    return [line + (';;' if i == len(lines) - 1 else ';,') for i, line in enumerate(lines)]


def text_lines(lists):
    n_v = len(lists.vertices)
    vertices = [' %s;%s;%s' % tuple(number(c) for c in lists.position(v)) for v in range(n_v)]
    faces = [' %d;%s' % (len(f), ','.join(str(i) for i in f)) for f in lists.faces]
    materials = ['  %d%s' % (m, ';' if i == len(lists.materials) - 1 else ',')
                 for i, m in enumerate(lists.materials)]
    normals = ['  %s;%s;%s' % tuple(number(c) for c in n) for n in lists.normals]
    face_normals = ['  %d;%s' % (len(f), ','.join(str(i) for i in f)) for f in lists.face_normals]
    texcoords = [' %s;%s' % tuple(number(np.clip(c, 0.0, 1.0)) for c in lists.uv(v)) for v in range(n_v)]
    return {
        't4_vertices.txt': end_lines(vertices),
        't4_faces.txt': end_lines(faces),
        't4_material_indices.txt': materials,
        't4_normals.txt': end_lines(normals),
        't4_face_normals.txt': end_lines(face_normals),
        't4_texcoords.txt': end_lines(texcoords),
    }


def check(lists):
    """Refuses to write a model that differs from the counts the program documents."""
    problems = []
    if len(lists.vertices) != t4.VERTEX_COUNT:
        problems.append('vertices %d' % len(lists.vertices))
    tris = sum(1 for f in lists.faces if len(f) == 3)
    quads = sum(1 for f in lists.faces if len(f) == 4)
    if (tris, quads) != (t4.TRIANGLES, t4.QUADS):
        problems.append('triangles %d quads %d' % (tris, quads))
    for mat, want in t4.FACE_COUNTS.items():
        have = lists.materials.count(mat)
        if have != want:
            problems.append('material %d: %d faces' % (mat, have))
    if len(lists.normals) != 3 * t4.TRIANGLES + 4 * t4.QUADS:
        problems.append('normals %d' % len(lists.normals))
    used = {v for f in lists.faces for v in f}
    if len(used) != len(lists.vertices):
        problems.append('%d vertices unused' % (len(lists.vertices) - len(used)))
    if problems:
        raise SystemExit('T-4 model does not match: ' + ', '.join(problems))
