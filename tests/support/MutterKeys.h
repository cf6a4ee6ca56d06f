#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QString>
#include <QVariantList>

// A method call on a bus, `method` with its interface.
inline QDBusMessage BusCall(const QDBusConnection& bus, const QString& service, const QString& path,
                            const QString& method, const QVariantList& arguments)
{
    const qsizetype dot = method.lastIndexOf(QLatin1Char('.'));
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, method.left(dot), method.mid(dot + 1));
    call.setArguments(arguments);
    return bus.call(call);
}

// Keys typed through Mutter's RemoteDesktop interface (mutter or GNOME Shell), which count
// as the user's input. The session is made on the first key.
class MutterKeys {
public:
    // Presses and releases a key (an X keysym); false when Mutter refused.
    bool Type(const QDBusConnection& bus, uint keysym)
    {
        if (session_.isEmpty()) {
            const QDBusReply<QDBusObjectPath> created =
                BusCall(bus, QStringLiteral("org.gnome.Mutter.RemoteDesktop"), QStringLiteral("/org/gnome/Mutter/RemoteDesktop"),
                        QStringLiteral("org.gnome.Mutter.RemoteDesktop.CreateSession"), {});
            if (!created.isValid())
                return false;
            session_ = created.value().path();
            if (SessionCall(bus, QStringLiteral("Start"), {}).type() != QDBusMessage::ReplyMessage)
                return false;
        }
        return SessionCall(bus, QStringLiteral("NotifyKeyboardKeysym"), {keysym, true}).type() == QDBusMessage::ReplyMessage &&
               SessionCall(bus, QStringLiteral("NotifyKeyboardKeysym"), {keysym, false}).type() == QDBusMessage::ReplyMessage;
    }

private:
    QDBusMessage SessionCall(const QDBusConnection& bus, const QString& method, const QVariantList& arguments) const
    {
        return BusCall(bus, QStringLiteral("org.gnome.Mutter.RemoteDesktop"), session_,
                       QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session.") + method, arguments);
    }

    QString session_;
};
