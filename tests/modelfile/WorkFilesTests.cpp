#include "ModelFile.h"
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

QString ModelFileIn(const QTemporaryDir& dir)
{
    return QString::fromStdString(ModelFilePath(dir.path().toStdString()));
}

}  // namespace

TEST(ModelFile, IsWrittenThenTruncatedToNothing)
{
    QTemporaryDir dir;
    const ModelLines lines = T4();
    ASSERT_TRUE(WriteModelFile(201, dir.path().toStdString(), "/opt/k", lines));
    QFile file(ModelFileIn(dir));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), ComposeModelFile(201, "/opt/k", lines));
    file.close();

    ASSERT_TRUE(TruncateModelFile(dir.path().toStdString()));
    EXPECT_TRUE(QFileInfo(ModelFileIn(dir)).isFile());
    EXPECT_EQ(QFileInfo(ModelFileIn(dir)).size(), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("readme2.txt")});
}

TEST(ModelFile, LinesThatDoNotFitTogetherAreNotWritten)
{
    QTemporaryDir dir;
    ModelLines badIndex = T4();
    badIndex.Faces.back() = " 3;205,189,679;;";  // one past the last vertex
    EXPECT_FALSE(WriteModelFile(200, dir.path().toStdString(), dir.path().toStdString(), badIndex));
    EXPECT_FALSE(QFileInfo::exists(ModelFileIn(dir)));
}

TEST(ModelFile, AFolderThatTakesNoFilesMakesTheWriteFail)
{
    QTemporaryDir dir;
    EXPECT_FALSE(WriteModelFile(200, dir.path().toStdString() + "/missing", dir.path().toStdString()));
    // Not even root may create files in /proc.
    EXPECT_FALSE(WriteModelFile(200, "/proc", dir.path().toStdString()));
    EXPECT_FALSE(TruncateModelFile("/proc"));
}

TEST(ModelFile, APlantedLinkIsReplacedAndItsTargetLeftAlone)
{
    QTemporaryDir dir;
    const QString target = dir.path() + QStringLiteral("/precious.txt");
    QFile precious(target);
    ASSERT_TRUE(precious.open(QIODevice::WriteOnly));
    precious.write("keep me");
    precious.close();
    ASSERT_TRUE(QFile::link(target, ModelFileIn(dir)));

    ASSERT_TRUE(WriteModelFile(200, dir.path().toStdString(), dir.path().toStdString()));
    EXPECT_FALSE(QFileInfo(ModelFileIn(dir)).isSymLink());
    EXPECT_GT(QFileInfo(ModelFileIn(dir)).size(), 100000);
    ASSERT_TRUE(precious.open(QIODevice::ReadOnly));
    EXPECT_EQ(precious.readAll(), QByteArray("keep me"));
    precious.close();

    QFile::remove(ModelFileIn(dir));
    ASSERT_TRUE(QFile::link(target, ModelFileIn(dir)));
    ASSERT_TRUE(TruncateModelFile(dir.path().toStdString()));
    EXPECT_FALSE(QFileInfo(ModelFileIn(dir)).isSymLink());
    EXPECT_EQ(QFileInfo(target).size(), 7);
}

TEST(WorkFolder, IsTheProgramsFolderWhenWritableElseTheCache)
{
    QTemporaryDir dir;
    EXPECT_EQ(ChooseWorkFolder(dir.path().toStdString()), dir.path().toStdString());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{});

    qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.path() + QStringLiteral("/cache")));
    const QString chosen = QString::fromStdString(ChooseWorkFolder("/proc"));
    EXPECT_TRUE(chosen.startsWith(dir.path() + QStringLiteral("/cache"))) << chosen.toStdString();
    EXPECT_TRUE(QFileInfo(chosen).isDir());
}
