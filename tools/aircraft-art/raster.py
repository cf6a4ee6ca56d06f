"""A small supersampled software renderer for the heading pictures.

The aircraft is seen from straight above (orthographic), lit from the upper left of the picture
with ambient, diffuse and specular light. Each output pixel is either the key colour or the mean
colour of the aircraft samples inside it, decided by coverage, so no edge pixel is a blend with
the background and the picture keys cleanly on any background.
"""
import numpy as np

LIGHT = np.array([-0.55, 0.55, 0.63])
LIGHT = LIGHT / np.linalg.norm(LIGHT)
HALF = LIGHT + np.array([0.0, 0.0, 1.0])
HALF = HALF / np.linalg.norm(HALF)
AMBIENT, DIFFUSE = 0.42, 0.68
MIN_LEVEL = 14        # the darkest channel value an aircraft pixel may have: never the black key


def view_matrix(heading):
    """Model (x, y up, nose -z, +x left wing) to view (right, up, toward the viewer) for a heading
    counted clockwise from nose-up in 45 degree steps."""
    to_top = np.array([[-1.0, 0, 0], [0, 0, -1.0], [0, 1.0, 0]])
    t = np.radians(45.0 * heading)
    clockwise = np.array([[np.cos(t), np.sin(t), 0], [-np.sin(t), np.cos(t), 0], [0, 0, 1.0]])
    return clockwise @ to_top


class Triangles:
    """Flat arrays of triangles: corner positions and normals (model space), per-corner extra
    attributes (for instance texture coordinates) and a material number per triangle."""

    def __init__(self, positions, normals, attrs, materials):
        self.positions = np.asarray(positions, dtype=float)
        self.normals = np.asarray(normals, dtype=float)
        self.attrs = np.asarray(attrs, dtype=float)
        self.materials = np.asarray(materials, dtype=int)


