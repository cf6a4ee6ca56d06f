#include "ModelFile.h"

#include "EmbeddedAssets.h"
#include "WorkFiles.h"

#include <QFile>

#include <array>

namespace {

// An embedded asset by that name, else a file.
QList<QByteArray> ReadLines(const QString& path, bool& ok)
{
    QByteArray text;
    const std::span<const unsigned char> embedded = EmbeddedAsset(path.toStdString());
    if (!embedded.empty()) {
        text = QByteArray(reinterpret_cast<const char*>(embedded.data()), static_cast<qsizetype>(embedded.size()));
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            ok = false;
            return {};
        }
        text = file.readAll();
    }
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

// Parses "<count>;<i>,<j>,...;" (after the leading blanks) and checks every index < limit.
bool IndexListInRange(const QByteArray& line, qsizetype limit)
{
    const QList<QByteArray> parts = line.trimmed().split(';');
    if (parts.size() < 3)
        return false;
    bool ok = false;
    const int count = parts[0].toInt(&ok);
    if (!ok || count < 3)
        return false;
    const QList<QByteArray> indices = parts[1].split(',');
    if (indices.size() != count)
        return false;
    for (const QByteArray& index : indices) {
        const long long value = index.toLongLong(&ok);
        if (!ok || value < 0 || value >= limit)
            return false;
    }
    return true;
}

struct MaterialBlock {
    const char* FaceColour;
    const char* Specular;
    int Picture;  // -1 none, else 0..2
};

constexpr std::array<MaterialBlock, ModelMaterialCount> Materials{{
    {" 1.000000;1.000000;1.000000;1.000000;;", " 1.000000;1.000000;1.000000;;", -1},
    {" 0.300000;0.300000;0.800000;1.000000;;", " 0.0; 0.0; 0.0;;", -1},
    {" 0.310734;0.305085;0.305085;1.000000;;", " 0.305085;0.305085;0.305085;;", -1},
    {" 0.900000;0.900000;0.900000;1.000000;;", " 1.000000;1.000000;1.000000;;", 0},
    {" 0.900000;0.900000;0.900000;1.000000;;", " 1.000000;1.000000;1.000000;;", 1},
    {" 0.355932;0.333333;0.333333;1.000000;;", " 0.200000;0.200000;0.200000;;", -1},
    {" 0.000000;0.000000;0.000000;1.000000;;", " 0.000000;0.000000;0.000000;;", -1},
    {" 0.900000;0.900000;0.900000;1.000000;;", " 1.000000;1.000000;1.000000;;", 2},
    {" 0.209040;0.203390;0.209040;1.000000;;", " 0.141243;0.152542;0.158192;;", -1},
}};

constexpr std::array<const char*, 3> Pictures{"t4bttm.bmp", "t4right_1.bmp", "t4top.bmp"};
constexpr std::array<const char*, 3> PicturesR{"t4bttm_r.bmp", "t4right_1_r.bmp", "t4top_r.bmp"};

class Printer {
public:
    void Line(const QByteArray& text) { out_ += text + "\r\n"; }
    void Line(const char* text) { out_ += text; out_ += "\r\n"; }
    void Lines(const QList<QByteArray>& lines)
    {
        for (const QByteArray& line : lines)
            Line(line);
    }
    void Count(const char* indent, qsizetype count) { Line(indent + QByteArray::number(count) + ';'); }
    QByteArray Take() { return std::move(out_); }

private:
    QByteArray out_;
};

}  // namespace

bool ReadModelLines(ModelLines& lines, const QString& prefix)
{
    bool ok = true;
    lines.Vertices = ReadLines(prefix + QStringLiteral("vertices.txt"), ok);
    lines.Faces = ReadLines(prefix + QStringLiteral("faces.txt"), ok);
    lines.MaterialIndices = ReadLines(prefix + QStringLiteral("material_indices.txt"), ok);
    lines.Normals = ReadLines(prefix + QStringLiteral("normals.txt"), ok);
    lines.FaceNormals = ReadLines(prefix + QStringLiteral("face_normals.txt"), ok);
    lines.TexCoords = ReadLines(prefix + QStringLiteral("texcoords.txt"), ok);
    return ok;
}

