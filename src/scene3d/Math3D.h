#pragma once

#include <array>
#include <cmath>

// Vectors and affine transforms of the scene, in the left-handed, y-up convention with
// row vectors: a point p of a frame maps to its parent as p * Linear + Translation.
// Double precision, so that thousands of incremental rotations do not drift visibly.

constexpr double Pi = 3.14159265358979;

constexpr double Radians(double degrees)
{
    return degrees * Pi / 180.0;
}

struct Vec3 {
    double X = 0, Y = 0, Z = 0;

    Vec3 operator+(const Vec3& o) const { return {X + o.X, Y + o.Y, Z + o.Z}; }
    Vec3 operator-(const Vec3& o) const { return {X - o.X, Y - o.Y, Z - o.Z}; }
    Vec3 operator*(double s) const { return {X * s, Y * s, Z * s}; }
    bool operator==(const Vec3&) const = default;
};

inline double Dot(const Vec3& a, const Vec3& b)
{
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

inline Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

inline double Length(const Vec3& v)
{
    return std::sqrt(Dot(v, v));
}

// Unit vector along v; the zero vector stays zero.
inline Vec3 Normalized(const Vec3& v)
{
    const double len = Length(v);
    return len > 0 ? v * (1.0 / len) : Vec3{};
}

// Rows are the images of the x, y and z axes.
struct Mat3 {
    std::array<Vec3, 3> Row{Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}};

    static Mat3 Scale(double x, double y, double z) { return {{Vec3{x, 0, 0}, Vec3{0, y, 0}, Vec3{0, 0, z}}}; }
};

// Row vector times matrix.
inline Vec3 operator*(const Vec3& v, const Mat3& m)
{
    return m.Row[0] * v.X + m.Row[1] * v.Y + m.Row[2] * v.Z;
}

// a then b.
inline Mat3 operator*(const Mat3& a, const Mat3& b)
{
    return {{a.Row[0] * b, a.Row[1] * b, a.Row[2] * b}};
}

inline double Determinant(const Mat3& m)
{
    return Dot(m.Row[0], Cross(m.Row[1], m.Row[2]));
}

// Inverse; false (and m unchanged in out) when m is singular.
inline bool Inverse(const Mat3& m, Mat3& out)
{
    const double det = Determinant(m);
    if (std::fabs(det) < 1e-12)
        return false;
    const Vec3 c0 = Cross(m.Row[1], m.Row[2]) * (1.0 / det);
    const Vec3 c1 = Cross(m.Row[2], m.Row[0]) * (1.0 / det);
    const Vec3 c2 = Cross(m.Row[0], m.Row[1]) * (1.0 / det);
    // The inverse's columns are these vectors.
    out = {{Vec3{c0.X, c1.X, c2.X}, Vec3{c0.Y, c1.Y, c2.Y}, Vec3{c0.Z, c1.Z, c2.Z}}};
    return true;
}

// Rotation by angle (radians) about axis, turning clockwise when looking from the
// axis' tip toward the origin, as in every left-handed system.
inline Mat3 RotationAbout(const Vec3& axis, double angle)
{
    const Vec3 n = Normalized(axis);
    const double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    return {{Vec3{t * n.X * n.X + c, t * n.X * n.Y + s * n.Z, t * n.X * n.Z - s * n.Y},
             Vec3{t * n.X * n.Y - s * n.Z, t * n.Y * n.Y + c, t * n.Y * n.Z + s * n.X},
             Vec3{t * n.X * n.Z + s * n.Y, t * n.Y * n.Z - s * n.X, t * n.Z * n.Z + c}}};
}

struct Affine {
    Mat3 Linear;
    Vec3 Translation;
};

inline Vec3 Apply(const Affine& a, const Vec3& p)
{
    return p * a.Linear + a.Translation;
}

// a then b: maps through a first, then through b.
inline Affine operator*(const Affine& a, const Affine& b)
{
    return {a.Linear * b.Linear, Apply(b, a.Translation)};
}

inline bool Inverse(const Affine& a, Affine& out)
{
    Mat3 inv;
    if (!Inverse(a.Linear, inv))
        return false;
    out = {inv, (a.Translation * -1.0) * inv};
    return true;
}
