#include "SaverProcess.h"
#include "ShowPixels.h"
#include "SwayServer.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <QSettings>
#include <QThread>

namespace {

// The output shows the desktop behind aircraft (other pixels) and their smoke (white).
bool ShowsFlight(const QImage& shot, QRgb desktop)
{
    const ShotCounts c = Count(shot, desktop);
    return c.colour > (c.colour + c.white + c.other) / 2 && c.white > 200 && c.other > 300;
}

// The colour most of the picture has.
QRgb Commonest(const QImage& shot)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < shot.height(); y += 4)
        for (int x = 0; x < shot.width(); x += 4)
            ++counts[shot.pixel(x, y)];
    QRgb commonest = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(commonest))
            commonest = it.key();
    return commonest;
}

// Of the dark outline the cursor resting at `at` draws in `withCursor` (over the plain
// desktop), how many pixels `shot` still holds unchanged, and how many there are.
std::pair<int, int> CursorOutlineLeft(const QImage& withCursor, const QImage& shot, QPoint at, QRgb desktop)
{
    int outline = 0, left = 0;
    for (int y = at.y(); y < at.y() + 32; ++y)
        for (int x = at.x(); x < at.x() + 32; ++x) {
            const QRgb p = withCursor.pixel(x, y);
            if (p == desktop || qRed(p) > 60 || qGreen(p) > 60 || qBlue(p) > 60)
                continue;
            ++outline;
            left += shot.pixel(x, y) == p;
        }
    return {outline, left};
}

std::string Said(const ShotCounts& c)
{
    return "desktop " + std::to_string(c.colour) + ", smoke " + std::to_string(c.white) + ", aircraft " +
           std::to_string(c.other);
}

class WaylandShow : public ::testing::Test {
protected:
    TestEnvironment env;
    SwayServer sway{QSize(1024, 768)};
};

}  // namespace

// One run proves the outputs' life: each output shows its own flight over its own
// desktop picture, an output plugged in mid-show gets one too, an output that goes takes
// only its own surface, and SIGTERM ends the show with status 0.
TEST_F(WaylandShow, EveryOutputFliesOverItsDesktopAsOutputsComeAndGo)
{
    ASSERT_TRUE(sway.Ok()) << qPrintable(sway.Error());
    const QString second = sway.AddOutput(QSize(800, 600));
    ASSERT_FALSE(second.isEmpty());
    // The pointer rests on the first output: hidden over the show, and not in the desktop
    // picture the show flies over either.
    const QPoint resting(300, 300);
    sway.Pointer({QStringLiteral("move"), QStringLiteral("-100000"), QStringLiteral("-100000"), QStringLiteral("move"),
                  QString::number(resting.x()), QString::number(resting.y())});
    const QImage withCursor = sway.Screenshot(QStringLiteral("HEADLESS-1"), env.Path() + QStringLiteral("/desktop.png"));
    const QRgb desktop = withCursor.pixel(5, 5);
    Store(env.SettingsFile(), {{"background mode", "0"}, {"number of blue", "30"}, {"flight mode", "0"}});
    SaverProcess show(sway, {QStringLiteral("/s")});

    for (const QString& output : {QStringLiteral("HEADLESS-1"), second}) {
        const QImage shot = sway.ScreenshotWhen(output, env.Path() + "/" + output + ".png",
                                                [desktop](const QImage& s) { return ShowsFlight(s, desktop); });
        EXPECT_TRUE(ShowsFlight(shot, desktop)) << output.toStdString() << ": " << Said(Count(shot, desktop));
    }
    // Aircraft and smoke may cover it now and then, a cursor left in the picture never
    // goes: it must be missing from each of a few pictures.
    for (int look = 0; look < 3; ++look) {
        const QImage over = sway.Screenshot(QStringLiteral("HEADLESS-1"), env.Path() + QStringLiteral("/cursor.png"));
        const auto [outline, left] = CursorOutlineLeft(withCursor, over, resting, desktop);
        EXPECT_TRUE(outline > 20 && left < outline / 2)
            << "the cursor at (300, 300) is drawn over the show: " << left << " of its " << outline
            << " outline pixels (fewer than 20 before the show: the pointer did not rest there)";
        QThread::msleep(300);
    }

    // A new output's picture may be taken before the compositor first painted it, so its
    // background is whatever it showed then: one colour, under smoke and aircraft.
    const QString third = sway.AddOutput(QSize(640, 480));
    ASSERT_FALSE(third.isEmpty());
    const QImage added = sway.ScreenshotWhen(third, env.Path() + QStringLiteral("/added.png"),
                                             [](const QImage& s) { return ShowsFlight(s, Commonest(s)); });
    EXPECT_TRUE(ShowsFlight(added, Commonest(added)))
        << "output added mid-show: " << Said(Count(added, Commonest(added)));

    ASSERT_TRUE(sway.Command(QStringLiteral("output %1 disable").arg(second)));
    QThread::msleep(1000);
    EXPECT_TRUE(show.Running()) << "an output going away must not end the show on the others";
    const QImage still = sway.Screenshot(QStringLiteral("HEADLESS-1"), env.Path() + QStringLiteral("/still.png"));
    EXPECT_TRUE(ShowsFlight(still, desktop)) << "after an output went: " << Said(Count(still, desktop));

    EXPECT_TRUE(show.Terminate()) << "SIGTERM must end the show";
    EXPECT_EQ(show.ExitCode(), 0);
}

