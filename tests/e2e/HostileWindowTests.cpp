// Window ids a daemon or a settings dialog might pass that are no fit place for a show:
// the program must end at once as for a window that does not exist, or bound what it
// allocates, never crash or eat the machine's memory.
#include "DaemonSupport.h"
#include "SaverProcess.h"
#include "TestEnvironment.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

using namespace daemon_test;

namespace {

QProcessEnvironment SoftwareOpenGl()
{
    QProcessEnvironment extra;
    extra.insert(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));
    return extra;
}

// The most the process has had resident, in MB (0 once it is gone).
long PeakResidentMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
    }
    return 0;
}

}  // namespace

TEST(HostileWindow, OnlyAViewableInputOutputWindowMayHostAShowOrAPreview)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("640x480x24"));
    ASSERT_TRUE(x.Ok());
    Store(env.SettingsFile(), {{"background mode", "2"}});
    for (const char* kind : {"inputonly", "unmapped", "pixmap"}) {
        HostWindowProcess host(x, 300, 200, "ff0000", kind);
        ASSERT_NE(host.Id(), 0u) << kind;
        for (const QString& showKind : {QStringLiteral("0"), QStringLiteral("200")}) {
            SaverProcess show(x, {QStringLiteral("-window-id"), host.Hex(), QStringLiteral("--kind"), showKind},
                              SoftwareOpenGl(), true);
            ASSERT_TRUE(show.WaitForExit()) << kind << " hosts kind " << showKind.toStdString();
            EXPECT_EQ(show.ExitCode(), 1) << kind;
            EXPECT_TRUE(show.Process().readAllStandardError().contains(host.Hex().toLatin1())) << kind;
        }
        SaverProcess preview(x, {QStringLiteral("/p"), host.Decimal()});
        ASSERT_TRUE(preview.WaitForExit()) << kind << " hosts the preview";
        EXPECT_EQ(preview.ExitCode(), 0) << kind;
    }
}

TEST(HostileWindow, AHostLargerThanTheDisplayIsDrawnAtTheDisplaysSize)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("800x600x24"));
    ASSERT_TRUE(x.Ok());
    Store(env.SettingsFile(), {{"background mode", "2"}});
    HostWindowProcess host(x, 12000, 12000);
    // Drawn at its full size each of these would need gigabytes.
#if defined(__SANITIZE_ADDRESS__)
    constexpr long LimitMb = 2048;
#else
    constexpr long LimitMb = 1024;
#endif
    const QStringList ways[] = {{QStringLiteral("-window-id"), host.Hex()},
                                {QStringLiteral("-window-id"), host.Hex(), QStringLiteral("--kind"), QStringLiteral("200")},
                                {QStringLiteral("/p"), host.Decimal()}};
    for (const QStringList& way : ways) {
        const std::string name = way.join(' ').toStdString();
        SaverProcess saver(x, way, SoftwareOpenGl());
        long peak = 0;
        // Over the visible part of the host: no more of the host's red.
        const QImage shot = x.ScreenshotWhen(env.Path() + QStringLiteral("/big.png"), [&](const QImage& image) {
            peak = std::max(peak, PeakResidentMb(saver.Pid()));
            if (peak > LimitMb)
                return true;
            return CountArea(image, QRect(HostX, HostY, 800 - HostX, 600 - HostY), qRgb(255, 0, 0), qRgb(0, 0, 0))
                       .colourShare < 0.01;
        });
        ASSERT_LE(peak, LimitMb) << name;
        ASSERT_TRUE(saver.Running()) << name;
        EXPECT_LT(CountArea(shot, QRect(HostX, HostY, 800 - HostX, 600 - HostY), qRgb(255, 0, 0), qRgb(0, 0, 0))
                      .colourShare,
                  0.01)
            << name << ": the visible part of the host is covered";
        EXPECT_TRUE(saver.Terminate()) << name;
        EXPECT_EQ(saver.ExitCode(), 0) << name;
    }
}
