#include "ModelMeshReader.h"

#include "Math3D.h"
#include "MeshTokens.h"
#include "TexturePath.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <cmath>
#include <optional>
#include <vector>

namespace {

using Polygon = std::vector<unsigned>;

struct Reading {
    std::vector<std::array<float, 3>> Positions;
    std::vector<Polygon> Faces;
    std::vector<unsigned> FaceMaterials;
    std::vector<MeshMaterial> Materials;
    std::vector<std::array<float, 3>> Normals;
    std::vector<Polygon> FaceNormals;
    std::vector<std::array<float, 2>> Uvs;
};

class Parser {
public:
    explicit Parser(std::string_view text) : tokens_(text) {}

    bool Read(Reading& r)
    {
        // Everything before the mesh is the header.
        for (std::string_view t = tokens_.Next(); t != "Mesh"; t = tokens_.Next()) {
            if (t.empty())
                return false;
        }
        if (!Open(true) || !Points(r.Positions) || !Polygons(r.Faces))
            return false;
        for (std::string_view t = tokens_.Next(); t != "}"; t = tokens_.Next()) {
            if (t == "MeshMaterialList") {
                if (!MaterialList(r))
                    return false;
            } else if (t == "MeshNormals") {
                if (!Open(false) || !Points(r.Normals) || !Polygons(r.FaceNormals) || tokens_.Next() != "}")
                    return false;
            } else if (t == "MeshTextureCoords") {
                if (!Open(false) || !TexCoords(r.Uvs) || tokens_.Next() != "}")
                    return false;
            } else {
                return false;
            }
        }
        return true;
    }

private:
    // "{", after an optional name.
    bool Open(bool named)
    {
        std::string_view t = tokens_.Next();
        if (named && t != "{")
            t = tokens_.Next();
        return t == "{";
    }

    // A decimal number, its whole part and its fraction (at most 15 places counted) added
    // in single precision. That is how the Linux show's earlier loader read the file, up
    // to a unit in the last place from the nearest float for some of its numbers, and the
    // frames were drawn with those values: the aircraft's corners stay where they were.
    std::optional<float> Number()
    {
        static constexpr double Places[] = {0.0, 0.1, 0.01, 0.001, 0.0001, 1e-05, 1e-06, 1e-07, 1e-08,
                                            1e-09, 1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15};
        const std::string_view t = tokens_.Next();
        size_t at = 0;
        const bool negative = at < t.size() && t[at] == '-';
        if (at < t.size() && (t[at] == '-' || t[at] == '+'))
            ++at;
        const auto digit = [&t](size_t i) { return i < t.size() && t[i] >= '0' && t[i] <= '9'; };
        if (!digit(at) && !(at < t.size() && t[at] == '.' && digit(at + 1)))
            return std::nullopt;
        uint64_t whole = 0;
        for (int counted = 0; digit(at); ++at) {
            if (++counted > 18)
                return std::nullopt;
            whole = whole * 10 + uint64_t(t[at] - '0');
        }
        float value = static_cast<float>(whole);
        if (at < t.size() && t[at] == '.') {
            ++at;
            uint64_t fraction = 0;
            size_t places = 0;
            for (; digit(at); ++at) {
                if (places < std::size(Places) - 1) {
                    fraction = fraction * 10 + uint64_t(t[at] - '0');
                    ++places;
                }
            }
            value += static_cast<float>(static_cast<double>(fraction) * Places[places]);
        }
        if (at != t.size())
            return std::nullopt;
        return negative ? -value : value;
    }

    bool Floats(float* out, size_t count)
    {
        for (size_t i = 0; i < count; ++i) {
            const auto value = Number();
            if (!value)
                return false;
            out[i] = *value;
        }
        return true;
    }

    bool Points(std::vector<std::array<float, 3>>& points)
    {
        const long count = tokens_.Count();
        if (count < 0)
            return false;
        points.resize(static_cast<size_t>(count));
        for (auto& p : points) {
            if (!Floats(p.data(), 3))
                return false;
        }
        return true;
    }

    bool TexCoords(std::vector<std::array<float, 2>>& uvs)
    {
        const long count = tokens_.Count();
        if (count < 0)
            return false;
        uvs.resize(static_cast<size_t>(count));
        for (auto& uv : uvs) {
            if (!Floats(uv.data(), 2))
                return false;
        }
        return true;
    }

    bool Polygons(std::vector<Polygon>& polygons)
    {
        const long count = tokens_.Count();
        if (count < 0)
            return false;
        polygons.resize(static_cast<size_t>(count));
        for (Polygon& polygon : polygons) {
            const long corners = tokens_.Count();
            if (corners < 3)
                return false;
            for (long c = 0; c < corners; ++c) {
                const long index = tokens_.Count();
                if (index < 0)
                    return false;
                polygon.push_back(static_cast<unsigned>(index));
            }
        }
        return true;
    }

    bool MaterialList(Reading& r)
    {
        if (!Open(false))
            return false;
        const long materials = tokens_.Count();
        const long faces = tokens_.Count();
        if (materials < 0 || faces < 0)
            return false;
        for (long f = 0; f < faces; ++f) {
            const long index = tokens_.Count();
            if (index < 0 || index >= materials)
                return false;
            r.FaceMaterials.push_back(static_cast<unsigned>(index));
        }
        for (long m = 0; m < materials; ++m) {
            if (tokens_.Next() != "Material" || !Open(true) || !Material(r.Materials.emplace_back()))
                return false;
        }
        return tokens_.Next() == "}";
    }

