#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

struct MeshVertex {
    std::array<float, 3> Position{};
    std::array<float, 3> Normal{};
    std::array<float, 2> Uv{};
};

// Colours and texture of a group of faces. A mesh with alpha below 1 is drawn blended.
struct MeshMaterial {
    std::array<float, 4> Colour{1, 1, 1, 1};
    std::array<float, 3> Specular{0, 0, 0};
    float Power = 0;
    std::string TexturePath;  // UTF-8; empty: untextured
};

// Triangles sharing one material, as indices into the vertices.
struct MeshGeometry {
    std::vector<MeshVertex> Vertices;
    std::vector<std::vector<unsigned>> PartIndices;
};

// A visual: shared geometry with its own materials, one per part, so clones that only
// differ in colour share their vertices.
struct Mesh {
    std::shared_ptr<const MeshGeometry> Geometry;
    std::vector<MeshMaterial> Materials;

    Mesh Clone() const { return *this; }
    void SetColour(const std::array<float, 4>& rgba)
    {
        for (MeshMaterial& m : Materials)
            m.Colour = rgba;
    }
    bool Translucent() const
    {
        for (const MeshMaterial& m : Materials) {
            if (m.Colour[3] < 1.0f)
                return true;
        }
        return false;
    }
};
