#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

// The numeric lines of the aircraft model, each exactly as it stands in the model file
// (leading blanks and ";," / ";;" endings included, no line end).
struct ModelLines {
    QList<QByteArray> Vertices;
    QList<QByteArray> Faces;
    QList<QByteArray> MaterialIndices;
    QList<QByteArray> Normals;
    QList<QByteArray> FaceNormals;
    QList<QByteArray> TexCoords;
};

constexpr int ModelMaterialCount = 9;

// Reads the six line lists "<prefix>vertices.txt" ... "<prefix>texcoords.txt" (LF line
// ends), from the embedded assets when the prefix names them ("model/t4_"), else from files.
bool ReadModelLines(ModelLines& lines, const QString& prefix = QStringLiteral("model/t4_"));

// True when the lists fit together: one material index, one face-normal list and one
// texture coordinate per face or vertex, and every index inside its list. The mesh
// loader does not bound-check vertex indices exactly, so nothing else may reach it.
bool ModelLinesConsistent(const ModelLines& lines);

// The folder with every backslash doubled, as the file format's quoted strings need.
QString EscapeFolder(const QString& folder);

// The line naming one texture picture: two blanks, the quoted escaped folder, two
// backslashes and the picture name, then ";" and one blank.
QByteArray TextureLine(const QString& textureFolder, const QString& picture);

// The whole model file for "kind of airplane" kind (201 names the "_r" pictures, every
// other kind the first set), CR LF line ends.
QByteArray ComposeModelFile(int16_t kind, const QString& textureFolder, const ModelLines& lines);

// "readme2.txt" in the work folder.
QString ModelFilePath(const QString& workFolder);

// Writes the model file into workFolder, its texture lines naming textureFolder, where
// the pictures are. False when the lines are unusable or the file cannot be written.
bool WriteModelFile(int16_t kind, const QString& workFolder, const QString& textureFolder, const ModelLines& lines);
bool WriteModelFile(int16_t kind, const QString& workFolder, const QString& textureFolder);

// Re-creates the model file with length 0 once the scene has loaded it.
bool TruncateModelFile(const QString& workFolder);