def rasterise(tris, heading, size, pixels_per_unit, centre, ss):
    """Per-sample triangle index (-1 = empty) and barycentric weights at ss x ss samples per pixel."""
    m = view_matrix(heading)
    p = (tris.positions - centre) @ m.T
    n_s = size * ss
    k = pixels_per_unit * ss
    sx = n_s / 2 + p[..., 0] * k
    sy = n_s / 2 - p[..., 1] * k
    depth = p[..., 2]
    zbuf = np.full((n_s, n_s), -np.inf)
    tri_id = np.full((n_s, n_s), -1, dtype=np.int32)
    bary = np.zeros((n_s, n_s, 2))
    for t in range(len(p)):
        x, y, d = sx[t], sy[t], depth[t]
        area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0])
        if abs(area) < 1e-9:
            continue
        x0 = max(int(np.floor(x.min())), 0)
        x1 = min(int(np.ceil(x.max())), n_s - 1)
        y0 = max(int(np.floor(y.min())), 0)
        y1 = min(int(np.ceil(y.max())), n_s - 1)
        if x0 > x1 or y0 > y1:
            continue
        gx, gy = np.meshgrid(np.arange(x0, x1 + 1) + 0.5, np.arange(y0, y1 + 1) + 0.5)
        w1 = ((gx - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (gy - y[0])) / area
        w2 = ((x[1] - x[0]) * (gy - y[0]) - (gx - x[0]) * (y[1] - y[0])) / area
        w0 = 1 - w1 - w2
        eps = -1e-7
        inside = (w0 >= eps) & (w1 >= eps) & (w2 >= eps)
        z = w0 * d[0] + w1 * d[1] + w2 * d[2]
        region = zbuf[y0:y1 + 1, x0:x1 + 1]
        win = inside & (z > region)
        region[win] = z[win]
        tri_id[y0:y1 + 1, x0:x1 + 1][win] = t
        bary[y0:y1 + 1, x0:x1 + 1][win] = np.stack([w1[win], w2[win]], axis=-1)
    return tri_id, bary, m


def shade(tris, tri_id, bary, m, surface):
    """Colours of the covered samples. `surface(material, position, normal, attrs)` returns
    (albedo Nx3, specular strength N, shininess N) for model-space samples."""
    hit = tri_id >= 0
    ids = tri_id[hit]
    w1, w2 = bary[hit][:, 0], bary[hit][:, 1]
    w = np.stack([1 - w1 - w2, w1, w2], axis=-1)[..., None]

    def lerp(a):
        return (a[ids] * w).sum(axis=1)

    pos = lerp(tris.positions)
    nrm = lerp(tris.normals)
    nrm /= np.linalg.norm(nrm, axis=1, keepdims=True) + 1e-12
    attrs = lerp(tris.attrs) if tris.attrs.size else np.zeros((len(ids), 0))
    albedo, specular, shine = surface(tris.materials[ids], pos, nrm, attrs)
    vn = nrm @ m.T
    vn[vn[:, 2] < 0] *= -1.0           # a face seen from behind is lit as its front
    diffuse = np.clip(vn @ LIGHT, 0, 1)
    highlight = np.clip(vn @ HALF, 0, 1) ** shine
    colour = albedo * (AMBIENT + DIFFUSE * diffuse)[:, None] + (specular * highlight)[:, None]
    out = np.zeros(tri_id.shape + (3,))
    out[hit] = np.clip(colour, 0, 1)
    return out, hit


def resolve(colour, hit, ss, key):
    """Box-filters the samples to pixels without mixing in the background."""
    n = hit.shape[0] // ss
    h = hit.reshape(n, ss, n, ss).astype(float)
    c = colour.reshape(n, ss, n, ss, 3)
    cover = h.mean(axis=(1, 3))
    summed = (c * h[..., None]).sum(axis=(1, 3))
    mean = summed / np.maximum(h.sum(axis=(1, 3)), 1)[..., None]
    solid = cover >= 0.5
    rgb = np.clip(np.round(mean * 255), 0, 255).astype(np.uint8)
    rgb = np.maximum(rgb, MIN_LEVEL)
    out = np.empty((n, n, 3), dtype=np.uint8)
    out[:] = key
    out[solid] = rgb[solid]
    return seal_holes(out, key)


def seal_holes(img, key):
    """Key-coloured pixels that the background cannot reach from the picture's border would show
    as holes inside the aircraft: fill them with the mean of their aircraft neighbours."""
    is_key = np.all(img == np.array(key, dtype=np.uint8), axis=-1)
    reach = np.zeros_like(is_key)
    reach[0, :], reach[-1, :], reach[:, 0], reach[:, -1] = is_key[0, :], is_key[-1, :], is_key[:, 0], is_key[:, -1]
    while True:
        grown = reach.copy()
        grown[1:, :] |= reach[:-1, :]
        grown[:-1, :] |= reach[1:, :]
        grown[:, 1:] |= reach[:, :-1]
        grown[:, :-1] |= reach[:, 1:]
        grown &= is_key
        if (grown == reach).all():
            break
        reach = grown
    holes = is_key & ~reach
    if holes.any():
        solid = ~is_key
        acc = np.zeros(img.shape, dtype=float)
        cnt = np.zeros(img.shape[:2])
        for dy in (-1, 0, 1):
            for dx in (-1, 0, 1):
                s = np.roll(np.roll(solid, dy, 0), dx, 1)
                acc += np.roll(np.roll(img.astype(float), dy, 0), dx, 1) * s[..., None]
                cnt += s
        fill = np.maximum(np.round(acc / np.maximum(cnt, 1)[..., None]), MIN_LEVEL).astype(np.uint8)
        img[holes] = fill[holes]
    return img


def render(tris, surface, heading, size, pixels_per_unit, centre, ss=4, key=(0, 0, 0)):
    tri_id, bary, m = rasterise(tris, heading, size, pixels_per_unit, centre, ss)
    colour, hit = shade(tris, tri_id, bary, m, surface)
    return resolve(colour, hit, ss, key)