// swaybg draws an output plugged in during the show only after the compositor announced
// it: the show's picture of it waits for that, rather than copy the compositor's grey.
TEST(WaylandShowWallpaper, AnOutputPluggedInDuringTheShowFliesOverItsWallpaper)
{
    TestEnvironment env;
    SwayServer sway(QSize(640, 480), QStringLiteral("output * bg #3a6ea5 solid_color\n"));
    ASSERT_TRUE(sway.Ok()) << qPrintable(sway.Error());
    const QRgb wallpaper = qRgb(0x3a, 0x6e, 0xa5);
    const QImage before = sway.ScreenshotWhen(QStringLiteral("HEADLESS-1"), env.Path() + QStringLiteral("/wallpaper.png"),
                                              [wallpaper](const QImage& s) { return Commonest(s) == wallpaper; });
    ASSERT_EQ(Commonest(before), wallpaper) << "swaybg drew no wallpaper";
    Store(env.SettingsFile(), {{"background mode", "0"}, {"number of blue", "30"}, {"flight mode", "0"}});
    SaverProcess show(sway, {QStringLiteral("/s")});
    const QImage first = sway.ScreenshotWhen(QStringLiteral("HEADLESS-1"), env.Path() + QStringLiteral("/first.png"),
                                             [wallpaper](const QImage& s) { return ShowsFlight(s, wallpaper); });
    ASSERT_TRUE(ShowsFlight(first, wallpaper)) << "first output: " << Said(Count(first, wallpaper));

    const QString added = sway.AddOutput(QSize(640, 480));
    ASSERT_FALSE(added.isEmpty());
    const QImage shot = sway.ScreenshotWhen(added, env.Path() + QStringLiteral("/added.png"),
                                            [wallpaper](const QImage& s) { return ShowsFlight(s, wallpaper); });
    EXPECT_TRUE(ShowsFlight(shot, wallpaper))
        << "the added output's show does not fly over its wallpaper, its background is #" << std::hex
        << (Commonest(shot) & 0xffffff) << std::dec << ": " << Said(Count(shot, wallpaper));
}

TEST_F(WaylandShow, AKeyAButtonAndMotionEachEndItWithStatus0)
{
    ASSERT_TRUE(sway.Ok()) << qPrintable(sway.Error());
    Store(env.SettingsFile(), {{"background mode", "1"}});
    const QList<std::pair<QString, std::function<void()>>> inputs = {
        {QStringLiteral("key"), [&] { sway.Type({QStringLiteral("a")}); }},
        {QStringLiteral("button"), [&] { sway.Pointer({QStringLiteral("click"), QStringLiteral("left")}); }},
        {QStringLiteral("motion"), [&] { sway.Pointer({QStringLiteral("move"), QStringLiteral("1"), QStringLiteral("0")}); }},
    };
    for (const auto& [name, input] : inputs) {
        SaverProcess show(sway, {QStringLiteral("/s")});
        sway.ScreenshotWhen(QStringLiteral("HEADLESS-1"), env.Path() + QStringLiteral("/input.png"), [](const QImage& s) {
            return Count(s, qRgb(0, 0, 0)).other > 300;
        });
        ASSERT_TRUE(show.Running()) << name.toStdString();
        // Without input it goes on.
        EXPECT_FALSE(show.WaitForExit(500)) << name.toStdString() << ": ended before any input";
        bool ended = false;
        for (int tries = 0; tries < 20 && !ended; ++tries) {
            input();
            ended = show.WaitForExit(500);
        }
        EXPECT_TRUE(ended) << name.toStdString() << " did not end the show";
        EXPECT_EQ(show.ExitCode(), 0) << name.toStdString();
    }
}