bool ModelLinesConsistent(const ModelLines& lines)
{
    const qsizetype faces = lines.Faces.size();
    if (lines.Vertices.isEmpty() || faces == 0 || lines.Normals.isEmpty() ||
        lines.TexCoords.size() != lines.Vertices.size() || lines.MaterialIndices.size() != faces ||
        lines.FaceNormals.size() != faces)
        return false;
    for (qsizetype f = 0; f < faces; ++f) {
        if (!IndexListInRange(lines.Faces[f], lines.Vertices.size()) ||
            !IndexListInRange(lines.FaceNormals[f], lines.Normals.size()))
            return false;
        // Each face needs as many normals as it has corners.
        if (lines.Faces[f].trimmed().split(';')[0] != lines.FaceNormals[f].trimmed().split(';')[0])
            return false;
        bool ok = false;
        QByteArray material = lines.MaterialIndices[f].trimmed();
        material.chop(1);
        const int index = material.toInt(&ok);
        if (!ok || index < 0 || index >= ModelMaterialCount)
            return false;
    }
    return true;
}

QString EscapeFolder(const QString& folder)
{
    QString escaped;
    escaped.reserve(folder.size() * 2);
    for (const QChar c : folder) {
        if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\");
        else
            escaped += c;
    }
    return escaped;
}

QByteArray TextureLine(const QString& textureFolder, const QString& picture)
{
    return "  \"" + EscapeFolder(textureFolder).toLocal8Bit() + "\\\\" + picture.toLocal8Bit() + "\"; ";
}

QByteArray ComposeModelFile(int16_t kind, const QString& textureFolder, const ModelLines& lines)
{
    const auto& pictures = kind == 201 ? PicturesR : Pictures;
    Printer p;
    p.Line("xof 0302txt 0032Header {");
    p.Line(" 1;");
    p.Line(" 0;");
    p.Line(" 1;");
    p.Line("}");
    p.Line("");
    p.Line("Mesh bmerge1 {");
    p.Count(" ", lines.Vertices.size());
    p.Lines(lines.Vertices);
    p.Line("");
    p.Count(" ", lines.Faces.size());
    p.Lines(lines.Faces);
    p.Line("");
    p.Line(" MeshMaterialList {");
    p.Count("  ", ModelMaterialCount);
    p.Count("  ", lines.MaterialIndices.size());
    p.Lines(lines.MaterialIndices);
    for (const MaterialBlock& m : Materials) {
        p.Line("Material {");
        p.Line(m.FaceColour);
        p.Line(" 50.000000;");
        p.Line(m.Specular);
        p.Line(" 0.0; 0.0; 0.0;;");
        if (m.Picture >= 0) {
            p.Line(" TextureFilename {");
            p.Line(TextureLine(textureFolder, QString::fromLatin1(pictures[m.Picture])));
            p.Line(" }");
        }
        p.Line(" }");
    }
    p.Line("}");
    p.Line(" MeshNormals {");
    p.Count("  ", lines.Normals.size());
    p.Lines(lines.Normals);
    p.Line("");
    p.Count("", lines.FaceNormals.size());
    p.Lines(lines.FaceNormals);
    p.Line("}");
    p.Line(" MeshTextureCoords { ");
    p.Count(" ", lines.TexCoords.size());
    p.Lines(lines.TexCoords);
    p.Line(" }");
    p.Line("}");
    return p.Take();
}

QString ModelFilePath(const QString& workFolder)
{
    return WorkFilePath(workFolder, QStringLiteral("readme2.txt"));
}

bool WriteModelFile(int16_t kind, const QString& workFolder, const QString& textureFolder, const ModelLines& lines)
{
    if (!ModelLinesConsistent(lines))
        return false;
    return ReplaceFile(ModelFilePath(workFolder), ComposeModelFile(kind, textureFolder, lines));
}

bool WriteModelFile(int16_t kind, const QString& workFolder, const QString& textureFolder)
{
    ModelLines lines;
    return ReadModelLines(lines) && WriteModelFile(kind, workFolder, textureFolder, lines);
}

bool TruncateModelFile(const QString& workFolder)
{
    return ReplaceFile(ModelFilePath(workFolder), QByteArray());
}
