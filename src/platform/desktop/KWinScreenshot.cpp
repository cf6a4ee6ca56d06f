#include "KWinScreenshot.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QFileInfo>
#include <QVariantMap>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

using Clock = std::chrono::steady_clock;

// Reads exactly size bytes from fd before the deadline; false if the writer stops short.
bool ReadAll(int fd, char* into, qsizetype size, Clock::time_point deadline)
{
    qsizetype got = 0;
    while (got < size) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd p{fd, POLLIN, 0};
        if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0)
            return false;
        const ssize_t n = read(fd, into + got, static_cast<size_t>(size - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        got += n;
    }
    return true;
}

}  // namespace

QImage KWinWorkspace(QDBusConnection bus, std::chrono::milliseconds wait, QString* reason)
{
    reason->clear();
    const QString service = QStringLiteral("org.kde.KWin");
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(service))
        return {};
    const Clock::time_point deadline = Clock::now() + wait;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        *reason = QStringLiteral("no pipe for KWin's screenshot");
        return {};
    }
    QDBusMessage reply;
    {
        // The message holds its own copy of the writing end; both go before reading, so
        // a KWin that stops writing ends the read instead of leaving it waiting.
        QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/org/kde/KWin/ScreenShot2"),
                                                           QStringLiteral("org.kde.KWin.ScreenShot2"),
                                                           QStringLiteral("CaptureWorkspace"));
        call << QVariantMap{{QStringLiteral("native-resolution"), true}}
             << QVariant::fromValue(QDBusUnixFileDescriptor(ends[1]));
        close(ends[1]);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        reply = bus.call(call, QDBus::Block, static_cast<int>(std::max<long long>(left, 1)));
    }
    QImage picture;
    if (reply.type() == QDBusMessage::ErrorMessage) {
        if (reply.errorName().endsWith(QLatin1String("NoAuthorized")))
            *reason = QStringLiteral("KWin gives the desktop's picture only to a program named in an installed desktop "
                                     "entry (kestrova-saver-desktop-picture.desktop), and %1 is not one")
                          .arg(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
        else
            *reason = QStringLiteral("KWin's screenshot failed: %1").arg(reply.errorMessage());
    } else if (reply.arguments().size() != 1) {
        *reason = QStringLiteral("KWin's screenshot answered nothing usable");
    } else {
        const QVariantMap results = qdbus_cast<QVariantMap>(reply.arguments().first());
        const int width = results.value(QStringLiteral("width")).toInt();
        const int height = results.value(QStringLiteral("height")).toInt();
        const qsizetype stride = results.value(QStringLiteral("stride")).toLongLong();
        const auto format = static_cast<QImage::Format>(results.value(QStringLiteral("format")).toInt());
        if (results.value(QStringLiteral("type")).toString() != QLatin1String("raw") || width <= 0 || height <= 0 ||
            format <= QImage::Format_Invalid || format >= QImage::NImageFormats) {
            *reason = QStringLiteral("KWin's screenshot came in a form the show does not read");
        } else {
            QImage image(width, height, format);
            if (image.bytesPerLine() == stride) {
                if (ReadAll(ends[0], reinterpret_cast<char*>(image.bits()), stride * height, deadline))
                    picture = image;
            } else {
                // Row by row where KWin's rows are laid out otherwise than ours.
                QByteArray rows(stride * height, Qt::Uninitialized);
                if (ReadAll(ends[0], rows.data(), rows.size(), deadline)) {
                    for (int y = 0; y < height; ++y)
                        std::copy_n(rows.constData() + y * stride, std::min<qsizetype>(stride, image.bytesPerLine()),
                                    reinterpret_cast<char*>(image.scanLine(y)));
                    picture = image;
                }
            }
            if (picture.isNull())
                *reason = QStringLiteral("KWin's screenshot did not arrive in time");
        }
    }
    close(ends[0]);
    return picture;
}
