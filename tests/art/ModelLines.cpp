#include "ModelLines.h"

#include <QFile>
#include <QRegularExpression>

namespace {

// A list's lines end in ";," except its last, which ends in ";;".
bool EndsRight(const QStringList& lines, int i, const QString& line)
{
    return line.endsWith(i == lines.size() - 1 ? QStringLiteral(";;") : QStringLiteral(";,"));
}

template <size_t N>
void ParseNumbers(const QStringList& lines, const QString& pattern, const char* list,
                  std::vector<std::array<double, N>>& out, QStringList& problems)
{
    const QRegularExpression form(QStringLiteral("^") + pattern + QStringLiteral("[;,]$"));
    for (int i = 0; i < lines.size(); ++i) {
        const auto match = form.match(lines[i]);
        if (!match.hasMatch() || !EndsRight(lines, i, lines[i])) {
            problems << QStringLiteral("%1 line %2: '%3'").arg(QLatin1String(list)).arg(i + 1).arg(lines[i]);
            continue;
        }
        std::array<double, N> v{};
        for (size_t k = 0; k < N; ++k)
            v[k] = match.captured(int(k) + 1).toDouble();
        out.push_back(v);
    }
}

void ParseIndexLists(const QStringList& lines, const QString& indent, const char* list,
                     std::vector<std::vector<int>>& out, QStringList& problems)
{
    const QRegularExpression form(QStringLiteral("^") + indent + QStringLiteral("(\\d+);(\\d+(?:,\\d+)*);[;,]$"));
    for (int i = 0; i < lines.size(); ++i) {
        const auto match = form.match(lines[i]);
        if (!match.hasMatch() || !EndsRight(lines, i, lines[i])) {
            problems << QStringLiteral("%1 line %2: '%3'").arg(QLatin1String(list)).arg(i + 1).arg(lines[i]);
            continue;
        }
        std::vector<int> indices;
        for (const QString& s : match.captured(2).split(QLatin1Char(',')))
            indices.push_back(s.toInt());
        if (int(indices.size()) != match.captured(1).toInt())
            problems << QStringLiteral("%1 line %2: count does not match").arg(QLatin1String(list)).arg(i + 1);
        out.push_back(indices);
    }
}

}  // namespace

QStringList ReadModelLines(const QString& name)
{
    QFile file(QStringLiteral(KESTROVA_SOURCE_DIR "/assets/model/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromLatin1(file.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

ModelLines ReadAllModelLines()
{
    return {ReadModelLines(QStringLiteral("t4_vertices.txt")), ReadModelLines(QStringLiteral("t4_faces.txt")),
            ReadModelLines(QStringLiteral("t4_material_indices.txt")), ReadModelLines(QStringLiteral("t4_normals.txt")),
            ReadModelLines(QStringLiteral("t4_face_normals.txt")), ReadModelLines(QStringLiteral("t4_texcoords.txt"))};
}

ModelData ParseModelLines(const ModelLines& lines)
{
    ModelData data;
    const QString num = QStringLiteral("(-?\\d+\\.\\d{6});");
    ParseNumbers<3>(lines.Vertices, QStringLiteral(" ") + num + num + num, "vertices", data.Vertices, data.Problems);
    ParseNumbers<3>(lines.Normals, QStringLiteral("  ") + num + num + num, "normals", data.Normals, data.Problems);
    ParseNumbers<2>(lines.TexCoords, QStringLiteral(" ") + num + num, "texture coordinates", data.TexCoords,
                    data.Problems);
    ParseIndexLists(lines.Faces, QStringLiteral(" "), "faces", data.Faces, data.Problems);
    ParseIndexLists(lines.FaceNormals, QStringLiteral("  "), "face normals", data.FaceNormals, data.Problems);

    // Material indices end in "," and the last in ";".
    const QRegularExpression form(QStringLiteral("^  (\\d)([,;])$"));
    for (int i = 0; i < lines.MaterialIndices.size(); ++i) {
        const auto match = form.match(lines.MaterialIndices[i]);
        const QString end = i == lines.MaterialIndices.size() - 1 ? QStringLiteral(";") : QStringLiteral(",");
        if (!match.hasMatch() || match.captured(2) != end) {
            data.Problems << QStringLiteral("material line %1: '%2'").arg(i + 1).arg(lines.MaterialIndices[i]);
            continue;
        }
        data.Materials.push_back(match.captured(1).toInt());
    }
    return data;
}
