#include "IdleWatcher.h"

#include <csignal>
#include <cstdio>
#include <sys/prctl.h>

namespace {
constexpr int ShowEndLimitMs = 10000;
}

IdleWatcher::IdleWatcher(IdleSource& source, QString program, QStringList arguments)
    : source_(source), program_(std::move(program)), arguments_(std::move(arguments))
{
    show_.setProcessChannelMode(QProcess::ForwardedChannels);
    show_.setInputChannelMode(QProcess::ForwardedInputChannel);
    // A watcher killed outright still takes its show with it.
    show_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    connect(&source_, &IdleSource::Idle, this, &IdleWatcher::StartShow);
    connect(&source_, &IdleSource::Active, this, [this] {
        if (source_.EndsShowOnActivity() && show_.state() != QProcess::NotRunning)
            show_.terminate();
    });
    connect(&show_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            std::fprintf(stderr, "kestrova-saver: cannot start the show: %s\n", qPrintable(show_.errorString()));
    });
}

IdleWatcher::~IdleWatcher()
{
    EndShow();
}

void IdleWatcher::StartShow()
{
    // A show still running (or one started by hand, which the show's own guard finds)
    // is left alone.
    if (show_.state() != QProcess::NotRunning)
        return;
    show_.start(program_, arguments_);
    if (source_.EndsShowOnActivity())
        source_.WatchForActivity();
}

void IdleWatcher::EndShow()
{
    if (show_.state() == QProcess::NotRunning)
        return;
    show_.terminate();
    if (!show_.waitForFinished(ShowEndLimitMs)) {
        show_.kill();
        show_.waitForFinished(ShowEndLimitMs);
    }
}
