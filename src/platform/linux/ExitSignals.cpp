#include "ExitSignals.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int pipeFds[2] = {-1, -1};
ExitSignals* newest = nullptr;

// SIGUSR1 is a screen locker's "reset" (xsecurelock), which a saver may answer by
// ending; ending through the show's shutdown closes the music player too.
constexpr int EndingSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGUSR1};

void Handler(int)
{
    const char byte = 1;
    // Only async-signal-safe work here: wake the event loop.
    [[maybe_unused]] const ssize_t n = write(pipeFds[1], &byte, 1);
}

}  // namespace

void InstallExitSignalHandlers()
{
    if (pipeFds[0] >= 0 || pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = Handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : EndingSignals)
        sigaction(signal, &action, nullptr);
}

int ExitSignalDescriptor()
{
    return pipeFds[0];
}

void RequestExit()
{
    Handler(0);
}

bool TakeExitSignal()
{
    bool came = false;
    char buffer[16];
    while (pipeFds[0] >= 0 && read(pipeFds[0], buffer, sizeof buffer) > 0)
        came = true;
    return came;
}

ExitSignals::ExitSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)), previous_(newest)
{
    newest = this;
    if (previous_ && previous_->notifier_)
        previous_->notifier_->setEnabled(false);
    InstallExitSignalHandlers();
    if (pipeFds[0] < 0)
        return;
    // A byte written before this object existed is still in the pipe: it is seen at once.
    notifier_ = std::make_unique<QSocketNotifier>(pipeFds[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        TakeExitSignal();
        if (onSignal_)
            onSignal_();
    });
}

// The handlers stay: a signal after this object is gone is kept for the next one.
ExitSignals::~ExitSignals()
{
    newest = previous_;
    if (previous_ && previous_->notifier_)
        previous_->notifier_->setEnabled(true);
}
