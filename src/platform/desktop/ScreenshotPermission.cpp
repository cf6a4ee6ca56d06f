#include "ScreenshotPermission.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QMap>
#include <QStringList>

namespace {
using AppPermissions = QMap<QString, QStringList>;
}  // namespace

ScreenshotPermission LookupScreenshotPermission(QString* reason)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        *reason = QStringLiteral("there is no session bus");
        return ScreenshotPermission::NoStore;
    }
    // The store is started on demand by the bus, as the portal itself would start it.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.impl.portal.PermissionStore"), QStringLiteral("/org/freedesktop/impl/portal/PermissionStore"),
        QStringLiteral("org.freedesktop.impl.portal.PermissionStore"), QStringLiteral("Lookup"));
    call.setArguments({QStringLiteral("screenshot"), QStringLiteral("screenshot")});
    const QDBusMessage answer = bus.call(call, QDBus::Block, 1000);
    if (answer.type() == QDBusMessage::ErrorMessage) {
        if (answer.errorName() == QLatin1String("org.freedesktop.portal.Error.NotFound")) {
            *reason = QStringLiteral("the screenshot permission was never asked for");
            return ScreenshotPermission::Undecided;
        }
        *reason = QStringLiteral("the desktop portal's permission store does not answer (%1)").arg(answer.errorMessage());
        return ScreenshotPermission::NoStore;
    }
    // Programs outside a sandbox are the application id "".
    const AppPermissions apps = qdbus_cast<AppPermissions>(answer.arguments().value(0));
    const QStringList permission = apps.value(QString());
    if (permission == QStringList{QStringLiteral("yes")})
        return ScreenshotPermission::Granted;
    if (permission == QStringList{QStringLiteral("no")}) {
        *reason = QStringLiteral("the user did not allow programs to take screenshots");
        return ScreenshotPermission::Denied;
    }
    *reason = QStringLiteral("the screenshot permission was never asked for");
    return ScreenshotPermission::Undecided;
}
