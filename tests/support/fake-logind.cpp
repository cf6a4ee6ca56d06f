// A stand-in for logind on a private bus, for the tests of a show that ends before a
// lock or sleep: owns org.freedesktop.login1, answers GetSession with a session of its
// own and, for each line on standard input, sends "lock" as that session's Lock or
// "sleep" as the manager's PrepareForSleep(true). Says "asked" on standard output each
// time a program asks for its session.
//
//   test-fake-logind BUS-ADDRESS
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QSocketNotifier>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {
const QString SessionPath = QStringLiteral("/org/freedesktop/login1/session/_31");
}

class FakeManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public slots:
    QDBusObjectPath GetSession(const QString&)
    {
        std::puts("asked");
        std::fflush(stdout);
        return QDBusObjectPath(SessionPath);
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: test-fake-logind BUS-ADDRESS\n", stderr);
        return 2;
    }
    QDBusConnection bus = QDBusConnection::connectToBus(QString::fromLocal8Bit(argv[1]), QStringLiteral("logind"));
    FakeManager manager;
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/login1"), &manager, QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.login1"))) {
        std::fprintf(stderr, "test-fake-logind: cannot serve on %s\n", argv[1]);
        return 1;
    }
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            app.quit();
            return;
        }
        const std::string lines(buffer, static_cast<size_t>(n));
        if (lines.find("lock") != std::string::npos)
            bus.send(QDBusMessage::createSignal(SessionPath, QStringLiteral("org.freedesktop.login1.Session"),
                                                QStringLiteral("Lock")));
        if (lines.find("sleep") != std::string::npos)
            bus.send(QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                QStringLiteral("org.freedesktop.login1.Manager"),
                                                QStringLiteral("PrepareForSleep"))
                     << true);
    });
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}

#include "fake-logind.moc"
