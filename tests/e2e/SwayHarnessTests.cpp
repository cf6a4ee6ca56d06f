// The harness of the Wayland tests on its own: when it breaks, this says so plainly
// instead of every Wayland test failing for a reason that is not the program's.
#include "SwayServer.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFileInfo>

TEST(SwayHarness, TwoOutputsTheirPicturesKeysAndPointerAndNothingLeftBehind)
{
    TestEnvironment env;
    QList<qint64> started;
    {
        SwayServer sway(QSize(1024, 768));
        ASSERT_TRUE(sway.Ok()) << "headless sway: " << qPrintable(sway.Error());
        const QString second = sway.AddOutput(QSize(800, 600));
        ASSERT_FALSE(second.isEmpty()) << "swaymsg create_output made no 800x600 output";
        EXPECT_EQ(sway.Outputs(), (QStringList{QStringLiteral("HEADLESS-1"), second}));

        EXPECT_EQ(sway.Screenshot(QStringLiteral("HEADLESS-1"), env.Path() + QStringLiteral("/first.png")).size(),
                  QSize(1024, 768))
            << "grim -o HEADLESS-1";
        EXPECT_EQ(sway.Screenshot(second, env.Path() + QStringLiteral("/second.png")).size(), QSize(800, 600))
            << "grim -o " << qPrintable(second);

        // sway focuses the output the pointer moves onto.
        EXPECT_EQ(sway.Pointer({QStringLiteral("move"), QStringLiteral("1100"), QStringLiteral("0"),
                                QStringLiteral("click"), QStringLiteral("left")}),
                  0)
            << "the virtual pointer failed";
        EXPECT_TRUE(WaitUntil([&] { return sway.FocusedOutput() == second; }, StartLimitMs))
            << "the pointer's motion did not reach " << qPrintable(second);
        EXPECT_EQ(sway.Type({QStringLiteral("x")}), 0) << "wtype failed";
        started = sway.Pids();
    }
    for (qint64 pid : started)
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid))) << "process " << pid << " outlived the harness";
}
