#include "SaverProcess.h"
#include "TestEnvironment.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

TEST(InstanceGuard, EverySwitchEndsAtOnceWhileTheOptionsDialogIsOpen)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("800x600x24"));
    ASSERT_TRUE(x.Ok());

    SaverProcess options(x, {QStringLiteral("/c")});
    const QString lock = env.RuntimeDir() + QStringLiteral("/Kestrova-Saver-Option.lock");
    ASSERT_TRUE(WaitUntil([&] { return x.WindowViewable(QStringLiteral("Kestrova Saver Option")); }, StartLimitMs));
    ASSERT_TRUE(QFileInfo::exists(lock));

    for (const QStringList& args : {QStringList{}, QStringList{"/s"}, QStringList{"/S"}, QStringList{"/c"},
                                    QStringList{"/p", "1234"}, QStringList{"/a"}, QStringList{"/x"}}) {
        SaverProcess second(x, args);
        EXPECT_TRUE(second.WaitForExit(StartLimitMs)) << "switch: " << args.join(' ').toStdString();
        EXPECT_EQ(second.ExitCode(), 0);
    }
    EXPECT_TRUE(options.Running());
}

TEST(InstanceGuard, TheOptionsDialogReleasesItsLockWhenItEnds)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("800x600x24"));
    ASSERT_TRUE(x.Ok());
    const QString lock = env.RuntimeDir() + QStringLiteral("/Kestrova-Saver-Option.lock");
    {
        SaverProcess options(x, {QStringLiteral("/c")});
        ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(lock); }, StartLimitMs));
        options.Process().kill();  // a killed dialog leaves its lock file behind
        options.WaitForExit();
    }
    // The stale lock does not block the next start.
    SaverProcess again(x, {QStringLiteral("/c")});
    EXPECT_TRUE(WaitUntil([&] { return x.WindowViewable(QStringLiteral("Kestrova Saver Option")); }, StartLimitMs));
    EXPECT_TRUE(again.Running());
}
