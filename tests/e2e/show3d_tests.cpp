#include "SaverProcess.h"
#include "TestEnvironment.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSettings>

#include <csignal>
#include <cstdio>

namespace {

// What a screenshot of the 3D show over a green (0, 128, 0) background holds.
struct Show3DPixels {
    int background = 0;
    int bluePaint = 0;    // kind 200's paint
    int orangePaint = 0;  // kind 201's paint
    int thinSmoke = 0;    // lit white smoke with the green showing through
};

Show3DPixels Classify(const QImage& shot)
{
    Show3DPixels c;
    for (int y = 0; y < shot.height(); y += 2) {
        for (int x = 0; x < shot.width(); x += 2) {
            const QRgb p = shot.pixel(x, y);
            const int r = qRed(p), g = qGreen(p), b = qBlue(p);
            if (r < 8 && b < 8 && std::abs(g - 128) < 8)
                ++c.background;
            else if (b > 100 && b > r + 60 && b > g + 40)
                ++c.bluePaint;
            else if (r > 120 && r > g + 60 && r > b + 80)
                ++c.orangePaint;
            else if (r > 90 && g - r >= 8 && g - r <= 45 && std::abs(b - r) < 12)
                ++c.thinSmoke;
        }
    }
    return c;
}

Show3DPixels operator+(Show3DPixels a, const Show3DPixels& b)
{
    return {a.background + b.background, a.bluePaint + b.bluePaint, a.orangePaint + b.orangePaint,
            a.thinSmoke + b.thinSmoke};
}

QString ProgramFolder()
{
    return QFileInfo(QStringLiteral(KESTROVA_BINARY)).absolutePath();
}

// The 3D show is drawing over its green background.
bool Drawing(const QImage& shot)
{
    return Classify(shot).background > shot.width() * shot.height() / 4 / 3;
}

// Runs one 3D show of the given kind, takes five screenshots a second apart once it
// draws, ends it with a key press and returns what the screenshots showed.
Show3DPixels RunKind(const TestEnvironment& env, const XvfbServer& x, int kind)
{
    QSettings store(env.SettingsFile(), QSettings::IniFormat);
    store.setValue(QStringLiteral("Option/kind of airplane"), QString::number(kind));
    store.setValue(QStringLiteral("Option/background mode"), QStringLiteral("5"));
    store.sync();
    QFile::remove(ProgramFolder() + QStringLiteral("/bgi_tmp.bmp"));

    QProcessEnvironment extra;
    extra.insert(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));
    SaverProcess show(x, {QStringLiteral("/s")}, extra);
    x.ScreenshotWhen(env.Path() + QStringLiteral("/start%1.png").arg(kind), Drawing);
    Show3DPixels seen;
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(show.Running()) << "kind " << kind;
        const QImage shot = x.Screenshot(env.Path() + QStringLiteral("/show%1_%2.png").arg(kind).arg(i));
        EXPECT_EQ(shot.size(), QSize(1024, 768));
        seen = seen + Classify(shot);
        QThread::msleep(1000);
    }
    // Any key ends the show, a modifier alone included.
    EXPECT_TRUE(show.InputUntilExit(x, {QStringLiteral("key"), QStringLiteral("Control_L")})) << "kind " << kind;
    EXPECT_EQ(show.ExitCode(), 0);
    return seen;
}

}  // namespace

