#pragma once

#include "IdleSource.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

// Idleness from GNOME's compositor over the session bus (org.gnome.Mutter.IdleMonitor):
// an idle watch that fires each time the session has been idle that long, and a
// one-shot user-active watch. Both live as long as this connection to the bus.
class GnomeIdleSource : public IdleSource {
    Q_OBJECT
public:
    explicit GnomeIdleSource(int idleMs);

    // False when no IdleMonitor answers on the session bus.
    bool Watching() const { return idleWatch_ != 0; }
    QString Name() const override { return QStringLiteral("GNOME's IdleMonitor"); }
    bool EndsShowOnActivity() const override { return true; }
    void WatchForActivity() override;

private slots:
    void Fired(uint watch);

private:
    uint AddWatch(const QString& method, const QVariantList& arguments);

    QDBusConnection bus_;
    QDBusServiceWatcher gone_;
    uint idleWatch_ = 0;
    uint activeWatch_ = 0;
};
