#include "SaverProcess.h"
#include "ShowPixels.h"
#include "TestEnvironment.h"
#include "WestonServer.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

constexpr QRgb Maroon = qRgb(128, 0, 0);  // background mode 3

// The show covers the whole output, the shell's panel along the top too, with aircraft
// and smoke over its background.
bool CoversTheScreenWithAFlight(const QImage& shot)
{
    const ShotCounts panel = Count(shot, Maroon, 0, 32);
    const ShotCounts all = Count(shot, Maroon);
    return panel.colour > (panel.colour + panel.white + panel.other) / 2 &&
           all.colour > (all.colour + all.white + all.other) / 2 && all.white > 200 && all.other > 300;
}

}  // namespace

// weston offers no layer shell: the show asks for a full-screen toplevel instead, fills
// the output over the shell's panel, and SIGTERM ends it with status 0.
TEST(WestonShow, AFullScreenToplevelFliesOverItsBackgroundAndEndsOnSigterm)
{
    TestEnvironment env;
    WestonServer weston(QSize(800, 600));
    ASSERT_TRUE(weston.Ok()) << qPrintable(weston.Error());
    Store(env.SettingsFile(), {{"background mode", "3"}, {"number of blue", "30"}});
    SaverProcess show(weston, {QStringLiteral("/s")});

    const QImage shot = weston.ScreenshotWhen(CoversTheScreenWithAFlight);
    const ShotCounts c = Count(shot, Maroon);
    EXPECT_TRUE(CoversTheScreenWithAFlight(shot))
        << "background " << c.colour << ", smoke " << c.white << ", aircraft " << c.other
        << " (a null shot means weston-screenshooter gave none: " << shot.isNull() << ")";

    ASSERT_TRUE(show.Running()) << "the show ended on its own, status " << show.ExitCode();
    EXPECT_TRUE(show.Terminate()) << "SIGTERM must end the show";
    EXPECT_EQ(show.ExitCode(), 0);
}
