#include "SaverProcess.h"
#include "TestEnvironment.h"
#include "WestonServer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSettings>

namespace {

constexpr QRgb Maroon = qRgb(128, 0, 0);  // background mode 3

struct Pixels {
    int background = 0;
    int smoke = 0;
    int aircraft = 0;
};

Pixels Count(const QImage& shot, int top, int bottom)
{
    Pixels c;
    for (int y = top; y < bottom; y += 2)
        for (int x = 0; x < shot.width(); x += 2) {
            const QRgb p = shot.pixel(x, y) & 0xffffff;
            if (p == (Maroon & 0xffffff))
                ++c.background;
            else if (qRed(p) > 225 && qGreen(p) > 225 && qBlue(p) > 225)
                ++c.smoke;
            else
                ++c.aircraft;
        }
    return c;
}

// The show covers the whole output, the shell's panel along the top too, with aircraft
// and smoke over its background.
bool CoversTheScreenWithAFlight(const QImage& shot)
{
    const Pixels panel = Count(shot, 0, 32);
    const Pixels all = Count(shot, 0, shot.height());
    return panel.background > (panel.background + panel.smoke + panel.aircraft) / 2 &&
           all.background > (all.background + all.smoke + all.aircraft) / 2 && all.smoke > 200 && all.aircraft > 300;
}

}  // namespace

// weston offers no layer shell: the show asks for a full-screen toplevel instead, fills
// the output over the shell's panel, and SIGTERM ends it with status 0.
TEST(WestonShow, AFullScreenToplevelFliesOverItsBackgroundAndEndsOnSigterm)
{
    TestEnvironment env;
    WestonServer weston(QSize(800, 600));
    ASSERT_TRUE(weston.Ok()) << qPrintable(weston.Error());
    {
        QSettings store(env.SettingsFile(), QSettings::IniFormat);
        store.setValue(QStringLiteral("Option/background mode"), 3);
        store.setValue(QStringLiteral("Option/number of blue"), 30);
    }
    SaverProcess show(weston, {QStringLiteral("/s")});

    const QImage shot = weston.ScreenshotWhen(CoversTheScreenWithAFlight);
    const Pixels c = Count(shot, 0, shot.height());
    EXPECT_TRUE(CoversTheScreenWithAFlight(shot))
        << "background " << c.background << ", smoke " << c.smoke << ", aircraft " << c.aircraft
        << " (a null shot means weston-screenshooter gave none: " << shot.isNull() << ")";

    ASSERT_TRUE(show.Running()) << "the show ended on its own, status " << show.ExitCode();
    EXPECT_TRUE(show.Terminate()) << "SIGTERM must end the show";
    EXPECT_EQ(show.ExitCode(), 0);
}
