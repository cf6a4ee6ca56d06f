#pragma once

#include "IdleSource.h"

#include <QObject>
#include <QProcess>
#include <QStringList>

// Starts the show as a process of its own when the session turns idle and waits for it
// to end, so it works with whichever show this display gets. Where the show's window
// may not get the user's input (GNOME), the show is ended with SIGTERM when the source
// reports the user back.
class IdleWatcher : public QObject {
    Q_OBJECT
public:
    IdleWatcher(IdleSource& source, QString program, QStringList arguments);
    ~IdleWatcher() override;

    // Ends a running show and waits for it to go.
    void EndShow();

private:
    void StartShow();

    IdleSource& source_;
    QString program_;
    QStringList arguments_;
    QProcess show_;
};