    // Face colour RGBA, power, specular RGB, emissive RGB, an optional texture name.
    bool Material(MeshMaterial& m)
    {
        std::array<float, 3> emissive{};
        if (!Floats(m.Colour.data(), 4) || !Floats(&m.Power, 1) || !Floats(m.Specular.data(), 3) ||
            !Floats(emissive.data(), 3))
            return false;
        for (std::string_view t = tokens_.Next(); t != "}"; t = tokens_.Next()) {
            if (t != "TextureFilename" || !Open(true))
                return false;
            const std::string_view quoted = tokens_.Next();
            if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"' || tokens_.Next() != "}")
                return false;
            m.TexturePath = ResolveTexturePath(Unescaped(quoted.substr(1, quoted.size() - 2)));
        }
        return true;
    }

    // The file doubles every backslash of a name.
    static std::string Unescaped(std::string_view text)
    {
        std::string name;
        for (size_t i = 0; i < text.size(); ++i) {
            name += text[i];
            if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\')
                ++i;
        }
        return name;
    }

    Tokens tokens_;
};

// A quadrilateral has at most one concave corner; the cut starts from it, so both
// triangles lie inside the outline. The corners are taken in reverse, the first concave
// one found starts, and a convex quadrilateral is cut from its last corner. A triangle
// starts from its last corner too: which corner starts decides the last bit of some
// pixels, and the Linux show's frames were drawn so before this reader was its own.
// Other polygons are cut into a fan from their first corner. Corners are positions in
// the polygon.
std::vector<std::array<unsigned, 3>> Triangles(const Polygon& face, const std::vector<std::array<float, 3>>& points)
{
    std::vector<std::array<unsigned, 3>> triangles;
    const auto n = static_cast<unsigned>(face.size());
    if (n == 3)
        return {{2, 0, 1}};
    if (n != 4) {
        for (unsigned c = 1; c + 1 < n; ++c)
            triangles.push_back({0, c, c + 1});
        return triangles;
    }
    const auto corner = [](unsigned k) { return 3 - k % 4; };  // k-th corner in reverse
    const auto toward = [&](unsigned from, unsigned to) {
        const auto& a = points[face[from]];
        const auto& b = points[face[to]];
        std::array<float, 3> d{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        for (float& x : d)
            x = length > 0 ? x / length : 0;
        return d;
    };
    const auto dot = [](const std::array<float, 3>& a, const std::array<float, 3>& b) {
        return std::clamp(a[0] * b[0] + a[1] * b[1] + a[2] * b[2], -1.0f, 1.0f);
    };
    unsigned start = 0;
    for (unsigned i = 0; i < 4; ++i) {
        const unsigned v = corner(i);
        const auto left = toward(v, corner(i + 3));
        const auto diagonal = toward(v, corner(i + 2));
        const auto right = toward(v, corner(i + 1));
        if (std::acos(dot(left, diagonal)) + std::acos(dot(right, diagonal)) > static_cast<float>(Pi)) {
            start = i;
            break;
        }
    }
    // Each triangle turns as the file's polygon does.
    triangles.push_back({corner(start), corner(start + 2), corner(start + 1)});
    triangles.push_back({corner(start), corner(start + 3), corner(start + 2)});
    return triangles;
}

bool IndicesFit(const Reading& r)
{
    if (r.FaceMaterials.size() != r.Faces.size() || r.FaceNormals.size() != r.Faces.size())
        return false;
    for (size_t f = 0; f < r.Faces.size(); ++f) {
        if (r.FaceNormals[f].size() != r.Faces[f].size())
            return false;
        for (size_t c = 0; c < r.Faces[f].size(); ++c) {
            if (r.Faces[f][c] >= r.Positions.size() || r.Faces[f][c] >= r.Uvs.size() ||
                r.FaceNormals[f][c] >= r.Normals.size())
                return false;
        }
    }
    return true;
}

}  // namespace

bool ReadModelMesh(std::string_view text, Mesh& mesh, std::string& error)
{
    Reading r;
    if (!Parser(text).Read(r)) {
        error = "the model file is not a text mesh this program wrote";
        return false;
    }
    if (!IndicesFit(r)) {
        error = "a face of the model file names a vertex, normal or material that does not exist";
        return false;
    }
    auto geometry = std::make_shared<MeshGeometry>();
    std::vector<MeshMaterial> materials;
    for (unsigned m = 0; m < r.Materials.size(); ++m) {
        std::vector<unsigned> indices;
        for (size_t f = 0; f < r.Faces.size(); ++f) {
            if (r.FaceMaterials[f] != m)
                continue;
            const Polygon& face = r.Faces[f];
            const auto first = static_cast<unsigned>(geometry->Vertices.size());
            for (size_t c = 0; c < face.size(); ++c) {
                const auto& uv = r.Uvs[face[c]];
                geometry->Vertices.push_back({r.Positions[face[c]], r.Normals[r.FaceNormals[f][c]], {uv[0], 1 - uv[1]}});
            }
            for (const std::array<unsigned, 3>& triangle : Triangles(face, r.Positions)) {
                for (const unsigned c : triangle)
                    indices.push_back(first + c);
            }
        }
        if (indices.empty())
            continue;
        geometry->PartIndices.push_back(std::move(indices));
        materials.push_back(r.Materials[m]);
    }
    if (geometry->PartIndices.empty()) {
        error = "the model file holds no faces";
        return false;
    }
    mesh.Geometry = std::move(geometry);
    mesh.Materials = std::move(materials);
    return true;
}
