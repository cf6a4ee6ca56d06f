#pragma once

#include <QObject>
#include <QString>

// Tells when the session has been idle for the time asked and when the user is back.
// Each desktop has its own way (a Wayland protocol, a session-bus service, an X
// extension); each is one of these. All of them wait on the descriptor of their
// connection: nothing runs while nothing happens.
class IdleSource : public QObject {
    Q_OBJECT
public:
    ~IdleSource() override = default;

    // The way this source hears about idleness, for the watcher's first line.
    virtual QString Name() const = 0;
    // True when the source can also end a show the moment the user is back, because the
    // show's window may not get the input (GNOME gives it no keyboard grab).
    virtual bool EndsShowOnActivity() const { return false; }
    // Asks for one Active() at the user's next input. Sources whose Idle() comes again
    // only after input need not be asked: they report Active() by themselves.
    virtual void WatchForActivity() {}

signals:
    // No input for the idle time. Comes again only after input and a new idle time.
    void Idle();
    // Input after Idle().
    void Active();
    // The connection is gone (compositor or session ended); nothing more will come.
    void Gone(const QString& why);
};
