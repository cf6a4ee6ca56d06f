#include "SaverProcess.h"
#include "ShowPixels.h"
#include "TestEnvironment.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <QSettings>

namespace {

// The show is drawing: mostly its background colour, with aircraft over it.
auto Drawing(QRgb colour)
{
    return [colour](const QImage& shot) {
        const ShotCounts c = Count(shot, colour);
        return c.colour > (c.colour + c.white + c.other) / 2 && c.other > 50;
    };
}

// Reads "frames=N seconds=S cpu=C" from the program's standard error.
bool ReadStats(QProcess& p, double* fps)
{
    const QString text = QString::fromLocal8Bit(p.readAllStandardError());
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("frames=(\\d+) seconds=([0-9.]+) cpu=([0-9.]+)")).match(text);
    if (!m.hasMatch())
        return false;
    *fps = m.captured(1).toDouble() / m.captured(2).toDouble();
    return true;
}

class Show : public ::testing::Test {
protected:
    TestEnvironment env;
    XvfbServer x{QStringLiteral("1024x768x24")};
};

}  // namespace

TEST_F(Show, ColourBackgroundWithAircraftAndSmoke)
{
    ASSERT_TRUE(x.Ok());
    Store(env.SettingsFile(), {{"background mode", "2"}, {"number of blue", "30"}, {"flight mode", "0"}});
    SaverProcess show(x, {QStringLiteral("/s")});
    const QImage shot = x.ScreenshotWhen(env.Path() + QStringLiteral("/show.png"), [](const QImage& image) {
        const ShotCounts c = Count(image, qRgb(0, 0, 128));
        return c.colour > (c.colour + c.white + c.other) / 2 && c.white > 200 && c.other > 500;
    });
    ASSERT_TRUE(show.Running());
    const ShotCounts c = Count(shot, qRgb(0, 0, 128));
    const int total = c.colour + c.white + c.other;
    EXPECT_GT(c.colour, total / 2) << "mostly the background colour";
    EXPECT_GT(c.white, 200) << "smoke";
    EXPECT_GT(c.other, 500) << "aircraft";
}

// How fast input ends the show is measured by bench/run.sh (input_exit_ms).
TEST_F(Show, EndsOnInputAndNotWithout)
{
    ASSERT_TRUE(x.Ok());
    Store(env.SettingsFile(), {{"background mode", "1"}});
    const QList<QStringList> inputs = {
        {QStringLiteral("mousemove_relative"), QStringLiteral("1"), QStringLiteral("0")},
        {QStringLiteral("key"), QStringLiteral("a")},
        {QStringLiteral("key"), QStringLiteral("shift")},
        {QStringLiteral("click"), QStringLiteral("1")},
    };
    for (const QStringList& input : inputs) {
        SaverProcess show(x, {QStringLiteral("/s")});
        x.ScreenshotWhen(env.Path() + QStringLiteral("/input.png"), Drawing(qRgb(0, 0, 0)));
        ASSERT_TRUE(show.Running()) << input.join(' ').toStdString();
        EXPECT_TRUE(show.InputUntilExit(x, input)) << input.join(' ').toStdString();
        EXPECT_EQ(show.ExitCode(), 0) << input.join(' ').toStdString();
    }

    SaverProcess show(x, {QStringLiteral("/s")});
    x.ScreenshotWhen(env.Path() + QStringLiteral("/still.png"), Drawing(qRgb(0, 0, 0)));
    QThread::msleep(2000);
    EXPECT_TRUE(show.Running()) << "keeps running without input";
    EXPECT_TRUE(show.Terminate());
    EXPECT_EQ(show.ExitCode(), 0);
}

TEST_F(Show, PresentsAtMostOncePerRefresh)
{
    ASSERT_TRUE(x.Ok());
    Store(env.SettingsFile(), {{"background mode", "3"}, {"speed of blue", "0"}});
    QProcessEnvironment extra;
    extra.insert(QStringLiteral("KESTROVA_STATS"), QStringLiteral("1"));
    SaverProcess show(x, {QStringLiteral("/s")}, extra, true);
    x.ScreenshotWhen(env.Path() + QStringLiteral("/paced.png"), Drawing(qRgb(128, 0, 0)));
    QThread::msleep(3000);
    ASSERT_TRUE(show.Terminate());
    double fps = 0;
    ASSERT_TRUE(ReadStats(show.Process(), &fps));
    EXPECT_LE(fps, 63.0);
    EXPECT_GT(fps, 0.0) << "frames were presented";
}

TEST_F(Show, PictureAtOwnSizeSitsCentredInASmallerShow)
{
    ASSERT_TRUE(x.Ok());
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(qRgb(250, 120, 10));
    const QString file = env.Path() + QStringLiteral("/picture.png");
    ASSERT_TRUE(picture.save(file));
    Store(env.SettingsFile(), {{"background mode", "9"}, {"background file", file}, {"display mode", "1"},
                               {"smoke mode", "0"}, {"number of blue", "1"}});
    SaverProcess show(x, {QStringLiteral("/s")});
    // 640 x 480 scaled by 1.6 to 1024 x 768: the picture spans (192, 144)..(832, 624).
    int orange = 0, black = 0;
    x.ScreenshotWhen(env.Path() + QStringLiteral("/picture-shot.png"), [&](const QImage& shot) {
        orange = black = 0;
        for (const QPoint p :
             {QPoint(200, 150), QPoint(820, 150), QPoint(200, 615), QPoint(820, 615), QPoint(512, 384)})
            orange += shot.pixel(p) == qRgb(250, 120, 10);
        for (const QPoint p : {QPoint(180, 384), QPoint(845, 384), QPoint(512, 130), QPoint(512, 640)})
            black += shot.pixel(p) == qRgb(0, 0, 0);
        return orange >= 4 && black >= 3;
    });
    ASSERT_TRUE(show.Running());
    EXPECT_GE(orange, 4);
    EXPECT_GE(black, 3);
}

TEST_F(Show, DesktopSnapshotShowsBehindTheAircraft)
{
    ASSERT_TRUE(x.Ok());
    x.Run(QStringLiteral("xsetroot"), {QStringLiteral("-solid"), QStringLiteral("#4080c0")});
    Store(env.SettingsFile(), {{"background mode", "0"}});
    SaverProcess show(x, {QStringLiteral("/s")});
    const QImage shot = x.ScreenshotWhen(env.Path() + QStringLiteral("/desktop-shot.png"), Drawing(qRgb(0x40, 0x80, 0xc0)));
    ASSERT_TRUE(show.Running());
    const ShotCounts c = Count(shot, qRgb(0x40, 0x80, 0xc0));
    EXPECT_GT(c.colour, (c.colour + c.white + c.other) / 2);
    EXPECT_GT(c.other, 50) << "aircraft";
}

TEST_F(Show, AMissingPictureEndsWithAMessageAndNothingLeft)
{
    ASSERT_TRUE(x.Ok());
    Store(env.SettingsFile(), {{"background mode", "10"}, {"background file", env.Path() + "/nothing.jpg"}});
    SaverProcess show(x, {QStringLiteral("/s")});
    const QStringList box{QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                          QStringLiteral("^エラー情報$")};
    ASSERT_TRUE(WaitUntil([&] { return x.Run(QStringLiteral("xdotool"), box) == 0; }, StartLimitMs))
        << "no message box titled エラー情報";
    QThread::msleep(500);
    ASSERT_TRUE(show.Running()) << "the message box waits for the user";
    EXPECT_TRUE(show.InputUntilExit(x, {QStringLiteral("key"), QStringLiteral("Return")}));
    EXPECT_NE(show.ExitCode(), 0);
}
