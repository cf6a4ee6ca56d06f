#include "ModelFile.h"
#include "QtPrinters.h"
#include "WorkFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>


namespace {

ModelLines T4()
{
    ModelLines lines;
    EXPECT_TRUE(ReadModelLines(lines));
    return lines;
}

QList<QByteArray> FileLines(const QByteArray& file)
{
    QList<QByteArray> lines = file.split('\n');
    EXPECT_TRUE(lines.last().isEmpty()) << "the last line has no line end";
    lines.removeLast();
    for (QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << line.constData();
        line.chop(1);
    }
    return lines;
}

// Walks the file's lines in order, so each expectation names the line it is about.
class Reader {
public:
    explicit Reader(QList<QByteArray> lines) : lines_(std::move(lines)) {}
    QByteArray Next() { return at_ < lines_.size() ? lines_[at_++] : QByteArray("<end of file>"); }
    void Expect(const char* line) { EXPECT_EQ(Next(), QByteArray(line)) << "line " << at_; }
    // A carried list, verbatim (its line forms are the asset's own tests' concern).
    void ExpectList(const QList<QByteArray>& list, qsizetype count)
    {
        EXPECT_EQ(list.size(), count);
        for (const QByteArray& expected : list)
            EXPECT_EQ(Next(), expected) << "line " << at_;
    }
    bool AtEnd() const { return at_ == lines_.size(); }

private:
    QList<QByteArray> lines_;
    qsizetype at_ = 0;
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
    const QByteArray file = ComposeModelFile(200, QStringLiteral("C:\\Saver"), t4);
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
    EXPECT_EQ(file.count('\n'), file.count("\r\n"));
}

TEST(ModelFile, TextureLinesNameThePicturesOfTheKindInTheEscapedFolder)
{
    const ModelLines lines = T4();
    const QString folder = QStringLiteral("C:\\Saver");
    const QByteArray kind200 = ComposeModelFile(200, folder, lines);
    const QByteArray kind201 = ComposeModelFile(201, folder, lines);
    const QByteArray kind0 = ComposeModelFile(0, folder, lines);
    for (const char* name : {"t4bttm", "t4right_1", "t4top"}) {
        const QByteArray first = "\r\n  \"C:\\\\Saver\\\\" + QByteArray(name) + ".bmp\"; \r\n";
        const QByteArray second = "\r\n  \"C:\\\\Saver\\\\" + QByteArray(name) + "_r.bmp\"; \r\n";
        EXPECT_TRUE(kind200.contains(first)) << name;
        EXPECT_TRUE(kind0.contains(first)) << name;
        EXPECT_FALSE(kind200.contains(second)) << name;
        EXPECT_TRUE(kind201.contains(second)) << name;
        EXPECT_FALSE(kind201.contains(first)) << name;
    }
    EXPECT_EQ(kind0, kind200);
    EXPECT_EQ(kind201.count("TextureFilename"), 3);
}

TEST(ModelFile, RootFoldersGiveSeparatorsInARow)
{
    EXPECT_EQ(TextureLine(QStringLiteral("C:\\"), QStringLiteral("t4bttm.bmp")),
              QByteArray("  \"C:\\\\\\\\t4bttm.bmp\"; "));
    EXPECT_EQ(TextureLine(QStringLiteral("/"), QStringLiteral("t4top_r.bmp")), QByteArray("  \"/\\\\t4top_r.bmp\"; "));
    EXPECT_EQ(TextureLine(QStringLiteral("/opt/a\\b"), QStringLiteral("t4top.bmp")),
              QByteArray("  \"/opt/a\\\\b\\\\t4top.bmp\"; "));
    EXPECT_EQ(ModelFilePath(QStringLiteral("/")), QStringLiteral("//readme2.txt"));
    EXPECT_EQ(ModelFilePath(QStringLiteral("/opt/kestrova")), QStringLiteral("/opt/kestrova/readme2.txt"));
}

TEST(ModelFile, IsWrittenThenTruncatedToNothing)
{
    QTemporaryDir dir;
    const ModelLines lines = T4();
    ASSERT_TRUE(WriteModelFile(201, dir.path(), QStringLiteral("/opt/k"), lines));
    QFile file(ModelFilePath(dir.path()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), ComposeModelFile(201, QStringLiteral("/opt/k"), lines));
    file.close();

    ASSERT_TRUE(TruncateModelFile(dir.path()));
    EXPECT_TRUE(QFileInfo(ModelFilePath(dir.path())).isFile());
    EXPECT_EQ(QFileInfo(ModelFilePath(dir.path())).size(), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("readme2.txt")});
}

