"""The T-4's two paint schemes, painted onto the three texture pictures the model file names.

Each picture is a planar projection of the model (see t4_export.texcoord), so the paint is
written as a function of design coordinates: (x, z) seen from above or below, (z, y) from the side.
"""
import numpy as np

import t4_model as t4

WHITE = np.array([0.95, 0.96, 0.97])
BLUE = np.array([0.06, 0.25, 0.66])
DEEP_BLUE = np.array([0.03, 0.13, 0.42])
ORANGE = np.array([0.93, 0.33, 0.10])
PANEL = 0.82          # brightness of panel lines

TOP_SIZE, SIDE_SIZE = (512, 512), (1024, 256)


def _mix(base, colour, mask):
    return np.where(mask[..., None], colour, base)


def _band(value, lo, hi):
    return (value >= lo) & (value < hi)


def _wing_fields(x, z):
    fw, le, chord = t4.planform(t4.WING, x)
    return fw, (z - le) / chord


def _panel_lines(img, x, z, px):
    """Hinge lines of flaps, ailerons and elevators, one texel wide."""
    fw, fc = _wing_fields(x, z)
    on_wing = (np.abs(x) > 0.9) & (fw <= 1.0)
    hinge = on_wing & (np.abs(fc - 0.76) < px / 2.5) & (fw > 0.08)
    split = on_wing & (np.abs(fw - 0.55) < px / 6) & (fc > 0.76)
    ft, lt, ct = t4.planform(t4.TAIL, x)
    elevator = (np.abs(x) > 0.8) & (ft <= 1.0) & (np.abs((z - lt) / ct - 0.65) < px / 2.0)
    lines = hinge | split | elevator
    return np.where(lines[..., None], img * PANEL, img)


def paint_top(x, z, scheme, px):
    fw, fc = _wing_fields(x, z)
    ft, lt, ct = t4.planform(t4.TAIL, x)
    fuselage = np.abs(x) < 1.05
    if scheme == 'blue':
        img = np.broadcast_to(BLUE, x.shape + (3,)).copy()
        start = 0.58 - 0.5 * fw
        img = _mix(img, WHITE, ~fuselage & _band(fc, start, start + 0.28) & (fw < 0.93))
        img = _mix(img, WHITE, (np.abs(x) < 0.2) & (z > -0.6))
        img = _mix(img, WHITE, (np.abs(x) > 0.8) & _band((z - lt) / ct, 0.25, 0.5) & (ft < 0.8))
        img = _mix(img, DEEP_BLUE, ~fuselage & (fw > 0.93))
    else:
        img = np.broadcast_to(WHITE, x.shape + (3,)).copy()
        img = _mix(img, ORANGE, ~fuselage & (fw > 0.8))
        img = _mix(img, ORANGE, ~fuselage & _band(fc, -0.1, 0.12) & (fw > 0.35))
        img = _mix(img, ORANGE, (np.abs(x) > 0.8) & (ft > 0.7) & (z > 5.5))
        img = _mix(img, ORANGE, (np.abs(x) < 0.16) & (z > -0.6))
        img = _mix(img, ORANGE, z < -7.6)
    return _panel_lines(img, x, z, px)


def paint_bottom(x, z, scheme, px):
    fw, fc = _wing_fields(x, z)
    fuselage = np.abs(x) < 1.05
    img = np.broadcast_to(WHITE, x.shape + (3,)).copy()
    if scheme == 'blue':
        img = _mix(img, BLUE, ~fuselage & _band(fc, 0.2, 0.45) & (fw < 1.01))
        img = _mix(img, BLUE, fuselage & _band(np.abs(x), 0.25, 0.5) & (z > -7.5))
        img = _mix(img, BLUE, z < -7.8)
    else:
        img = _mix(img, ORANGE, ~fuselage & (fw > 0.8))
        img = _mix(img, ORANGE, z < -7.6)
    return _panel_lines(img, x, z, px)


def paint_side(z, y, scheme, px):
    yc = np.interp(z, t4.PROFILE[:, 0], (t4.PROFILE[:, 1] + t4.PROFILE[:, 2]) / 2)
    top = np.interp(z, t4.PROFILE[:, 0], t4.PROFILE[:, 1])
    fin = y > top + 0.05
    if scheme == 'blue':
        img = np.broadcast_to(WHITE, z.shape + (3,)).copy()
        img = _mix(img, BLUE, y > yc + 0.18)
        img = _mix(img, WHITE, np.abs(y - (yc + 0.18)) < 0.06)
        slant = y - 1.2 * (z - 6.4)
        img = _mix(img, WHITE, fin & _band(slant, 1.9, 2.5))
    else:
        img = np.broadcast_to(WHITE, z.shape + (3,)).copy()
        img = _mix(img, ORANGE, np.abs(y - (yc + 0.1)) < 0.12)
        img = _mix(img, ORANGE, fin & (y > 3.2))
        img = _mix(img, ORANGE, z < -7.6)
    return img


def _design_grid(size, axes):
    """Design coordinates of every texel centre of a picture, from the texture projection."""
    scale, offset = t4.file_frame(t4.build_design())
    w, h = size
    u = (np.arange(w) + 0.5) / w
    v = (np.arange(h) + 0.5) / h
    uu, vv = np.meshgrid(u, v)
    (x0, x1), (y0, y1), (z0, z1) = t4.BOUNDS
    file_z_top = z0 + vv * (z1 - z0)
    if axes == 'top':
        fx = x1 - uu * (x1 - x0)
        return (fx - offset[0]) / scale[0], (file_z_top - offset[2]) / scale[2], scale
    if axes == 'bottom':
        fx = x0 + uu * (x1 - x0)
        return (fx - offset[0]) / scale[0], (file_z_top - offset[2]) / scale[2], scale
    fz = z1 - uu * (z1 - z0)
    fy = y1 - vv * (y1 - y0)
    return (fz - offset[2]) / scale[2], (fy - offset[1]) / scale[1], scale


def pictures(scheme):
    """The three pictures of one scheme as float RGB arrays: bottom, side, top."""
    x, z, scale = _design_grid(TOP_SIZE, 'bottom')
    texel = (t4.BOUNDS[2][1] - t4.BOUNDS[2][0]) / TOP_SIZE[1] / scale[2]
    bottom = paint_bottom(x, z, scheme, texel)
    x, z, _ = _design_grid(TOP_SIZE, 'top')
    top = paint_top(x, z, scheme, texel)
    zs, ys, _ = _design_grid(SIDE_SIZE, 'side')
    side = paint_side(zs, ys, scheme, texel)
    return bottom, side, top


FILES = {'blue': ('t4bttm.bmp', 't4right_1.bmp', 't4top.bmp'),
         'red': ('t4bttm_r.bmp', 't4right_1_r.bmp', 't4top_r.bmp')}
