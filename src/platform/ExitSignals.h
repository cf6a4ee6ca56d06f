#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

// Turns SIGTERM, SIGINT, SIGHUP and SIGUSR1 into a call on the GUI thread, so a screen-saver
// daemon's signal ends the show through its normal, orderly shutdown.
class ExitSignals : public QObject {
    Q_OBJECT
public:
    explicit ExitSignals(std::function<void()> onSignal);
    ~ExitSignals() override;

private:
    std::function<void()> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};
