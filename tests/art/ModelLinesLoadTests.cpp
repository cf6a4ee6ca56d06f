// The model lines go into a text mesh file exactly as the 3D show lays it out, and the mesh
// loader the show uses must read that file back with its nine materials and three pictures.

#include "ModelLines.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <QByteArray>

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

// The loader skips the rest of the first line, which holds "Header {": break it after the
// 16-character signature.
const aiScene* Load(Assimp::Importer& importer, QByteArray text)
{
    text.insert(16, '\n');
    return importer.ReadFileFromMemory(text.constData(), size_t(text.size()),
                                       aiProcess_Triangulate | aiProcess_JoinIdenticalVertices |
                                           aiProcess_SortByPType,
                                       "x");
}

QString LastPathPart(const aiString& path)
{
    const QString s = QString::fromUtf8(path.C_Str());
    return s.mid(std::max(s.lastIndexOf(QLatin1Char('/')), s.lastIndexOf(QLatin1Char('\\'))) + 1);
}

}  // namespace

TEST(ModelLinesLoad, TheMeshLoaderReadsTheLinesWithTheirMaterialsAndPictures)
{
    const ModelLines lines = ReadAllModelLines();
    const ModelData data = ParseModelLines(lines);
    ASSERT_TRUE(data.Problems.isEmpty());
    Assimp::Importer importer;
    const aiScene* scene = Load(importer, ModelFileText(lines));
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    ASSERT_GE(scene->mNumMaterials, 9u);

    // Triangles per material: the loader splits the mesh by material and each quadrilateral in two.
    std::map<unsigned, unsigned> expected, loaded;
    for (size_t f = 0; f < data.Faces.size(); ++f)
        expected[unsigned(data.Materials[f])] += unsigned(data.Faces[f].size()) - 2;
    aiVector3D lo(1e9f, 1e9f, 1e9f), hi(-1e9f, -1e9f, -1e9f);
    for (unsigned i = 0; i < scene->mNumMeshes; ++i) {
        const aiMesh* mesh = scene->mMeshes[i];
        EXPECT_EQ(mesh->mPrimitiveTypes & ~unsigned(aiPrimitiveType_NGONEncodingFlag), unsigned(aiPrimitiveType_TRIANGLE));
        loaded[mesh->mMaterialIndex] += mesh->mNumFaces;
        ASSERT_TRUE(mesh->HasTextureCoords(0));
        for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
            const aiVector3D p = mesh->mVertices[v], t = mesh->mTextureCoords[0][v];
            lo = aiVector3D(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
            hi = aiVector3D(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
            EXPECT_TRUE(t.x >= 0.0f && t.x <= 1.0f && t.y >= 0.0f && t.y <= 1.0f);
        }
    }
    EXPECT_EQ(loaded, expected);
    EXPECT_NEAR(lo.x, -7.007342f, 1e-5f);
    EXPECT_NEAR(hi.x, 7.007342f, 1e-5f);
    EXPECT_NEAR(lo.y, -1.274067f, 1e-5f);
    EXPECT_NEAR(hi.y, 4.252953f, 1e-5f);
    EXPECT_NEAR(lo.z, -9.184702f, 1e-5f);
    EXPECT_NEAR(hi.z, 9.184702f, 1e-5f);

    for (unsigned m = 0; m < 9; ++m) {
        const aiMaterial* material = scene->mMaterials[m];
        aiColor4D diffuse;
        ASSERT_EQ(material->Get(AI_MATKEY_COLOR_DIFFUSE, diffuse), aiReturn_SUCCESS);
        EXPECT_NEAR(diffuse.b, DiffuseBlue[m], 1e-5f) << "material " << m;
        aiString texture;
        const bool textured = material->GetTexture(aiTextureType_DIFFUSE, 0, &texture) == aiReturn_SUCCESS;
        EXPECT_EQ(textured, Pictures.count(int(m)) == 1) << "material " << m;
        if (textured) {
            EXPECT_EQ(LastPathPart(texture), QString::fromLatin1(Pictures.at(int(m))));
        }
    }
}
