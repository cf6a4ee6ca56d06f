#include "InstanceLock.h"

#include "LockFiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder nobody but this user can put files into.
bool IsPrivateFolder(const QString& folder)
{
    struct stat info {};
    return !folder.isEmpty() && ::stat(QFile::encodeName(folder).constData(), &info) == 0 &&
           S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

}  // namespace

// The runtime folder, or when there is none of the user's own, a private folder in the
// user's cache. Never a folder others can write to (the shared /tmp), where anyone could
// plant a lock that keeps the show from ever starting.
QString PrivateLockFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (IsPrivateFolder(runtime))
        return runtime;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                          QStringLiteral("/kestrova-saver");
    const QString own = cache + QStringLiteral("/locks");
    QDir().mkpath(cache);
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return IsPrivateFolder(own) ? own : QString();
}

QString InstanceLock::PathFor(const QString& windowTitle)
{
    const QString folder = PrivateLockFolder();
    if (folder.isEmpty())
        return {};
    QString name = windowTitle;
    name.replace(QLatin1Char(' '), QLatin1Char('-'));
    return folder + QLatin1Char('/') + name + QLatin1String(".lock");
}

InstanceLock::InstanceLock(const QString& windowTitle)
{
    const QString path = PathFor(windowTitle);
    if (path.isEmpty())
        return;
    lock_ = std::make_unique<QLockFile>(path);
    // Never give up a live holder's lock because of its age; only a dead holder's.
    lock_->setStaleLockTime(0);
}

bool InstanceLock::TryAcquire()
{
    // With nowhere safe to keep the lock, the guard is given up rather than the saver.
    if (!lock_)
        return true;
    return lock_->isLocked() || TryLockNow(*lock_);
}

void InstanceLock::Release()
{
    if (lock_ && lock_->isLocked())
        lock_->unlock();
}

bool InstanceLock::HeldElsewhere()
{
    if (!lock_ || lock_->isLocked())
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
