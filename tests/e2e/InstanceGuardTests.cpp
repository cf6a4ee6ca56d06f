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
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(lock); }, 5000));
    QThread::msleep(300);
    ASSERT_TRUE(options.Running());

    for (const QStringList& args : {QStringList{}, QStringList{"/s"}, QStringList{"/S"}, QStringList{"/c"},
                                    QStringList{"/p", "1234"}, QStringList{"/a"}, QStringList{"/x"}}) {
        SaverProcess second(x, args);
        EXPECT_TRUE(second.WaitForExit(2000)) << "switch: " << args.join(' ').toStdString();
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
        ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(lock); }, 5000));
        options.Process().kill();  // a killed dialog leaves its lock file behind
        options.WaitForExit(2000);
    }
    // The stale lock does not block the next start.
    SaverProcess again(x, {QStringLiteral("/c")});
    QThread::msleep(1500);
    EXPECT_TRUE(again.Running());
}
