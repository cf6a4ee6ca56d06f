#include "PuffMesh.h"

namespace {

struct PuffFace {
    std::array<std::array<float, 3>, 4> Corners;
    std::array<float, 3> Normal;
};

constexpr std::array<PuffFace, 4> Faces{{
    {{{{-0.5f, 0.5f, -0.5f}, {-0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, 0.5f}, {-0.5f, 0.5f, 0.5f}}}, {-1, 0, 0}},
    {{{{0.5f, 0.5f, -0.5f}, {-0.5f, 0.5f, -0.5f}, {-0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}}}, {0, 1, 0}},
    {{{{0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}, {0.5f, -0.5f, 0.5f}}}, {1, 0, 0}},
    {{{{-0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, 0.5f}, {-0.5f, -0.5f, 0.5f}}}, {0, -1, 0}},
}};

constexpr std::array<std::array<float, 2>, 4> FaceUvs{{{0, 0}, {0, 1}, {1, 1}, {1, 0}}};
constexpr std::array<float, 3> MeshScale{2, 2, 4};

}  // namespace

Mesh MakePuffMesh()
{
    auto geometry = std::make_shared<MeshGeometry>();
    geometry->PartIndices.resize(1);
    for (const PuffFace& face : Faces) {
        const auto first = static_cast<unsigned>(geometry->Vertices.size());
        for (size_t c = 0; c < 4; ++c) {
            MeshVertex v;
            for (size_t a = 0; a < 3; ++a)
                v.Position[a] = face.Corners[c][a] * MeshScale[a];
            v.Normal = face.Normal;
            v.Uv = FaceUvs[c];
            geometry->Vertices.push_back(v);
        }
        for (unsigned i : {0u, 1u, 2u, 0u, 2u, 3u})
            geometry->PartIndices[0].push_back(first + i);
    }
    Mesh mesh;
    mesh.Geometry = std::move(geometry);
    mesh.Materials.resize(1);
    mesh.SetColour({1, 1, 1, 0.8f});
    return mesh;
}
