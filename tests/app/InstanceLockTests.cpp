#include "InstanceLock.h"
#include "QtPrinters.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>

TEST(InstanceLock, ASecondHolderIsRefusedUntilTheFirstReleases)
{
    TestEnvironment env;
    InstanceLock first(QStringLiteral("Kestrova Saver"));
    ASSERT_TRUE(first.TryAcquire());
    EXPECT_FALSE(first.HeldElsewhere());

    InstanceLock second(QStringLiteral("Kestrova Saver"));
    EXPECT_FALSE(second.TryAcquire());
    EXPECT_TRUE(second.HeldElsewhere());

    first.Release();
    EXPECT_FALSE(second.HeldElsewhere());
    EXPECT_TRUE(second.TryAcquire());
}

TEST(InstanceLock, ShowAndOptionsLocksAreSeparateFiles)
{
    TestEnvironment env;
    EXPECT_NE(InstanceLock::PathFor(QStringLiteral("Kestrova Saver")),
              InstanceLock::PathFor(QStringLiteral("Kestrova Saver Option")));
    EXPECT_TRUE(InstanceLock::PathFor(QStringLiteral("Kestrova Saver")).startsWith(env.RuntimeDir()));
}

TEST(InstanceLock, ALockLeftByADeadProcessDoesNotBlock)
{
    TestEnvironment env;
    // The lock file of a process that was killed: a pid that cannot be running.
    QFile file(InstanceLock::PathFor(QStringLiteral("Kestrova Saver Option")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QTextStream(&file) << "4194303\nkestrova-saver\n" << QSysInfo::machineHostName() << '\n';
    file.close();

    InstanceLock lock(QStringLiteral("Kestrova Saver Option"));
    EXPECT_FALSE(lock.HeldElsewhere());
    EXPECT_TRUE(lock.TryAcquire());
}

TEST(InstanceLock, AnEmptyLockFileIsTakenOverButALiveHoldersNever)
{
    TestEnvironment env;
    // A process killed before it could write its name into the file.
    const QString path = InstanceLock::PathFor(QStringLiteral("Kestrova Saver"));
    ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly));
    InstanceLock lock(QStringLiteral("Kestrova Saver"));
    EXPECT_FALSE(lock.HeldElsewhere());
    ASSERT_TRUE(lock.TryAcquire());

    // A live holder whose file says nothing yet keeps its lock.
    ASSERT_TRUE(QFile::resize(path, 0));
    InstanceLock other(QStringLiteral("Kestrova Saver"));
    EXPECT_FALSE(other.TryAcquire());
    EXPECT_TRUE(QFile::exists(path));
}
