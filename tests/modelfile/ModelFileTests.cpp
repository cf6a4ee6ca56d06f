#include "ModelFile.h"
#include "ModelMeshReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

ModelLines T4()
{
    ModelLines lines;
    EXPECT_TRUE(ReadModelLines(lines));
    return lines;
}

// The file's lines, each checked to end in CR LF.
std::vector<std::string> FileLines(const std::string& file)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = file.find('\n'); end != std::string::npos; end = file.find('\n', start)) {
        EXPECT_TRUE(end > start && file[end - 1] == '\r') << file.substr(start, end - start);
        lines.push_back(file.substr(start, end - start - 1));
        start = end + 1;
    }
    EXPECT_EQ(start, file.size()) << "the last line has no line end";
    return lines;
}

// Walks the file's lines in order, so each expectation names the line it is about.
class Reader {
public:
    explicit Reader(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    std::string Next() { return at_ < lines_.size() ? lines_[at_++] : "<end of file>"; }
    void Expect(const char* line) { EXPECT_EQ(Next(), line) << "line " << at_; }
    // A carried list, verbatim (its line forms are the asset's own tests' concern).
    void ExpectList(const std::vector<std::string>& list, size_t count)
    {
        EXPECT_EQ(list.size(), count);
        for (const std::string& expected : list)
            EXPECT_EQ(Next(), expected) << "line " << at_;
    }
    bool AtEnd() const { return at_ == lines_.size(); }

private:
    std::vector<std::string> lines_;
    size_t at_ = 0;
};

void ExpectMaterial(Reader& r, const char* colour, const char* specular, const char* texture = nullptr)
{
    r.Expect("Material {");
    r.Expect(colour);
    r.Expect(" 50.000000;");
    r.Expect(specular);
    r.Expect(" 0.0; 0.0; 0.0;;");
    if (texture) {
        r.Expect(" TextureFilename {");
        r.Expect(texture);
        r.Expect(" }");
    }
    r.Expect(" }");
}

}  // namespace

TEST(ModelFile, TheT4FileHasEveryFixedLineCountAndListInOrderWithCrLf)
{
    const ModelLines t4 = T4();
    const std::string file = ComposeModelFile(200, "C:\\Saver", t4);
    Reader r(FileLines(file));
    for (const char* line : {"xof 0302txt 0032Header {", " 1;", " 0;", " 1;", "}", "", "Mesh bmerge1 {", " 679;"})
        r.Expect(line);
    r.ExpectList(t4.Vertices, 679);
    r.Expect("");
    r.Expect(" 488;");
    r.ExpectList(t4.Faces, 488);
    r.Expect("");
    r.Expect(" MeshMaterialList {");
    r.Expect("  9;");
    r.Expect("  488;");
    r.ExpectList(t4.MaterialIndices, 488);
    ExpectMaterial(r, " 1.000000;1.000000;1.000000;1.000000;;", " 1.000000;1.000000;1.000000;;");
    ExpectMaterial(r, " 0.300000;0.300000;0.800000;1.000000;;", " 0.0; 0.0; 0.0;;");
    ExpectMaterial(r, " 0.310734;0.305085;0.305085;1.000000;;", " 0.305085;0.305085;0.305085;;");
    ExpectMaterial(r, " 0.900000;0.900000;0.900000;1.000000;;", " 1.000000;1.000000;1.000000;;",
                   "  \"C:\\\\Saver\\\\t4bttm.bmp\"; ");
    ExpectMaterial(r, " 0.900000;0.900000;0.900000;1.000000;;", " 1.000000;1.000000;1.000000;;",
                   "  \"C:\\\\Saver\\\\t4right_1.bmp\"; ");
    ExpectMaterial(r, " 0.355932;0.333333;0.333333;1.000000;;", " 0.200000;0.200000;0.200000;;");
    ExpectMaterial(r, " 0.000000;0.000000;0.000000;1.000000;;", " 0.000000;0.000000;0.000000;;");
    ExpectMaterial(r, " 0.900000;0.900000;0.900000;1.000000;;", " 1.000000;1.000000;1.000000;;",
                   "  \"C:\\\\Saver\\\\t4top.bmp\"; ");
    ExpectMaterial(r, " 0.209040;0.203390;0.209040;1.000000;;", " 0.141243;0.152542;0.158192;;");
    r.Expect("}");
    r.Expect(" MeshNormals {");
    r.Expect("  1642;");
    r.ExpectList(t4.Normals, 1642);
    r.Expect("");
    r.Expect("488;");
    r.ExpectList(t4.FaceNormals, 488);
    r.Expect("}");
    r.Expect(" MeshTextureCoords { ");
    r.Expect(" 679;");
    r.ExpectList(t4.TexCoords, 679);
    r.Expect(" }");
    r.Expect("}");
    EXPECT_TRUE(r.AtEnd());
}

