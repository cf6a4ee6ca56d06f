#include "KWinServer.h"
#include "SaverProcess.h"
#include "ShowPixels.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

namespace {

constexpr QRgb Green = qRgb(0, 192, 0);  // the window under the show
constexpr QRgb Teal = qRgb(0, 128, 128);  // the wallpaper
constexpr QRgb Maroon = qRgb(128, 0, 0);  // background mode 3

// The smallest rectangle holding every pixel of the colour.
QRect BoxOf(const QImage& shot, QRgb colour)
{
    QRect box;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if ((shot.pixel(x, y) & 0xffffff) == (colour & 0xffffff))
                box |= QRect(x, y, 1, 1);
    return box;
}

// The show is up: its smoke is drawn (KWin alone draws nothing white).
bool SmokeDrawn(const QImage& shot)
{
    return Count(shot, Maroon).white > 200;
}

// A window of one colour on KWin, through Qt's Wayland platform.
class ColourWindow {
public:
    ColourWindow(const KWinServer& kwin, QRgb colour)
    {
        QProcessEnvironment env = kwin.Environment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        process_.setProcessEnvironment(env);
        process_.start(QStringLiteral(KESTROVA_COLOUR_WINDOW),
                       {QStringLiteral("300"), QStringLiteral("200"), QString::number(colour & 0xffffff, 16).rightJustified(6, QLatin1Char('0'))});
    }
    ~ColourWindow()
    {
        process_.kill();
        process_.waitForFinished(ExitLimitMs);
    }

private:
    QProcess process_;
};

}  // namespace

// With the package's desktop entry naming the program, KWin hands it the desktop: a green
// window stays seen under the show, where it was, instead of a black sky.
TEST(KWinShow, TheDesktopIsUnderTheShowWithTheInstalledEntry)
{
    TestEnvironment env;
    QTemporaryDir data;
    QDir(data.path()).mkpath(QStringLiteral("applications"));
    KWinServer::WriteEntry(data.filePath(QStringLiteral("applications/kestrova-saver-desktop-picture.desktop")),
                           QFileInfo(QStringLiteral(KESTROVA_BINARY)).canonicalFilePath());
    KWinServer kwin(QSize(800, 600), 1, data.path());
    ASSERT_TRUE(kwin.Ok()) << qPrintable(kwin.Error());
    ColourWindow window(kwin, Green);
    const QImage before = kwin.ScreenshotWhen([](const QImage& shot) { return BoxOf(shot, Green).width() >= 300; });
    const QRect box = BoxOf(before, Green);
    ASSERT_GE(box.width(), 300) << "the green window did not appear";

    Store(env.SettingsFile(), {{"background mode", "0"}, {"number of blue", "10"}});
    SaverProcess show(kwin, {QStringLiteral("/s")}, QProcessEnvironment(), true);
    const QImage shot = kwin.ScreenshotWhen(SmokeDrawn);
    ASSERT_TRUE(SmokeDrawn(shot)) << "the show did not appear; status " << show.ExitCode() << ", "
                                  << show.Process().readAllStandardError().constData();
    const QImage under = shot.copy(box);
    const int green = Count(under, Green).colour;
    EXPECT_GT(green, Count(under, Green).other) << "the window's place under the show holds " << green
                                                 << " green pixels of a count of " << (box.width() / 2) * (box.height() / 2);
    EXPECT_TRUE(show.Terminate());
    EXPECT_EQ(QByteArray(), show.Process().readAllStandardError()) << "the show complained";
}

// Without the entry KWin refuses: the show says why once and flies over the wallpaper
// Plasma names for the screen.
TEST(KWinShow, WithoutTheEntryTheShowFliesOverPlasmasWallpaper)
{
    TestEnvironment env;
    QImage teal(64, 48, QImage::Format_RGB32);
    teal.fill(Teal);
    const QString picture = env.Path() + QStringLiteral("/teal.png");
    ASSERT_TRUE(teal.save(picture));
    QFile applets(env.ConfigDir() + QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc"));
    ASSERT_TRUE(applets.open(QIODevice::WriteOnly));
    applets.write(QStringLiteral("[Containments][2]\nactivityId=\nlastScreen=0\nplugin=org.kde.panel\n\n"
                                 "[Containments][7]\nactivityId=6c1f\nlastScreen=0\nplugin=org.kde.plasma.folder\n"
                                 "wallpaperplugin=org.kde.image\n\n"
                                 "[Containments][7][Wallpaper][org.kde.image][General]\nImage=file://%1\n")
                      .arg(picture)
                      .toUtf8());
    applets.close();
    KWinServer kwin(QSize(640, 480));
    ASSERT_TRUE(kwin.Ok()) << qPrintable(kwin.Error());

    Store(env.SettingsFile(), {{"background mode", "0"}, {"number of blue", "10"}});
    SaverProcess show(kwin, {QStringLiteral("/s")}, QProcessEnvironment(), true);
    const auto overWallpaper = [](const QImage& shot) {
        const ShotCounts c = Count(shot, Teal);
        return SmokeDrawn(shot) && c.colour > c.other;
    };
    const QImage shot = kwin.ScreenshotWhen(overWallpaper);
    const ShotCounts c = Count(shot, Teal);
    EXPECT_TRUE(overWallpaper(shot)) << "wallpaper " << c.colour << ", smoke " << c.white << ", other " << c.other;
    ASSERT_TRUE(show.Terminate()) << "the show ended on its own, status " << show.ExitCode();
    EXPECT_EQ(show.ExitCode(), 0);
    const QString said = QString::fromLocal8Bit(show.Process().readAllStandardError());
    EXPECT_EQ(said.count(QStringLiteral("desktop entry")), 1) << qPrintable(said);
    EXPECT_TRUE(said.contains(QStringLiteral("wallpaper"))) << qPrintable(said);
}

// A 1920 x 1080 output at scale 1.25 (1536 x 864 logical) gets the 1920 x 1080 show in a
// buffer of its own pixels, with no bars; KWin's screenshot is taken in real pixels.
TEST(KWinShow, AFractionalScaleGetsTheOutputsOwnPixels)
{
    TestEnvironment env;
    KWinServer kwin(QSize(1920, 1080), 1.25);
    ASSERT_TRUE(kwin.Ok()) << qPrintable(kwin.Error());
    Store(env.SettingsFile(), {{"background mode", "3"}, {"number of blue", "10"}});
    SaverProcess show(kwin, {QStringLiteral("/s")});
    const QImage shot = kwin.ScreenshotWhen(SmokeDrawn);
    ASSERT_TRUE(SmokeDrawn(shot)) << "the show did not appear";
    EXPECT_EQ(shot.size(), QSize(1920, 1080));
    // A show of another size would be fitted with bars left and right (4:3) or all round.
    for (const QRect edge : {QRect(0, 0, 200, 1080), QRect(1720, 0, 200, 1080), QRect(0, 0, 1920, 100)}) {
        const ShotCounts c = Count(shot.copy(edge), Maroon);
        EXPECT_GT(c.colour, c.other) << "the edge at x " << edge.x() << " is not the maroon sky: a bar";
    }
    EXPECT_TRUE(show.Terminate());
}
