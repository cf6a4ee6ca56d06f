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
