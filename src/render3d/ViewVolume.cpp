#include "ViewVolume.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// Rounding room: the GPU transforms in single precision, this in double.
constexpr double PlaneSlack = 1e-4;
constexpr int PixelMargin = 2;

}  // namespace

ViewVolume::ViewVolume(int width, int height, double back) : width_(width), height_(height)
{
    const double front = 1.0;
    const double larger = std::max(width, height);
    sx_ = 2.0 * larger / width;
    sy_ = 2.0 * larger / height;
    a_ = (back + front) / (back - front);
    b_ = -2.0 * back * front / (back - front);
}

void ViewVolume::ClipMatrix(float (&columns)[16]) const
{
    const float m[16] = {float(sx_), 0, 0, 0, 0, float(sy_), 0, 0, 0, 0, float(a_), 1, 0, 0, float(b_), 0};
    std::copy(std::begin(m), std::end(m), std::begin(columns));
}

ViewVolume::Sight ViewVolume::See(const LocalBounds& bounds, const Affine& modelView) const
{
    if (!(bounds.Min.X <= bounds.Max.X))
        return {true, {}};  // no vertices
    // Per plane of the volume (x < -w, x > w, y < -w, y > w, z < -w, z > w): whether every corner lies beyond it.
    bool beyond[6] = {true, true, true, true, true, true};
    bool behindEye = false;
    double left = INFINITY, right = -INFINITY, bottom = INFINITY, top = -INFINITY;
    double farthest = -INFINITY;
    for (int corner = 0; corner < 8; ++corner) {
        const Vec3 local{corner & 1 ? bounds.Max.X : bounds.Min.X, corner & 2 ? bounds.Max.Y : bounds.Min.Y,
                         corner & 4 ? bounds.Max.Z : bounds.Min.Z};
        const Vec3 v = Apply(modelView, local);
        const double x = sx_ * v.X, y = sy_ * v.Y, z = a_ * v.Z + b_, w = v.Z;
        farthest = std::max(farthest, w);
        const double slack = PlaneSlack * (std::abs(w) + 1.0);
        const double clip[3] = {x, y, z};
        for (int axis = 0; axis < 3; ++axis) {
            beyond[2 * axis] = beyond[2 * axis] && clip[axis] < -w - slack;
            beyond[2 * axis + 1] = beyond[2 * axis + 1] && clip[axis] > w + slack;
        }
        if (w <= PlaneSlack) {
            behindEye = true;
            continue;
        }
        left = std::min(left, x / w);
        right = std::max(right, x / w);
        bottom = std::min(bottom, y / w);
        top = std::max(top, y / w);
    }
    Sight sight;
    sight.Farthest = farthest;
    for (bool b : beyond)
        sight.Outside = sight.Outside || b;
    if (sight.Outside)
        return sight;
    if (behindEye) {
        sight.Box = {0, 0, width_, height_};
        return sight;
    }
    // Normalised device coordinates to pixels; clamped first, so no conversion overflows.
    const auto pixel = [](double ndc, int size) { return (std::clamp(ndc, -2.0, 2.0) + 1.0) * 0.5 * size; };
    const PixelBox box{int(std::floor(pixel(left, width_))) - PixelMargin,
                       int(std::floor(pixel(bottom, height_))) - PixelMargin,
                       int(std::ceil(pixel(right, width_))) + PixelMargin,
                       int(std::ceil(pixel(top, height_))) + PixelMargin};
    sight.Box = Clamped(box, width_, height_);
    return sight;
}
