#include "SaverProcess.h"
#include "TestEnvironment.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

struct Failure {
    const char* what;
    QStringList settings;  // key, value, key, value ...
    QProcessEnvironment environment;
    QStringList sentences;  // what the message must say
};

// Starts the show, waits for its message, checks the title and text it shows and that
// OK ends the program with a failure.
void ExpectMessage(const XvfbServer& x, const TestEnvironment& env, const Failure& failure)
{
    SCOPED_TRACE(failure.what);
    QFile::remove(env.SettingsFile());
    QSettings store(env.SettingsFile(), QSettings::IniFormat);
    for (int i = 0; i + 1 < failure.settings.size(); i += 2)
        store.setValue(QStringLiteral("Option/") + failure.settings[i], failure.settings[i + 1]);
    store.sync();
    QProcessEnvironment extra = failure.environment;
    extra.insert(QStringLiteral("KESTROVA_ECHO_MESSAGES"), QStringLiteral("1"));

    SaverProcess show(x, {QStringLiteral("/s")}, extra, true);
    QString errors;
    const QStringList box{QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                          QStringLiteral("^エラー情報$")};
    ASSERT_TRUE(WaitUntil(
        [&] {
            show.Process().waitForReadyRead(50);
            errors += QString::fromUtf8(show.Process().readAllStandardError());
            return errors.contains(QStringLiteral("message: エラー情報\n")) && x.Run(QStringLiteral("xdotool"), box) == 0;
        },
        StartLimitMs))
        << "no message titled エラー情報; standard error: " << errors.toStdString();
    for (const QString& sentence : failure.sentences)
        EXPECT_TRUE(errors.contains(sentence)) << sentence.toStdString() << " missing from: " << errors.toStdString();
    EXPECT_TRUE(show.InputUntilExit(x, {QStringLiteral("key"), QStringLiteral("Return")})) << "OK did not end it";
    EXPECT_EQ(show.ExitCode(), 1);
}

}  // namespace

TEST(StartMessages, EachFailureIsToldInJapaneseInAFontThatHasItsGlyphs)
{
    // Without a font for Japanese, Qt draws the text as empty squares.
    QProcess fonts;
    fonts.start(QStringLiteral("fc-list"), {QStringLiteral(":lang=ja"), QStringLiteral("family")});
    ASSERT_TRUE(fonts.waitForFinished(ExitLimitMs));
    ASSERT_FALSE(fonts.readAllStandardOutput().trimmed().isEmpty()) << "no font with Japanese glyphs is installed";

    TestEnvironment env;
    XvfbServer x(QStringLiteral("640x480x24"));
    ASSERT_TRUE(x.Ok());

    const QString picture = env.Path() + QStringLiteral("/not-a-picture.jpg");
    QFile text(picture);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("plain text") > 0);
    text.close();
    ExpectMessage(x, env,
                  {"an unreadable background picture",
                   {QStringLiteral("background mode"), QStringLiteral("9"), QStringLiteral("background file"), picture},
                   {},
                   {QStringLiteral("背景の画像ファイルを読み込めません。\n") + picture + QStringLiteral("\nファイルを再指定して下さい。")}});

    QProcessEnvironment oldOpenGl;
    oldOpenGl.insert(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));
    oldOpenGl.insert(QStringLiteral("MESA_GL_VERSION_OVERRIDE"), QStringLiteral("3.0"));
    ExpectMessage(x, env,
                  {"OpenGL 3.0", {QStringLiteral("kind of airplane"), QStringLiteral("200")}, oldOpenGl,
                   {QStringLiteral("3Dの機種にはOpenGL 3.3が必要ですが、\n"),
                    QStringLiteral("設定の機種を変更してください。")}});

    // A folder where the background's work file goes: it cannot be replaced.
    const QString texture = QFileInfo(QStringLiteral(KESTROVA_BINARY)).absolutePath() + QStringLiteral("/bgi_tmp.bmp");
    QFile::remove(texture);
    ASSERT_TRUE(QDir().mkdir(texture)) << texture.toStdString();
    struct RemoveFolder {
        QString path;
        ~RemoveFolder() { QDir().rmdir(path); }
    } removeAfter{texture};
    ExpectMessage(x, env,
                  {"a work file that cannot be written",
                   {QStringLiteral("kind of airplane"), QStringLiteral("200"), QStringLiteral("background mode"),
                    QStringLiteral("2")},
                   {},
                   {QStringLiteral("作業ファイルに書き込めません。\n") + texture + QStringLiteral("\n")}});
}
