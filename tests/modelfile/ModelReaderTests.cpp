// Our own reader of the model file against Assimp's reading of the same file: the same
// parts, materials and triangles, corner for corner.
#include "ModelFile.h"
#include "ModelMeshLoader.h"
#include "ModelMeshReader.h"
#include "WorkFiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>

namespace {

bool Near(const float* a, const float* b, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        if (std::fabs(a[i] - b[i]) > 1e-5f)
            return false;
    }
    return true;
}

bool SameCorner(const MeshVertex& a, const MeshVertex& b)
{
    return Near(a.Position.data(), b.Position.data(), 3) && Near(a.Normal.data(), b.Normal.data(), 3) &&
           Near(a.Uv.data(), b.Uv.data(), 2);
}

// The same triangle, starting at any of its corners but turning the same way.
bool SameTriangle(const MeshGeometry& a, const unsigned* ta, const MeshGeometry& b, const unsigned* tb)
{
    for (int shift = 0; shift < 3; ++shift) {
        bool same = true;
        for (int c = 0; c < 3 && same; ++c)
            same = SameCorner(a.Vertices[ta[c]], b.Vertices[tb[(c + shift) % 3]]);
        if (same)
            return true;
    }
    return false;
}

}  // namespace

TEST(ModelReader, ReadsTheWrittenFileAsAssimpDoes)
{
    for (const int16_t kind : {200, 201}) {
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString();
        ASSERT_TRUE(WriteModelFile(kind, folder, "/opt/kestrova saver/bin"));
        QFile file(QString::fromStdString(ModelFilePath(folder)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();

        Mesh assimp, ours;
        QString assimpError;
        std::string error;
        ASSERT_TRUE(LoadModelMesh(file.fileName(), assimp, assimpError)) << assimpError.toStdString();
        ASSERT_TRUE(ReadModelMesh(std::string_view(text.constData(), static_cast<size_t>(text.size())), ours, error))
            << error;

        ASSERT_EQ(ours.Materials.size(), assimp.Materials.size());
        ASSERT_EQ(ours.Geometry->PartIndices.size(), assimp.Geometry->PartIndices.size());
        for (size_t p = 0; p < ours.Materials.size(); ++p) {
            const MeshMaterial& a = assimp.Materials[p];
            const MeshMaterial& o = ours.Materials[p];
            EXPECT_TRUE(Near(o.Colour.data(), a.Colour.data(), 4)) << p;
            EXPECT_TRUE(Near(o.Specular.data(), a.Specular.data(), 3)) << p;
            EXPECT_FLOAT_EQ(o.Power, a.Power) << p;
            EXPECT_EQ(o.TexturePath, a.TexturePath) << p;

            const auto& ta = assimp.Geometry->PartIndices[p];
            const auto& to = ours.Geometry->PartIndices[p];
            ASSERT_EQ(to.size(), ta.size()) << p;
            int different = 0;
            for (size_t t = 0; t < to.size(); t += 3)
                different += !SameTriangle(*ours.Geometry, &to[t], *assimp.Geometry, &ta[t]);
            EXPECT_EQ(different, 0) << "part " << p << " of kind " << kind;
        }
    }
}
