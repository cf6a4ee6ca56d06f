#include "SessionLockThread.h"

#include "SessionLockWatch.h"

SessionLockThread::SessionLockThread(std::function<void(const QString& why)> onLocking)
    : onLocking_(std::move(onLocking))
{
    start();
}

SessionLockThread::~SessionLockThread()
{
    quit();
    wait();
}

void SessionLockThread::run()
{
    SessionLockWatch watch;
    connect(&watch, &SessionLockWatch::Locking, &watch, [this](const QString& why) { onLocking_(why); });
    exec();
}
