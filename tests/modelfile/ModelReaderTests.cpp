// The model file read by the Linux show's loader against what the library loader it
// used before gave for the same file: the same parts, materials and triangles, corner for
// corner. Those triangles are kept as digests taken while both loaders were built in.
#include "ModelFile.h"
#include "ModelMeshLoader.h"
#include "WorkFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <cstdint>

namespace {

// The triangles of a mesh as a number: each corner's values to a millionth (the file's
// own precision), each triangle begun at its least corner, parts and materials in order.
uint64_t Digest(const Mesh& mesh)
{
    uint64_t h = 1469598103934665603ull;
    const auto add = [&h](float value) {
        const long long q = std::llround(double(value) * 1e6);
        for (int b = 0; b < 8; ++b)
            h = (h ^ ((uint64_t(q) >> (8 * b)) & 0xff)) * 1099511628211ull;
    };
    const auto corner = [&mesh](unsigned i) {
        const MeshVertex& v = mesh.Geometry->Vertices[i];
        std::array<long long, 8> q{};
        const float values[8] = {v.Position[0], v.Position[1], v.Position[2], v.Normal[0],
                                 v.Normal[1],   v.Normal[2],   v.Uv[0],       v.Uv[1]};
        for (int k = 0; k < 8; ++k)
            q[k] = std::llround(double(values[k]) * 1e6);
        return q;
    };
    for (size_t p = 0; p < mesh.Materials.size(); ++p) {
        const MeshMaterial& m = mesh.Materials[p];
        for (float c : m.Colour)
            add(c);
        for (float c : m.Specular)
            add(c);
        add(m.Power);
        for (char c : m.TexturePath)
            add(float(c));
        const auto& part = mesh.Geometry->PartIndices[p];
        for (size_t t = 0; t + 2 < part.size(); t += 3) {
            int first = 0;
            for (int c = 1; c < 3; ++c) {
                if (corner(part[t + c]) < corner(part[t + first]))
                    first = c;
            }
            for (int c = 0; c < 3; ++c) {
                const MeshVertex& v = mesh.Geometry->Vertices[part[t + (first + c) % 3]];
                for (float x : v.Position)
                    add(x);
                for (float x : v.Normal)
                    add(x);
                for (float x : v.Uv)
                    add(x);
            }
        }
    }
    return h;
}

}  // namespace

TEST(ModelReader, ReadsTheWrittenFileAsTheLibraryLoaderDid)
{
    for (const auto& [kind, digest] : {std::pair<int16_t, uint64_t>{200, 0x5b0213c44c1c39ffull},
                                       std::pair<int16_t, uint64_t>{201, 0x7569d1fae8c0be3bull}}) {
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString();
        ASSERT_TRUE(WriteModelFile(kind, folder, "/opt/kestrova saver/bin"));
        Mesh mesh;
        QString error;
        ASSERT_TRUE(LoadModelMesh(QString::fromStdString(ModelFilePath(folder)), mesh, error)) << error.toStdString();
        EXPECT_EQ(Digest(mesh), digest) << "the triangles or materials of kind " << kind << " differ";
    }
}
