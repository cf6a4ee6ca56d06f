// The model lines go into a text mesh file exactly as the 3D show lays it out, and the mesh
// loader the show uses must read that file back with its nine materials and three pictures.

#include "ModelLines.h"
#include "ModelMeshReader.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <algorithm>
#include <array>
#include <map>

namespace {

const char* const FaceColours[9] = {
    " 1.000000;1.000000;1.000000;1.000000;;", " 0.300000;0.300000;0.800000;1.000000;;",
    " 0.310734;0.305085;0.305085;1.000000;;", " 0.900000;0.900000;0.900000;1.000000;;",
    " 0.900000;0.900000;0.900000;1.000000;;", " 0.355932;0.333333;0.333333;1.000000;;",
    " 0.000000;0.000000;0.000000;1.000000;;", " 0.900000;0.900000;0.900000;1.000000;;",
    " 0.209040;0.203390;0.209040;1.000000;;"};
const char* const SpecularColours[9] = {
    " 1.000000;1.000000;1.000000;;", " 0.0; 0.0; 0.0;;", " 0.305085;0.305085;0.305085;;",
    " 1.000000;1.000000;1.000000;;", " 1.000000;1.000000;1.000000;;", " 0.200000;0.200000;0.200000;;",
    " 0.000000;0.000000;0.000000;;", " 1.000000;1.000000;1.000000;;", " 0.141243;0.152542;0.158192;;"};
const float DiffuseBlue[9] = {1.0f, 0.8f, 0.305085f, 0.9f, 0.9f, 0.333333f, 0.0f, 0.9f, 0.20904f};
const std::map<int, const char*> Pictures{{3, "t4bttm.bmp"}, {4, "t4right_1.bmp"}, {7, "t4top.bmp"}};

// The program's folder in the texture lines, as a Windows-style path with its backslashes doubled.
const char* const EscapedFolder = "C:\\\\Saver";

QByteArray ModelFileText(const ModelLines& lines)
{
    QList<QByteArray> out{"xof 0302txt 0032Header {", " 1;", " 0;", " 1;", "}", "", "Mesh bmerge1 {", " 679;"};
    auto append = [&out](const QStringList& list) {
        for (const QString& line : list)
            out << line.toLatin1();
    };
    append(lines.Vertices);
    out << "" << " 488;";
    append(lines.Faces);
    out << "" << " MeshMaterialList {" << "  9;" << "  488;";
    append(lines.MaterialIndices);
    for (int m = 0; m < 9; ++m) {
        out << "Material {" << FaceColours[m] << " 50.000000;" << SpecularColours[m] << " 0.0; 0.0; 0.0;;";
        if (Pictures.count(m))
            out << " TextureFilename {" << QByteArray("  \"") + EscapedFolder + "\\\\" + Pictures.at(m) + "\"; " << " }";
        out << " }";
    }
    out << "}" << " MeshNormals {" << "  1642;";
    append(lines.Normals);
    out << "" << "488;";
    append(lines.FaceNormals);
    out << "}" << " MeshTextureCoords { " << " 679;";
    append(lines.TexCoords);
    out << " }" << "}";
    return out.join("\r\n") + "\r\n";
}

QString LastPathPart(const std::string& path)
{
    const QString s = QString::fromStdString(path);
    return s.mid(std::max(s.lastIndexOf(QLatin1Char('/')), s.lastIndexOf(QLatin1Char('\\'))) + 1);
}

}  // namespace

TEST(ModelLinesLoad, TheMeshLoaderReadsTheLinesWithTheirMaterialsAndPictures)
{
    const ModelLines lines = ReadAllModelLines();
    const ModelData data = ParseModelLines(lines);
    ASSERT_TRUE(data.Problems.isEmpty());
    const QByteArray text = ModelFileText(lines);
    Mesh mesh;
    std::string error;
    ASSERT_TRUE(ReadModelMesh(std::string_view(text.constData(), size_t(text.size())), mesh, error)) << error;
    // Every material has faces, so the parts are the materials in order.
    ASSERT_EQ(mesh.Materials.size(), 9u);

    // Triangles per material: the loader cuts each quadrilateral in two.
    std::map<unsigned, unsigned> expected, loaded;
    for (size_t f = 0; f < data.Faces.size(); ++f)
        expected[unsigned(data.Materials[f])] += unsigned(data.Faces[f].size()) - 2;
    for (unsigned p = 0; p < mesh.Geometry->PartIndices.size(); ++p)
        loaded[p] += unsigned(mesh.Geometry->PartIndices[p].size() / 3);
    std::array<float, 3> lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
    for (const MeshVertex& v : mesh.Geometry->Vertices) {
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], v.Position[k]);
            hi[k] = std::max(hi[k], v.Position[k]);
        }
        EXPECT_TRUE(v.Uv[0] >= 0.0f && v.Uv[0] <= 1.0f && v.Uv[1] >= 0.0f && v.Uv[1] <= 1.0f);
    }
    EXPECT_EQ(loaded, expected);
    EXPECT_NEAR(lo[0], -7.007342f, 1e-5f);
    EXPECT_NEAR(hi[0], 7.007342f, 1e-5f);
    EXPECT_NEAR(lo[1], -1.274067f, 1e-5f);
    EXPECT_NEAR(hi[1], 4.252953f, 1e-5f);
    EXPECT_NEAR(lo[2], -9.184702f, 1e-5f);
    EXPECT_NEAR(hi[2], 9.184702f, 1e-5f);

    for (unsigned m = 0; m < 9; ++m) {
        const MeshMaterial& material = mesh.Materials[m];
        EXPECT_NEAR(material.Colour[2], DiffuseBlue[m], 1e-5f) << "material " << m;
        const bool textured = !material.TexturePath.empty();
        EXPECT_EQ(textured, Pictures.count(int(m)) == 1) << "material " << m;
        if (textured) {
            EXPECT_EQ(LastPathPart(material.TexturePath), QString::fromLatin1(Pictures.at(int(m))));
        }
    }
}
