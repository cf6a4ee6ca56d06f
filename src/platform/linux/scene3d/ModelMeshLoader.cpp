#include "ModelMeshLoader.h"

#include "MeshTextCheck.h"
#include "TexturePath.h"

#include <QFile>

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

namespace {

constexpr qsizetype SignatureLength = 16;

// The loader skips the rest of the signature's line, which in our file holds the
// header's opening brace; a line break after the signature keeps the header intact.
QByteArray WithBreakAfterSignature(QByteArray data)
{
    if (data.size() >= SignatureLength)
        data.insert(SignatureLength, "\n");
    return data;
}

// The importer hands the file's left-handed data over right-handed (z negated, winding
// reversed); the scene is left-handed, so both are undone here. Its V flip is kept: the
// renderer stores pictures bottom row first.
void AppendMesh(const aiMesh& source, MeshGeometry& geometry, std::vector<unsigned>& indices)
{
    const auto first = static_cast<unsigned>(geometry.Vertices.size());
    for (unsigned v = 0; v < source.mNumVertices; ++v) {
        MeshVertex vertex;
        const aiVector3D& p = source.mVertices[v];
        vertex.Position = {p.x, p.y, -p.z};
        if (source.HasNormals()) {
            const aiVector3D& n = source.mNormals[v];
            vertex.Normal = {n.x, n.y, -n.z};
        }
        if (source.HasTextureCoords(0)) {
            const aiVector3D& t = source.mTextureCoords[0][v];
            vertex.Uv = {t.x, t.y};
        }
        geometry.Vertices.push_back(vertex);
    }
    for (unsigned f = 0; f < source.mNumFaces; ++f) {
        const aiFace& face = source.mFaces[f];
        if (face.mNumIndices != 3)
            continue;  // points and lines sorted out by SortByPType
        indices.push_back(first + face.mIndices[0]);
        indices.push_back(first + face.mIndices[2]);
        indices.push_back(first + face.mIndices[1]);
    }
}

bool FaceIndicesValid(const aiMesh& mesh)
{
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        for (unsigned i = 0; i < face.mNumIndices; ++i) {
            if (face.mIndices[i] >= mesh.mNumVertices)
                return false;
        }
    }
    return true;
}

MeshMaterial ReadMaterial(const aiMaterial& source)
{
    MeshMaterial material;
    aiColor4D diffuse(1, 1, 1, 1);
    if (source.Get(AI_MATKEY_COLOR_DIFFUSE, diffuse) == AI_SUCCESS)
        material.Colour = {diffuse.r, diffuse.g, diffuse.b, diffuse.a};
    float opacity = 1;
    if (source.Get(AI_MATKEY_OPACITY, opacity) == AI_SUCCESS)
        material.Colour[3] = opacity;
    aiColor3D specular(0, 0, 0);
    if (source.Get(AI_MATKEY_COLOR_SPECULAR, specular) == AI_SUCCESS)
        material.Specular = {specular.r, specular.g, specular.b};
    source.Get(AI_MATKEY_SHININESS, material.Power);
    aiString texture;
    if (source.GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS)
        material.TexturePath = ResolveTexturePath(texture.C_Str());
    return material;
}

}  // namespace

bool LoadModelMesh(const QString& path, Mesh& mesh, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    const QByteArray data = WithBreakAfterSignature(file.readAll());
    if (!MeshIndicesInRange(std::string_view(data.constData(), static_cast<size_t>(data.size())))) {
        error = QStringLiteral("a face of %1 names a vertex or normal that does not exist").arg(path);
        return false;
    }

    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(
        data.constData(), static_cast<size_t>(data.size()),
        aiProcess_Triangulate | aiProcess_JoinIdenticalVertices | aiProcess_SortByPType, "x");
    if (!scene || !scene->mRootNode) {
        error = QString::fromLocal8Bit(importer.GetErrorString());
        return false;
    }

    auto geometry = std::make_shared<MeshGeometry>();
    std::vector<MeshMaterial> materials;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh& source = *scene->mMeshes[m];
        if (!FaceIndicesValid(source)) {
            error = QStringLiteral("a face of %1 names a vertex that does not exist").arg(path);
            return false;
        }
        if (source.mMaterialIndex >= scene->mNumMaterials)
            continue;
        std::vector<unsigned> indices;
        AppendMesh(source, *geometry, indices);
        if (indices.empty())
            continue;
        geometry->PartIndices.push_back(std::move(indices));
        materials.push_back(ReadMaterial(*scene->mMaterials[source.mMaterialIndex]));
    }
    if (geometry->PartIndices.empty()) {
        error = QStringLiteral("%1 holds no faces").arg(path);
        return false;
    }
    mesh.Geometry = std::move(geometry);
    mesh.Materials = std::move(materials);
    return true;
}
