#include "Math3D.h"
#include "ModelFile.h"
#include "ModelMeshLoader.h"
#include "WorkFiles.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>

namespace {

Vec3 At(const MeshGeometry& g, unsigned i)
{
    const auto& p = g.Vertices[i].Position;
    return {p[0], p[1], p[2]};
}

size_t TriangleCount(const Mesh& mesh)
{
    size_t count = 0;
    for (const auto& part : mesh.Geometry->PartIndices)
        count += part.size() / 3;
    return count;
}

bool WriteFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

}  // namespace

TEST(ModelLoad, TheWrittenFileLoadsWithNineMaterialsAndThreePictures)
{
    QTemporaryDir dir;
    const QString pictures = QStringLiteral("/opt/kestrova saver/bin");
    ASSERT_TRUE(WriteModelFile(201, dir.path().toStdString(), pictures.toStdString()));
    Mesh mesh;
    QString error;
    ASSERT_TRUE(LoadModelMesh(QString::fromStdString(ModelFilePath(dir.path().toStdString())), mesh, error)) << error.toStdString();

    ASSERT_EQ(mesh.Materials.size(), 9u);
    QStringList textures;
    for (const MeshMaterial& m : mesh.Materials) {
        if (!m.TexturePath.empty())
            textures << QString::fromStdString(m.TexturePath);
    }
    EXPECT_EQ(textures, (QStringList{pictures + QStringLiteral("/t4bttm_r.bmp"),
                                     pictures + QStringLiteral("/t4right_1_r.bmp"),
                                     pictures + QStringLiteral("/t4top_r.bmp")}));
    EXPECT_FLOAT_EQ(mesh.Materials[1].Colour[2], 0.8f);
    EXPECT_FLOAT_EQ(mesh.Materials[8].Specular[1], 0.152542f);
    EXPECT_FLOAT_EQ(mesh.Materials[0].Colour[3], 1.0f);
    // 310 triangles and 178 quadrilaterals.
    EXPECT_EQ(TriangleCount(mesh), 310u + 2 * 178u);
}

TEST(ModelLoad, KeepsTheFilesLeftHandedAxesAndFrontFaces)
{
    QTemporaryDir dir;
    ASSERT_TRUE(WriteModelFile(200, dir.path().toStdString(), dir.path().toStdString()));
    Mesh mesh;
    QString error;
    ASSERT_TRUE(LoadModelMesh(QString::fromStdString(ModelFilePath(dir.path().toStdString())), mesh, error)) << error.toStdString();
    const MeshGeometry& g = *mesh.Geometry;

    // The file's first vertex is the nose tip, at -z.
    bool nose = false;
    double minZ = 0, maxY = 0;
    for (unsigned i = 0; i < g.Vertices.size(); ++i) {
        const Vec3 p = At(g, i);
        nose |= std::fabs(p.X) < 1e-5 && std::fabs(p.Y + 0.152661) < 1e-5 && std::fabs(p.Z + 9.184702) < 1e-5;
        minZ = std::min(minZ, p.Z);
        maxY = std::max(maxY, p.Y);
    }
    EXPECT_TRUE(nose);
    EXPECT_NEAR(minZ, -9.184702, 1e-5);
    EXPECT_NEAR(maxY, 4.252953, 1e-5);

    // Front faces turn clockwise as seen from outside: their winding agrees with the
    // file's normals.
    size_t agree = 0, total = 0;
    for (const auto& part : g.PartIndices) {
        for (size_t t = 0; t + 2 < part.size(); t += 3) {
            const Vec3 a = At(g, part[t]), b = At(g, part[t + 1]), c = At(g, part[t + 2]);
            const auto& n = g.Vertices[part[t]].Normal;
            agree += Dot(Cross(b - a, c - a), Vec3{n[0], n[1], n[2]}) > 0;
            ++total;
        }
    }
    EXPECT_EQ(agree, total);
}

TEST(ModelLoad, AFaceNamingAMissingVertexOrNormalIsRejected)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/m.txt");
    const auto file = [](const char* face, const char* normalFace) {
        return QByteArray("xof 0302txt 0032Header {\r\n 1;\r\n 0;\r\n 1;\r\n}\r\n\r\nMesh m {\r\n 3;\r\n"
                          " 0.0;0.0;0.0;,\r\n 1.0;0.0;0.0;,\r\n 0.0;1.0;0.0;;\r\n\r\n 1;\r\n ") +
               face + ";;\r\n MeshMaterialList {\r\n 1;\r\n 1;\r\n 0;;\r\n Material {\r\n 1.0;1.0;1.0;1.0;;\r\n 50.0;\r\n"
                      " 0.0;0.0;0.0;;\r\n 0.0;0.0;0.0;;\r\n }\r\n }\r\n MeshNormals {\r\n 2;\r\n 0.0;0.0;1.0;,\r\n"
                      " 0.0;0.0;-1.0;;\r\n 1;\r\n " +
               normalFace +
               ";;\r\n }\r\n MeshTextureCoords {\r\n 3;\r\n 0.0;0.0;,\r\n 1.0;0.0;,\r\n 0.0;1.0;;\r\n }\r\n}\r\n";
    };
    Mesh mesh;
    QString error;
    ASSERT_TRUE(WriteFile(path, file("3;0,1,2", "3;0,0,1")));
    ASSERT_TRUE(LoadModelMesh(path, mesh, error)) << error.toStdString();
    EXPECT_EQ(mesh.Geometry->PartIndices.at(0).size(), 3u);

    for (const auto& [face, normals] : {std::pair{"3;0,1,3", "3;0,0,1"}, std::pair{"3;0,1,2", "3;0,0,2"}}) {
        ASSERT_TRUE(WriteFile(path, file(face, normals)));
        error.clear();
        EXPECT_FALSE(LoadModelMesh(path, mesh, error)) << face << " " << normals;
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_FALSE(LoadModelMesh(dir.path() + QStringLiteral("/none.txt"), mesh, error));
    ASSERT_TRUE(WriteFile(path, QByteArray()));
    EXPECT_FALSE(LoadModelMesh(path, mesh, error));
}
