"""The T-4 heading pictures are drawn from the same model lines and texture pictures as the 3D show."""
import os

import numpy as np
from PIL import Image

import raster
import t4_export
import t4_model as t4
import t4_paint

# Untextured materials as the sprites show them: albedo, specular strength, shininess.
FLAT = {
    t4.LENS: ((0.95, 0.95, 0.92), 0.6, 30),
    t4.GLASS: ((0.20, 0.28, 0.46), 1.1, 28),
    t4.FAIRING: ((0.31, 0.31, 0.31), 0.3, 20),
    t4.GREY: ((0.36, 0.33, 0.33), 0.2, 12),
    t4.THROAT: ((0.05, 0.05, 0.05), 0.0, 1),
    t4.NOZZLE: ((0.24, 0.23, 0.24), 0.5, 20),
}
TEXTURED = {t4.BOTTOM: 0, t4.SIDE: 1, t4.TOP: 2}


def load_textures(texture_dir, scheme='blue'):
    return [np.asarray(Image.open(os.path.join(texture_dir, n)).convert('RGB'), dtype=float) / 255
            for n in t4_paint.FILES[scheme]]


def sample(img, uv):
    """Bilinear lookup with v running down the picture."""
    h, w = img.shape[:2]
    x = np.clip(uv[:, 0] * w - 0.5, 0, w - 1)
    y = np.clip(uv[:, 1] * h - 0.5, 0, h - 1)
    x0, y0 = np.floor(x).astype(int), np.floor(y).astype(int)
    x1, y1 = np.minimum(x0 + 1, w - 1), np.minimum(y0 + 1, h - 1)
    fx, fy = (x - x0)[:, None], (y - y0)[:, None]
    top = img[y0, x0] * (1 - fx) + img[y0, x1] * fx
    bottom = img[y1, x0] * (1 - fx) + img[y1, x1] * fx
    return top * (1 - fy) + bottom * fy


def triangles():
    lists = t4_export.build_lists()
    pos, nrm, uvs, mats = [], [], [], []
    for fi, f in enumerate(lists.faces):
        normals = [lists.normals[i] for i in lists.face_normals[fi]]
        for k in range(1, len(f) - 1):
            sel = (0, k, k + 1)
            pos.append([lists.position(f[s]) for s in sel])
            nrm.append([normals[s] for s in sel])
            uvs.append([lists.uv(f[s]) for s in sel])
            mats.append(lists.materials[fi])
    return raster.Triangles(pos, nrm, uvs, mats)


def surface_for(textures):
    def surface(mats, pos, nrm, uv):
        albedo = np.zeros((len(mats), 3))
        specular = np.full(len(mats), 0.25)
        shine = np.full(len(mats), 18.0)
        for mat, slot in TEXTURED.items():
            sel = mats == mat
            albedo[sel] = sample(textures[slot], uv[sel])
        for mat, (colour, s, p) in FLAT.items():
            sel = mats == mat
            albedo[sel] = colour
            specular[sel] = s
            shine[sel] = p
        return albedo, specular, shine
    return surface
