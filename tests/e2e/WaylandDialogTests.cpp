#include "SaverProcess.h"
#include "SwayServer.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

// With no X display at all, the options dialog still opens: through Qt's Wayland plugin,
// as a window of the compositor's.
TEST(WaylandDialog, TheOptionsDialogOpensAsAWaylandWindowWithoutAnXDisplay)
{
    TestEnvironment env;
    SwayServer sway;
    ASSERT_TRUE(sway.Ok()) << qPrintable(sway.Error());
    SaverProcess dialog(sway, {QStringLiteral("/c")});
    QString tree;
    const bool shown = WaitUntil(
        [&] {
            sway.Run(QStringLiteral("swaymsg"), {QStringLiteral("-t"), QStringLiteral("get_tree")}, &tree);
            return tree.contains(QLatin1String("\"app_id\": \"kestrova-saver\"")) || dialog.WaitForExit(0);
        },
        StartLimitMs);
    ASSERT_FALSE(dialog.WaitForExit(0)) << "the dialog ended, status " << dialog.ExitCode();
    EXPECT_TRUE(shown && tree.contains(QLatin1String("Kestrova Saver Option")))
        << "sway shows no window of the dialog:\n" << tree.toStdString();
}

// The preview and the daemons draw into other programs' X11 windows: asked for on
// Wayland, or with no X display beside the compositor, they say so, not that no
// compositor answers.
TEST(WaylandDialog, ThePreviewAndTheDaemonsSayTheyNeedX11)
{
    TestEnvironment env;
    SwayServer sway;
    ASSERT_TRUE(sway.Ok()) << qPrintable(sway.Error());
    const QList<QStringList> lines = {{QStringLiteral("--wayland"), QStringLiteral("/p"), QStringLiteral("123")},
                                      {QStringLiteral("/p"), QStringLiteral("123")},
                                      {QStringLiteral("--wayland"), QStringLiteral("-root")}};
    for (const QStringList& line : lines) {
        SaverProcess run(sway, line, QProcessEnvironment(), true);
        ASSERT_TRUE(run.WaitForExit(StartLimitMs)) << line.join(' ').toStdString();
        const QString said = QString::fromLocal8Bit(run.Process().readAllStandardError());
        EXPECT_EQ(run.ExitCode(), 1) << line.join(' ').toStdString();
        EXPECT_TRUE(said.contains(QLatin1String("X11")) && said.contains(QLatin1String("/s")) &&
                    !said.contains(QLatin1String("compositor")))
            << line.join(' ').toStdString() << ": " << said.toStdString();
    }
}
