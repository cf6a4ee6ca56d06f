#pragma once

// Helpers of the end-to-end tests that run the program the way screen-saver daemons do.

#include "SaverProcess.h"
#include "XvfbServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <unistd.h>

namespace daemon_test {

// A window of another process, as a daemon owns it; "resize" and "quit" go to it.
class HostWindowProcess {
public:
    // `kind`: empty for a plain window, else "inputonly", "unmapped" or "pixmap".
    HostWindowProcess(const XvfbServer& x, int w, int h, const char* colour = "ff0000", const char* kind = "")
    {
        process_.setProcessEnvironment(x.Environment());
        process_.start(QStringLiteral(KESTROVA_HOST_WINDOW), {QString::number(w), QString::number(h),
                                                              QString::fromLatin1(colour), QString::fromLatin1(kind)});
        process_.waitForStarted(StartLimitMs);
        while (!process_.canReadLine() && process_.waitForReadyRead(StartLimitMs)) {
        }
        id_ = QString::fromLatin1(process_.readLine()).trimmed().toUInt();
    }
    ~HostWindowProcess()
    {
        process_.kill();
        process_.waitForFinished(2000);
    }
    uint32_t Id() const { return id_; }
    QString Hex() const { return QStringLiteral("0x") + QString::number(id_, 16); }
    QString Decimal() const { return QString::number(id_); }
    void Resize(int w, int h)
    {
        process_.write(QStringLiteral("resize %1 %2\n").arg(w).arg(h).toLatin1());
        process_.waitForBytesWritten(1000);
    }
    void Destroy()
    {
        process_.write("quit\n");
        process_.waitForFinished(ExitLimitMs);
    }

private:
    QProcess process_;
    uint32_t id_ = 0;
};

// The host window's top-left corner on the screen (the helper puts it there).
constexpr int HostX = 10;
constexpr int HostY = 10;

inline void Store(const QString& file, std::initializer_list<std::pair<const char*, QString>> entries)
{
    QSettings store(file, QSettings::IniFormat);
    for (const auto& [key, value] : entries)
        store.setValue(QStringLiteral("Option/") + QLatin1String(key), value);
}

inline bool Near(QRgb a, QRgb b, int tolerance = 6)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Share of the sampled pixels of `area` that have the colour, and how many are neither
// that colour nor `other` (aircraft and smoke).
struct AreaCounts {
    double colourShare = 0;
    int different = 0;
    int total = 0;
};

inline AreaCounts CountArea(const QImage& shot, QRect area, QRgb colour, QRgb other)
{
    AreaCounts c;
    int same = 0;
    for (int y = area.top(); y <= area.bottom(); y += 2)
        for (int x = area.left(); x <= area.right(); x += 2) {
            const QRgb p = shot.pixel(x, y);
            ++c.total;
            if (Near(p, colour))
                ++same;
            else if (!Near(p, other))
                ++c.different;
        }
    c.colourShare = c.total ? double(same) / c.total : 0;
    return c;
}

// Screen-saver daemons refuse to run their savers as root, so as root the daemon and
// its savers run as "nobody". Elsewhere they run as the current user.
inline bool RunningAsRoot()
{
    return geteuid() == 0;
}

inline QStringList AsSaverUser(const QString& program, const QStringList& arguments)
{
    if (!RunningAsRoot())
        return QStringList{program} + arguments;
    return QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                       QStringLiteral("--clear-groups"), program} +
           arguments;
}

// Hands a test folder to the saver user.
inline void GiveToSaverUser(const QString& path)
{
    if (RunningAsRoot())
        QProcess::execute(QStringLiteral("chown"), {QStringLiteral("-R"), QStringLiteral("65534:65534"), path});
}

// Processes still alive (zombies do not count) whose program is `executable`.
inline QList<qint64> LiveProcessesOf(const QString& executable)
{
    QList<qint64> found;
    const QString wanted = QFileInfo(executable).canonicalFilePath();
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const qsizetype close = text.lastIndexOf(')');
        if (close < 0 || text.mid(close + 2, 1) == "Z")
            continue;
        if (QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).canonicalFilePath() == wanted)
            found << pid;
    }
    return found;
}

inline bool ProcessAlive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && text.mid(close + 2, 1) != "Z";
}

// An external player for music mode 2: adds a line with its process id and the file
// it was given to "started", and writes "closed" when asked to close with SIGTERM.
inline QString WritePlayerScript(const QString& folder)
{
    const QString path = folder + QStringLiteral("/player.sh");
    QFile script(path);
    script.open(QIODevice::WriteOnly);
    script.write("#!/bin/sh\n"
                 "echo \"$$ $1\" >> \"$(dirname \"$0\")/started\"\n"
                 "trap 'echo closed > \"$(dirname \"$0\")/closed\"; exit 0' TERM\n"
                 "while :; do sleep 0.05; done\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                          QFile::ExeOther);
    return path;
}

// A one-second 440 Hz tone, 16-bit mono WAV, for music mode 1.
inline bool WriteToneWav(const QString& path)
{
    constexpr int rate = 22050;
    QByteArray samples;
    for (int i = 0; i < rate; ++i) {
        const auto v = static_cast<int16_t>(12000 * std::sin(2 * 3.14159265358979 * 440 * i / rate));
        samples.append(static_cast<char>(v & 0xff));
        samples.append(static_cast<char>((v >> 8) & 0xff));
    }
    auto u32 = [](uint32_t v) {
        return QByteArray(reinterpret_cast<const char*>(&v), 4);
    };
    auto u16 = [](uint16_t v) {
        return QByteArray(reinterpret_cast<const char*>(&v), 2);
    };
    QByteArray wav = "RIFF" + u32(36 + samples.size()) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(rate) +
                     u32(rate * 2) + u16(2) + u16(16) + "data" + u32(samples.size()) + samples;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(wav) == wav.size();
}

// True when the file exists and holds at least some bytes that are not zero (sound).
inline bool HoldsSound(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    for (const char b : data)
        if (b != 0)
            return true;
    return false;
}

}  // namespace daemon_test
