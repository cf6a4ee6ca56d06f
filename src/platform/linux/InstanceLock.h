#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// A per-user lock named after a window title ("Kestrova Saver", "Kestrova Saver Option"),
// held for as long as that window runs. It lives in a folder only the user can write to
// (the runtime folder, else one in the user's cache); a lock left by a process that died
// is recognised as stale and taken over.
class InstanceLock {
public:
    explicit InstanceLock(const QString& windowTitle);

    // True when this process now holds the lock.
    bool TryAcquire();
    void Release();
    // True when another live process holds the lock.
    bool HeldElsewhere();

    // Empty when the user has no private folder to keep it in.
    static QString PathFor(const QString& windowTitle);

private:
    std::unique_ptr<QLockFile> lock_;
};

// The folder the user's locks are kept in; empty when the user has none of their own.
QString PrivateLockFolder();

// True when either the show or the options dialog runs in another process.
bool AnotherInstanceRuns();
