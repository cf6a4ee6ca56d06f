#include "RunningShows.h"

#include "InstanceLock.h"
#include "LockFiles.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <string>

#include <poll.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Inside the private lock folder, so nobody else can plant or replace a record.
QString RecordFolder()
{
    const QString locks = PrivateLockFolder();
    return locks.isEmpty() ? QString() : locks + QStringLiteral("/Kestrova-Saver-shows");
}

std::string CommandName(const std::string& process)
{
    std::ifstream file("/proc/" + process + "/comm");
    std::string name;
    std::getline(file, name);
    return name;
}

// True when a live process holds the record; one nobody holds is removed on the way.
// Process handles through the system calls themselves: Debian 12's C library declares
// its wrappers without C linkage, so C++ cannot link them.
int OpenProcess(long pid)
{
    return static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
}

bool Terminate(int process)
{
    return ::syscall(SYS_pidfd_send_signal, process, SIGTERM, nullptr, 0) == 0;
}

bool RecordHeld(const QString& path)
{
    QLockFile record(path);
    record.setStaleLockTime(0);
    if (!TryLockNow(record))
        return true;
    record.unlock();
    return false;
}

}  // namespace

ShowRecord::ShowRecord()
{
    const QString folder = RecordFolder();
    if (folder.isEmpty())
        return;
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    lock_ = std::make_unique<QLockFile>(folder + QLatin1Char('/') + QString::number(::getpid()) +
                                        QStringLiteral(".lock"));
    lock_->setStaleLockTime(0);
    // A show without a record still runs; only --stop cannot find it.
    TryLockNow(*lock_);
}

StoppedShows StopRunningShows(std::chrono::milliseconds wait)
{
    StoppedShows result;
    const QString folder = RecordFolder();
    if (folder.isEmpty())
        return result;
    const std::string ours = CommandName("self");
    std::vector<pollfd> handles;
    std::vector<long> ids;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.lock")}, QDir::Files)) {
        bool number = false;
        const long pid = name.chopped(5).toLong(&number);
        if (!number || pid <= 0)
            continue;
        const QString path = folder + QLatin1Char('/') + name;
        // The handle pins the process: should it end and its id go to another process
        // after the checks below, the signal reaches nobody.
        const int handle = OpenProcess(pid);
        if (handle < 0) {
            // Gone; or, where process handles are refused, said to be running rather
            // than signalled without the handle's guard.
            const bool refused = errno != ESRCH;
            if (RecordHeld(path) && refused) {
                ++result.Found;
                result.StillRunning.push_back(pid);
            }
            continue;
        }
        if (!RecordHeld(path) || CommandName(std::to_string(pid)) != ours) {
            ::close(handle);
            continue;
        }
        ++result.Found;
        if (!Terminate(handle)) {
            if (errno != ESRCH)
                result.StillRunning.push_back(pid);
            ::close(handle);
            continue;
        }
        handles.push_back({handle, POLLIN, 0});
        ids.push_back(pid);
    }

    // A process handle becomes readable when the process has ended.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!handles.empty()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        if (::poll(handles.data(), handles.size(), static_cast<int>(left.count())) < 0 && errno != EINTR)
            break;
        for (size_t i = handles.size(); i-- > 0;) {
            if (handles[i].revents == 0)
                continue;
            ::close(handles[i].fd);
            handles.erase(handles.begin() + static_cast<std::ptrdiff_t>(i));
            ids.erase(ids.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    for (const pollfd& handle : handles)
        ::close(handle.fd);
    result.StillRunning.insert(result.StillRunning.end(), ids.begin(), ids.end());
    return result;
}
