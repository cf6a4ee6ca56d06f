#include "InstanceLock.h"

#include <QDir>
#include <QStandardPaths>

QString InstanceLock::PathFor(const QString& windowTitle)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QString name = windowTitle;
    name.replace(QLatin1Char(' '), QLatin1Char('-'));
    return folder + QLatin1Char('/') + name + QLatin1String(".lock");
}

InstanceLock::InstanceLock(const QString& windowTitle)
    : lock_(std::make_unique<QLockFile>(PathFor(windowTitle)))
{
    // Never give up a live holder's lock because of its age; only a dead holder's.
    lock_->setStaleLockTime(0);
}

bool InstanceLock::TryAcquire()
{
    if (lock_->isLocked())
        return true;
    // tryLock takes over a lock whose holder process no longer runs.
    return lock_->tryLock(0);
}

void InstanceLock::Release()
{
    if (lock_->isLocked())
        lock_->unlock();
}

bool InstanceLock::HeldElsewhere()
{
    if (lock_->isLocked())
        return false;
    if (!TryAcquire())
        return true;
    Release();
    return false;
}

bool AnotherInstanceRuns()
{
    InstanceLock show(QStringLiteral("Kestrova Saver"));
    InstanceLock options(QStringLiteral("Kestrova Saver Option"));
    return show.HeldElsewhere() || options.HeldElsewhere();
}
