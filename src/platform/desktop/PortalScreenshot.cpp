#include "PortalScreenshot.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QFile>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>

namespace {

const QString Portal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");

// The Request object's Response signal: the portal's answer to one call.
class PortalAnswer : public QObject {
    Q_OBJECT
public:
    bool Came = false;
    uint Response = 2;  // 0 done, 1 cancelled by the user, 2 otherwise ended
    QVariantMap Results;

signals:
    void Answered();

public slots:
    void Take(uint response, const QVariantMap& results)
    {
        Came = true;
        Response = response;
        Results = results;
        emit Answered();
    }
};

}  // namespace

QImage PortalScreenshot(int waitMs, QString* reason)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        *reason = QStringLiteral("there is no session bus");
        return QImage();
    }
    // The request's object path is known before the call from our token, so the answer
    // cannot come before we listen for it.
    const QString token = QStringLiteral("kestrova%1").arg(QRandomGenerator::global()->generate());
    const QString sender = bus.baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString request = PortalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
    PortalAnswer answer;
    bus.connect(Portal, request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"), &answer,
                SLOT(Take(uint, QVariantMap)));

    QDBusMessage call =
        QDBusMessage::createMethodCall(Portal, PortalPath, QStringLiteral("org.freedesktop.portal.Screenshot"),
                                       QStringLiteral("Screenshot"));
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("interactive"), false},
                              {QStringLiteral("modal"), false}};
    call.setArguments({QString(), options});
    QEventLoop loop;
    QObject::connect(&answer, &PortalAnswer::Answered, &loop, &QEventLoop::quit);
    QTimer::singleShot(waitMs, &loop, &QEventLoop::quit);
    QDBusPendingCallWatcher called(bus.asyncCall(call, waitMs));
    QObject::connect(&called, &QDBusPendingCallWatcher::finished, &loop, [&loop, &called] {
        if (called.isError())
            loop.quit();
    });
    loop.exec();
    bus.disconnect(Portal, request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"), &answer,
                   SLOT(Take(uint, QVariantMap)));
    if (called.isFinished() && called.isError()) {
        *reason = QStringLiteral("the desktop portal could not be called (%1)").arg(called.error().message());
        return QImage();
    }
    if (!answer.Came) {
        // Withdrawn, so the portal writes no file nobody will delete.
        bus.call(QDBusMessage::createMethodCall(Portal, request, QStringLiteral("org.freedesktop.portal.Request"),
                                                QStringLiteral("Close")),
                 QDBus::NoBlock);
        *reason = QStringLiteral("the desktop portal gave no screenshot within %1 ms").arg(waitMs);
        return QImage();
    }
    if (answer.Response != 0) {
        *reason = QStringLiteral("the desktop portal refused the screenshot");
        return QImage();
    }
    const QString file = QUrl(answer.Results.value(QStringLiteral("uri")).toString()).toLocalFile();
    const QImage picture(file);
    QFile::remove(file);
    if (picture.isNull())
        *reason = QStringLiteral("the desktop portal's screenshot %1 could not be read").arg(file);
    return picture;
}

#include "PortalScreenshot.moc"
