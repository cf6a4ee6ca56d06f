#include "GnomeOverview.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QThread>

namespace {

const QString Shell = QStringLiteral("org.gnome.Shell");

QDBusMessage PropertyCall(const QString& method, const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(Shell, QStringLiteral("/org/gnome/Shell"),
                                                       QStringLiteral("org.freedesktop.DBus.Properties"), method);
    call.setArguments(QVariantList{Shell, QStringLiteral("OverviewActive")} + arguments);
    // No bus activation: a session without GNOME Shell answers at once.
    call.setAutoStartService(false);
    return call;
}

// The overview's state; false when GNOME Shell does not answer.
bool OverviewOpen(QDBusConnection& bus)
{
    const QDBusMessage answer = bus.call(PropertyCall(QStringLiteral("Get"), {}), QDBus::Block, 1000);
    return answer.type() == QDBusMessage::ReplyMessage &&
           qvariant_cast<QDBusVariant>(answer.arguments().value(0)).variant().toBool();
}

}  // namespace

void CloseGnomeOverview(int waitMs)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !OverviewOpen(bus))
        return;
    bus.call(PropertyCall(QStringLiteral("Set"), {QVariant::fromValue(QDBusVariant(false))}), QDBus::Block, 1000);
    // The property stays true until the closing animation is over.
    const QDeadlineTimer deadline(waitMs);
    while (OverviewOpen(bus) && !deadline.hasExpired())
        QThread::msleep(20);
}