TEST(Show3D, BothKindsFlyTheirOwnPaintOverTheBackgroundWithThinningSmoke)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("1024x768x24"));
    ASSERT_TRUE(x.Ok());

    const Show3DPixels kind200 = RunKind(env, x, 200);
    const Show3DPixels kind201 = RunKind(env, x, 201);
    const int samples = 5 * 512 * 384;
    for (const Show3DPixels& seen : {kind200, kind201}) {
        EXPECT_GT(seen.background, samples / 3) << "the background shows around aircraft and smoke";
        EXPECT_GT(seen.thinSmoke, 200) << "translucent smoke";
    }
    // Kind 200 is blue and white; kind 201 white with orange trim and a blue canopy.
    EXPECT_GT(kind200.bluePaint, 100);
    EXPECT_LT(kind200.orangePaint, kind200.bluePaint / 50 + 5);
    EXPECT_GT(kind201.orangePaint, 30);
    EXPECT_GT(kind201.orangePaint * 5, kind201.bluePaint);
    std::printf("kind 200: background %d blue %d orange %d smoke %d\n", kind200.background, kind200.bluePaint,
                kind200.orangePaint, kind200.thinSmoke);
    std::printf("kind 201: background %d blue %d orange %d smoke %d\n", kind201.background, kind201.bluePaint,
                kind201.orangePaint, kind201.thinSmoke);

    // The work files stay in the program's folder: the texture and the emptied model.
    const QImage texture(ProgramFolder() + QStringLiteral("/bgi_tmp.bmp"));
    EXPECT_EQ(texture.size(), QSize(512, 512));
    EXPECT_EQ(texture.pixel(256, 256) & 0xffffff, qRgb(0, 128, 0) & 0xffffff);
    const QFileInfo model(ProgramFolder() + QStringLiteral("/readme2.txt"));
    EXPECT_TRUE(model.isFile());
    EXPECT_EQ(model.size(), 0);
}

TEST(Show3D, EndsWhenTheMouseMovesOrIsClicked)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("640x480x24"));
    ASSERT_TRUE(x.Ok());
    QSettings store(env.SettingsFile(), QSettings::IniFormat);
    store.setValue(QStringLiteral("Option/kind of airplane"), QStringLiteral("200"));
    store.setValue(QStringLiteral("Option/background mode"), QStringLiteral("5"));
    store.sync();
    QProcessEnvironment extra;
    extra.insert(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));

    for (const QStringList& input : {QStringList{"mousemove_relative", "1", "0"}, QStringList{"click", "1"}}) {
        SaverProcess show(x, {QStringLiteral("/s")}, extra);
        x.ScreenshotWhen(env.Path() + QStringLiteral("/start.png"), Drawing);
        ASSERT_TRUE(show.Running());
        EXPECT_TRUE(show.InputUntilExit(x, input)) << input.join(' ').toStdString();
        EXPECT_EQ(show.ExitCode(), 0);
    }
}

namespace {

// The mapped windows of the display whose title matches `title`.
QStringList VisibleWindows(const XvfbServer& x, const QString& title)
{
    QProcess search;
    search.setProcessEnvironment(x.Environment());
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), title});
    search.waitForFinished(5000);
    return QString::fromLatin1(search.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

const QString ShowTitle = QStringLiteral("^Kestrova Saver$");
const QString MessageTitle = QStringLiteral("^エラー情報$");

}  // namespace

TEST(Show3D, AFailedStartGivesScreenAndKeysBackAndItsMessageEndsOnASignal)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("640x480x24"));
    ASSERT_TRUE(x.Ok());
    QSettings store(env.SettingsFile(), QSettings::IniFormat);
    store.setValue(QStringLiteral("Option/kind of airplane"), QStringLiteral("200"));
    store.sync();
    // An OpenGL too old for the show: it fails after its window has opened.
    QProcessEnvironment extra;
    extra.insert(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));
    extra.insert(QStringLiteral("MESA_GL_VERSION_OVERRIDE"), QStringLiteral("3.0"));

    {
        SaverProcess show(x, {QStringLiteral("/s")}, extra, true);
        QByteArray errors;
        ASSERT_TRUE(WaitUntil(
            [&] {
                show.Process().waitForReadyRead(50);
                errors += show.Process().readAllStandardError();
                return errors.contains("OpenGL") && !VisibleWindows(x, MessageTitle).isEmpty();
            },
            10000));
        // The message box alone is left: no window of the show covers it or holds the keys.
        QThread::msleep(300);
        EXPECT_EQ(VisibleWindows(x, ShowTitle).size(), 0);
        x.Run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
        EXPECT_TRUE(show.WaitForExit(3000)) << "Return did not reach the message";
        EXPECT_EQ(show.ExitCode(), 1);
    }
    SaverProcess show(x, {QStringLiteral("/s")}, extra);
    ASSERT_TRUE(WaitUntil([&] { return !VisibleWindows(x, MessageTitle).isEmpty(); }, 10000));
    ::kill(static_cast<pid_t>(show.Pid()), SIGTERM);
    EXPECT_TRUE(show.WaitForExit(2000)) << "the message held the process after SIGTERM";
}
