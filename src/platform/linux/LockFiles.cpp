#include "LockFiles.h"

#include <QLockFile>

bool TryLockNow(QLockFile& lock)
{
    if (lock.tryLock(0))
        return true;
    // A live holder keeps a kernel lock (flock) on its file, and removing the file
    // fails while it does; so only a file nobody holds goes.
    return lock.removeStaleLockFile() && lock.tryLock(0);
}