// Drawn only when the compositor asks (about 62.5 times a second here), even with no
// pause of its own between frames.
TEST_F(WaylandShow, FramesFollowTheCompositorsFrameCallbacks)
{
    ASSERT_TRUE(sway.Ok()) << qPrintable(sway.Error());
    Store(env.SettingsFile(), {{"background mode", "3"}, {"speed of blue", "0"}});
    QProcessEnvironment extra;
    extra.insert(QStringLiteral("KESTROVA_STATS"), QStringLiteral("1"));
    SaverProcess show(sway, {QStringLiteral("/s")}, extra, true);
    sway.ScreenshotWhen(QStringLiteral("HEADLESS-1"), env.Path() + QStringLiteral("/paced.png"),
                        [](const QImage& s) { return Count(s, qRgb(128, 0, 0)).other > 300; });
    QThread::msleep(2000);
    ASSERT_TRUE(show.Terminate());
    const QString text = QString::fromLocal8Bit(show.Process().readAllStandardError());
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("frames=(\\d+) seconds=([0-9.]+)")).match(text);
    ASSERT_TRUE(m.hasMatch()) << text.toStdString();
    const double fps = m.captured(1).toDouble() / m.captured(2).toDouble();
    EXPECT_LE(fps, 66.0) << "more frames than the compositor asked for";
    EXPECT_GT(fps, 0.0) << "no frames";
}

// The 3D kinds draw through OpenGL on the output: kind 200's blue paint and the scene's
// see-through smoke over the green backdrop (the 2D show's smoke is opaque), and a key
// ends the show with status 0. Without OpenGL 3.3 it says so and ends with status 1.
TEST_F(WaylandShow, Kind200FliesItsPaintAndAKeyEndsIt)
{
    ASSERT_TRUE(sway.Ok()) << qPrintable(sway.Error());
    Store(env.SettingsFile(), {{"kind of airplane", "200"}, {"background mode", "5"}});
    SaverProcess show(sway, {QStringLiteral("/s")});
    struct Seen {
        int green = 0, blue = 0, thinSmoke = 0;
    };
    const auto classify = [](const QImage& s) {
        Seen c;
        for (int y = 0; y < s.height(); y += 2)
            for (int x = 0; x < s.width(); x += 2) {
                const QRgb p = s.pixel(x, y);
                const int r = qRed(p), g = qGreen(p), b = qBlue(p);
                if (r < 8 && b < 8 && std::abs(g - 128) < 8)
                    ++c.green;
                else if (b > 100 && b > r + 60 && b > g + 40)
                    ++c.blue;
                else if (r > 90 && g - r >= 8 && g - r <= 45 && std::abs(b - r) < 12)
                    ++c.thinSmoke;
            }
        return c;
    };
    const QImage shot =
        sway.ScreenshotWhen(QStringLiteral("HEADLESS-1"), env.Path() + QStringLiteral("/kind200.png"),
                            [&classify](const QImage& s) { return classify(s).blue > 100 && classify(s).thinSmoke > 200; });
    const Seen seen = classify(shot);
    EXPECT_GT(seen.green, shot.width() * shot.height() / 4 / 2) << "green backdrop pixels";
    EXPECT_GT(seen.blue, 100) << "kind 200's blue paint pixels";
    EXPECT_GT(seen.thinSmoke, 200) << "see-through smoke pixels";

    bool ended = false;
    for (int tries = 0; tries < 20 && !ended; ++tries) {
        sway.Type({QStringLiteral("a")});
        ended = show.WaitForExit(500);
    }
    EXPECT_TRUE(ended) << "a key did not end the 3D show";
    EXPECT_EQ(show.ExitCode(), 0);

    QProcessEnvironment oldGl;
    oldGl.insert(QStringLiteral("MESA_GL_VERSION_OVERRIDE"), QStringLiteral("3.0"));
    SaverProcess refused(sway, {QStringLiteral("/s")}, oldGl, true);
    ASSERT_TRUE(refused.WaitForExit()) << "the 3D show without OpenGL 3.3 did not end";
    const QString said = QString::fromLocal8Bit(refused.Process().readAllStandardError());
    EXPECT_EQ(refused.ExitCode(), 1) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("no OpenGL 3.3 core context"))) << said.toStdString();
}
