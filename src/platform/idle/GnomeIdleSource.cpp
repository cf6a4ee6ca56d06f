#include "GnomeIdleSource.h"

#include <QDBusMessage>
#include <QDBusReply>

namespace {
const QString Service = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString Path = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
const QString Interface = QStringLiteral("org.gnome.Mutter.IdleMonitor");
}  // namespace

GnomeIdleSource::GnomeIdleSource(int idleMs)
    : bus_(QDBusConnection::sessionBus()), gone_(Service, bus_, QDBusServiceWatcher::WatchForUnregistration)
{
    if (!bus_.isConnected())
        return;
    // Connected before the watch is added, so a watch firing at once is not missed.
    bus_.connect(Service, Path, Interface, QStringLiteral("WatchFired"), this, SLOT(Fired(uint)));
    idleWatch_ = AddWatch(QStringLiteral("AddIdleWatch"), {QVariant::fromValue<qulonglong>(idleMs)});
    connect(&gone_, &QDBusServiceWatcher::serviceUnregistered, this,
            [this] { emit Gone(QStringLiteral("GNOME's IdleMonitor left the session bus")); });
}

uint GnomeIdleSource::AddWatch(const QString& method, const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, method);
    call.setArguments(arguments);
    const QDBusReply<uint> reply = bus_.call(call);
    return reply.isValid() ? reply.value() : 0;
}

void GnomeIdleSource::WatchForActivity()
{
    if (activeWatch_ == 0)
        activeWatch_ = AddWatch(QStringLiteral("AddUserActiveWatch"), {});
}

void GnomeIdleSource::Fired(uint watch)
{
    if (watch == 0)
        return;
    if (watch == idleWatch_) {
        emit Idle();
    } else if (watch == activeWatch_) {
        // A user-active watch fires once and is gone.
        activeWatch_ = 0;
        emit Active();
    }
}