TEST(ModelFile, TextureLinesNameThePicturesOfTheKindInTheEscapedFolder)
{
    const ModelLines lines = T4();
    const std::string kind200 = ComposeModelFile(200, "C:\\Saver", lines);
    const std::string kind201 = ComposeModelFile(201, "C:\\Saver", lines);
    const std::string kind0 = ComposeModelFile(0, "C:\\Saver", lines);
    const auto contains = [](const std::string& file, const std::string& part) {
        return file.find(part) != std::string::npos;
    };
    for (const std::string name : {"t4bttm", "t4right_1", "t4top"}) {
        const std::string first = "\r\n  \"C:\\\\Saver\\\\" + name + ".bmp\"; \r\n";
        const std::string second = "\r\n  \"C:\\\\Saver\\\\" + name + "_r.bmp\"; \r\n";
        EXPECT_TRUE(contains(kind200, first)) << name;
        EXPECT_TRUE(contains(kind0, first)) << name;
        EXPECT_FALSE(contains(kind200, second)) << name;
        EXPECT_TRUE(contains(kind201, second)) << name;
        EXPECT_FALSE(contains(kind201, first)) << name;
    }
    EXPECT_EQ(kind0, kind200);
    size_t textures = 0;
    for (size_t at = kind201.find("TextureFilename"); at != std::string::npos; at = kind201.find("TextureFilename", at + 1))
        ++textures;
    EXPECT_EQ(textures, 3u);
}

TEST(ModelFile, RootFoldersGiveSeparatorsInARow)
{
    EXPECT_EQ(TextureLine("C:\\", "t4bttm.bmp"), "  \"C:\\\\\\\\t4bttm.bmp\"; ");
    EXPECT_EQ(TextureLine("/", "t4top_r.bmp"), "  \"/\\\\t4top_r.bmp\"; ");
    EXPECT_EQ(TextureLine("/opt/a\\b", "t4top.bmp"), "  \"/opt/a\\\\b\\\\t4top.bmp\"; ");
    EXPECT_EQ(ModelFilePath("/"), "//readme2.txt");
    EXPECT_EQ(ModelFilePath("/opt/kestrova"), "/opt/kestrova/readme2.txt");
}

TEST(ModelFile, LinesThatDoNotFitTogetherAreRefused)
{
    ModelLines lines = T4();
    ASSERT_TRUE(ModelLinesConsistent(lines));

    ModelLines badIndex = lines;
    badIndex.Faces.back() = " 3;205,189,679;;";  // one past the last vertex
    EXPECT_FALSE(ModelLinesConsistent(badIndex));

    ModelLines badNormal = lines;
    badNormal.FaceNormals.front() = "  3;28,9,1642;,";
    EXPECT_FALSE(ModelLinesConsistent(badNormal));

    ModelLines badMaterial = lines;
    badMaterial.MaterialIndices[3] = "  9,";
    EXPECT_FALSE(ModelLinesConsistent(badMaterial));

    ModelLines missing = lines;
    missing.TexCoords.pop_back();
    EXPECT_FALSE(ModelLinesConsistent(missing));

    ModelLines none;
    EXPECT_FALSE(ReadModelLines(none, "model/nothing_"));
}

TEST(ModelFile, LinesSplitAtLineFeedsWithoutTheirCarriageReturns)
{
    EXPECT_EQ(SplitModelLines("a\r\nb\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitModelLines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitModelLines("a\n\r"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(SplitModelLines(""), std::vector<std::string>{});
}

TEST(ModelFile, ReadsBackAsTheTexturedAircraft)
{
    Mesh mesh;
    std::string error;
    ModelLines lines = T4();
    ASSERT_TRUE(ReadModelMesh(ComposeModelFile(201, "C:\\Saver", lines), mesh, error)) << error;
    size_t triangles = 0;
    for (const auto& part : mesh.Geometry->PartIndices)
        triangles += part.size() / 3;
    EXPECT_EQ(triangles, 310u + 2 * 178u);  // triangles and quadrilaterals
    std::vector<std::string> textures;
    for (const MeshMaterial& m : mesh.Materials) {
        if (!m.TexturePath.empty())
            textures.push_back(m.TexturePath);
    }
    EXPECT_EQ(textures, (std::vector<std::string>{"C:\\Saver/t4bttm_r.bmp", "C:\\Saver/t4right_1_r.bmp",
                                                  "C:\\Saver/t4top_r.bmp"}));

    lines.Faces.back() = " 3;205,189,679;;";  // one past the last vertex
    EXPECT_FALSE(ReadModelMesh(ComposeModelFile(201, "C:\\Saver", lines), mesh, error));
    EXPECT_FALSE(ReadModelMesh("xof 0302txt 0032Header {", mesh, error));
}
