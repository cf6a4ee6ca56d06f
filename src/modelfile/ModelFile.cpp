#include "ModelFile.h"

#include "DecimalText.h"
#include "EmbeddedAssets.h"

#include <array>
#include <climits>

namespace {

// Parses "<count>;<i>,<j>,...;" (after the leading blanks) and checks every index < limit.
bool IndexListInRange(std::string_view line, size_t limit)
{
    const std::vector<std::string_view> parts = SplitAt(TrimBlanks(line), ';');
    if (parts.size() < 3)
        return false;
    const auto count = ParseDecimal(parts[0], INT_MIN, INT_MAX);
    if (!count || *count < 3)
        return false;
    const std::vector<std::string_view> indices = SplitAt(parts[1], ',');
    if (static_cast<long long>(indices.size()) != *count)
        return false;
    for (const std::string_view index : indices) {
        const auto value = ParseDecimal(index, LLONG_MIN, LLONG_MAX);
        if (!value || *value < 0 || static_cast<unsigned long long>(*value) >= limit)
            return false;
    }
    return true;
}

// The count before the first ";", as written.
std::string_view CornerCount(std::string_view line)
{
    return SplitAt(TrimBlanks(line), ';')[0];
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
    void Line(std::string_view text)
    {
        out_ += text;
        out_ += "\r\n";
    }
    void Lines(const std::vector<std::string>& lines)
    {
        for (const std::string& line : lines)
            Line(line);
    }
    void Count(const char* indent, size_t count) { Line(indent + std::to_string(count) + ';'); }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

}  // namespace

std::vector<std::string> SplitModelLines(std::string_view text)
{
    std::vector<std::string> lines;
    for (std::string_view line : SplitAt(text, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
    }
    if (lines.back().empty() && (text.empty() || text.back() == '\n'))
        lines.pop_back();
    return lines;
}

bool ReadModelLines(ModelLines& lines, std::string_view prefix)
{
    bool ok = true;
    const auto read = [&](const char* name) {
        const std::span<const unsigned char> asset = EmbeddedAsset(std::string(prefix) + name);
        ok = ok && !asset.empty();
        return SplitModelLines(std::string_view(reinterpret_cast<const char*>(asset.data()), asset.size()));
    };
    lines.Vertices = read("vertices.txt");
    lines.Faces = read("faces.txt");
    lines.MaterialIndices = read("material_indices.txt");
    lines.Normals = read("normals.txt");
    lines.FaceNormals = read("face_normals.txt");
    lines.TexCoords = read("texcoords.txt");
    return ok;
}

bool ModelLinesConsistent(const ModelLines& lines)
{
    const size_t faces = lines.Faces.size();
    if (lines.Vertices.empty() || faces == 0 || lines.Normals.empty() ||
        lines.TexCoords.size() != lines.Vertices.size() || lines.MaterialIndices.size() != faces ||
        lines.FaceNormals.size() != faces)
        return false;
    for (size_t f = 0; f < faces; ++f) {
        if (!IndexListInRange(lines.Faces[f], lines.Vertices.size()) ||
            !IndexListInRange(lines.FaceNormals[f], lines.Normals.size()))
            return false;
        // Each face needs as many normals as it has corners.
        if (CornerCount(lines.Faces[f]) != CornerCount(lines.FaceNormals[f]))
            return false;
        // The index, its closing "," or ";" (whatever the last byte is) cut off.
        std::string_view material = TrimBlanks(lines.MaterialIndices[f]);
        material.remove_suffix(material.empty() ? 0 : 1);
        const auto index = ParseDecimal(material, INT_MIN, INT_MAX);
        if (!index || *index < 0 || *index >= ModelMaterialCount)
            return false;
    }
    return true;
}

std::string EscapeFolder(std::string_view folder)
{
    std::string escaped;
    escaped.reserve(folder.size() * 2);
    for (const char c : folder) {
        if (c == '\\')
            escaped += "\\\\";
        else
            escaped += c;
    }
    return escaped;
}

std::string TextureLine(std::string_view textureFolder, std::string_view picture)
{
    return "  \"" + EscapeFolder(textureFolder) + "\\\\" + std::string(picture) + "\"; ";
}

std::string ComposeModelFile(int16_t kind, std::string_view textureFolder, const ModelLines& lines)
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
            p.Line(TextureLine(textureFolder, pictures[m.Picture]));
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

std::string WorkFilePath(std::string_view folder, std::string_view fileName)
{
    return std::string(folder) + '/' + std::string(fileName);
}

std::string ModelFilePath(std::string_view workFolder)
{
    return WorkFilePath(workFolder, "readme2.txt");
}
