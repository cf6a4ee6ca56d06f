#include "ExitSignals.h"
#include "IdleSources.h"
#include "IdleWatcher.h"
#include "InstanceLock.h"
#include "RunModes.h"
#include "SessionLockThread.h"

#include <QCoreApplication>

#include <cstdio>

int RunIdleWatchMode(int& argc, char** argv, int idleMs, const QStringList& showArguments)
{
    // No toolkit: waiting needs only the event loop, which sleeps in poll() on the
    // connection to the compositor, bus or X server.
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("kestrova-saver"));
    // A lock of its own: --stop ends shows through the show's lock, never the watcher.
    InstanceLock lock(QStringLiteral("Kestrova Saver Idle"));
    if (!lock.TryAcquire()) {
        std::fprintf(stderr, "kestrova-saver: an idle watcher of this user already runs\n");
        return 0;
    }
    OpenedIdleSource opened = OpenIdleSource(idleMs);
    if (!opened.Source) {
        std::fprintf(stderr, "kestrova-saver: --idle: %s\n", qPrintable(opened.Problem));
        return 1;
    }
    IdleSource& source = *opened.Source;
    IdleWatcher watcher(source, QCoreApplication::applicationFilePath(), showArguments);
    // The show goes before a lock screen comes or the machine sleeps, also on X11, where
    // the show itself does not listen.
    const SessionLockThread lockWatch([&watcher](const QString&) {
        QMetaObject::invokeMethod(&watcher, [&watcher] { watcher.EndShow(); }, Qt::QueuedConnection);
    });
    QObject::connect(&source, &IdleSource::Gone, &app, [&app](const QString& why) {
        std::fprintf(stderr, "kestrova-saver: %s; the idle watcher ends\n", qPrintable(why));
        app.exit(0);
    });
    ExitSignals ending([&app] { app.exit(0); });
    const bool minutes = idleMs % 60000 == 0;
    std::fprintf(stderr, "kestrova-saver: starts the show after %d %s without input, heard through %s\n",
                 idleMs / (minutes ? 60000 : 1000), minutes ? "min" : "s", qPrintable(source.Name()));
    const int status = app.exec();
    watcher.EndShow();
    return status;
}
