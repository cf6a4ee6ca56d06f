#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The numeric lines of the aircraft model, each exactly as it stands in the model file
// (leading blanks and ";," / ";;" endings included, no line end).
struct ModelLines {
    std::vector<std::string> Vertices;
    std::vector<std::string> Faces;
    std::vector<std::string> MaterialIndices;
    std::vector<std::string> Normals;
    std::vector<std::string> FaceNormals;
    std::vector<std::string> TexCoords;
};

constexpr int ModelMaterialCount = 9;

// The lines of a text: LF ends them, a CR before the LF is dropped, and a text ending in
// LF has no empty last line.
std::vector<std::string> SplitModelLines(std::string_view text);

// Reads the six line lists "<prefix>vertices.txt" ... "<prefix>texcoords.txt" from the
// program's embedded assets. False when one of them is missing.
bool ReadModelLines(ModelLines& lines, std::string_view prefix = "model/t4_");

// True when the lists fit together: one material index, one face-normal list and one
// texture coordinate per face or vertex, and every index inside its list. The mesh
// loader does not bound-check vertex indices exactly, so nothing else may reach it.
bool ModelLinesConsistent(const ModelLines& lines);

// The folder with every backslash doubled, as the file format's quoted strings need.
std::string EscapeFolder(std::string_view folder);

// The line naming one texture picture: two blanks, the quoted escaped folder, two
// backslashes and the picture name, then ";" and one blank. Texts are UTF-8.
std::string TextureLine(std::string_view textureFolder, std::string_view picture);

// The whole model file for "kind of airplane" kind (201 names the "_r" pictures, every
// other kind the first set), CR LF line ends.
std::string ComposeModelFile(int16_t kind, std::string_view textureFolder, const ModelLines& lines);

// The folder joined with the file name by one separator. A folder at the root keeps
// its own separator, so the root gives two in a row ("//readme2.txt").
std::string WorkFilePath(std::string_view folder, std::string_view fileName);

// "readme2.txt" in the work folder.
std::string ModelFilePath(std::string_view workFolder);
