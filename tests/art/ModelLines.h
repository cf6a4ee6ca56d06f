#pragma once

// The T-4 model's numeric lines as the program carries them under assets/model/, read from
// the source tree and parsed strictly: a line that does not have its list's form is recorded
// as a problem instead of being guessed at.

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

struct ModelLines {
    QStringList Vertices, Faces, MaterialIndices, Normals, FaceNormals, TexCoords;
};

struct ModelData {
    std::vector<std::array<double, 3>> Vertices;
    std::vector<std::vector<int>> Faces;
    std::vector<int> Materials;
    std::vector<std::array<double, 3>> Normals;
    std::vector<std::vector<int>> FaceNormals;
    std::vector<std::array<double, 2>> TexCoords;
    QStringList Problems;
};

// Reads assets/model/<name> from the source tree; LF line ends, no trailing empty line.
QStringList ReadModelLines(const QString& name);
ModelLines ReadAllModelLines();
ModelData ParseModelLines(const ModelLines& lines);
