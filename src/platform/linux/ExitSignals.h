#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

// Catches SIGTERM, SIGINT, SIGHUP and SIGUSR1 from now on. Called first thing in the
// program: a signal that arrives while it starts up is kept until an ExitSignals object
// exists to act on it, instead of killing the process half-way.
void InstallExitSignalHandlers();

// For a show that waits in poll() rather than in Qt's event loop: the descriptor that
// becomes readable when one of those signals came (-1 before the handlers are
// installed), and the check that reads it empty, true when a signal had come.
int ExitSignalDescriptor();
bool TakeExitSignal();
// Ends the show as one of those signals would; safe on any thread.
void RequestExit();

// Turns those signals into a call on the GUI thread, so a screen-saver daemon's signal
// ends the show through its normal, orderly shutdown. Of several alive at once the
// newest acts (a message box over a show closes first); the one before it acts again
// when it is gone.
class ExitSignals : public QObject {
    Q_OBJECT
public:
    explicit ExitSignals(std::function<void()> onSignal);
    ~ExitSignals() override;

private:
    std::function<void()> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
    ExitSignals* previous_ = nullptr;
};
