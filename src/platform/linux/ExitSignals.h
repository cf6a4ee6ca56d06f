#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

// Catches SIGTERM, SIGINT, SIGHUP and SIGUSR1 from now on. Called first thing in the
// program: a signal that arrives while it starts up is kept until an ExitSignals object
// exists to act on it, instead of killing the process half-way.
void InstallExitSignalHandlers();

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