TEST(ModelFile, AFolderThatTakesNoFilesMakesTheWriteFail)
{
    QTemporaryDir dir;
    EXPECT_FALSE(WriteModelFile(200, dir.path() + QStringLiteral("/missing"), dir.path()));
    // Not even root may create files in /proc.
    EXPECT_FALSE(WriteModelFile(200, QStringLiteral("/proc"), dir.path()));
    EXPECT_FALSE(TruncateModelFile(QStringLiteral("/proc")));
}

TEST(ModelFile, APlantedLinkIsReplacedAndItsTargetLeftAlone)
{
    QTemporaryDir dir;
    const QString target = dir.path() + QStringLiteral("/precious.txt");
    QFile precious(target);
    ASSERT_TRUE(precious.open(QIODevice::WriteOnly));
    precious.write("keep me");
    precious.close();
    ASSERT_TRUE(QFile::link(target, ModelFilePath(dir.path())));

    ASSERT_TRUE(WriteModelFile(200, dir.path(), dir.path()));
    EXPECT_FALSE(QFileInfo(ModelFilePath(dir.path())).isSymLink());
    EXPECT_GT(QFileInfo(ModelFilePath(dir.path())).size(), 100000);
    ASSERT_TRUE(precious.open(QIODevice::ReadOnly));
    EXPECT_EQ(precious.readAll(), QByteArray("keep me"));
    precious.close();

    QFile::remove(ModelFilePath(dir.path()));
    ASSERT_TRUE(QFile::link(target, ModelFilePath(dir.path())));
    ASSERT_TRUE(TruncateModelFile(dir.path()));
    EXPECT_FALSE(QFileInfo(ModelFilePath(dir.path())).isSymLink());
    EXPECT_EQ(QFileInfo(target).size(), 7);
}

TEST(ModelFile, LinesThatDoNotFitTogetherAreNotWritten)
{
    QTemporaryDir dir;
    ModelLines lines = T4();
    ASSERT_TRUE(ModelLinesConsistent(lines));

    ModelLines badIndex = lines;
    badIndex.Faces.last() = " 3;205,189,679;;";  // one past the last vertex
    EXPECT_FALSE(WriteModelFile(200, dir.path(), dir.path(), badIndex));
    EXPECT_FALSE(QFileInfo::exists(ModelFilePath(dir.path())));

    ModelLines badNormal = lines;
    badNormal.FaceNormals.first() = "  3;28,9,1642;,";
    EXPECT_FALSE(ModelLinesConsistent(badNormal));

    ModelLines badMaterial = lines;
    badMaterial.MaterialIndices[3] = "  9,";
    EXPECT_FALSE(ModelLinesConsistent(badMaterial));

    ModelLines missing = lines;
    missing.TexCoords.removeLast();
    EXPECT_FALSE(ModelLinesConsistent(missing));

    ModelLines none;
    EXPECT_FALSE(ReadModelLines(none, dir.path() + QStringLiteral("/nothing_")));
}

TEST(WorkFolder, IsTheProgramsFolderWhenWritableElseTheCache)
{
    QTemporaryDir dir;
    EXPECT_EQ(ChooseWorkFolder(dir.path()), dir.path());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{});

    qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.path() + QStringLiteral("/cache")));
    const QString chosen = ChooseWorkFolder(QStringLiteral("/proc"));
    EXPECT_TRUE(chosen.startsWith(dir.path() + QStringLiteral("/cache"))) << chosen.toStdString();
    EXPECT_TRUE(QFileInfo(chosen).isDir());
}
