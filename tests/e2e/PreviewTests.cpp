#include "SaverProcess.h"
#include "TestEnvironment.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>

namespace {

// A host window of another process, as the display-properties dialog would own.
class HostWindowProcess {
public:
    HostWindowProcess(const XvfbServer& x, int w, int h)
    {
        process_.setProcessEnvironment(x.Environment());
        process_.start(QStringLiteral(KESTROVA_HOST_WINDOW), {QString::number(w), QString::number(h), "ff00ff"});
        process_.waitForStarted(StartLimitMs);
        while (!process_.canReadLine() && process_.waitForReadyRead(StartLimitMs)) {
        }
        id_ = QString::fromLatin1(process_.readLine()).trimmed();
    }
    ~HostWindowProcess()
    {
        process_.kill();
        process_.waitForFinished(2000);
    }
    QString Id() const { return id_; }
    void Destroy()
    {
        process_.write("quit\n");
        process_.waitForFinished(ExitLimitMs);
    }

private:
    QProcess process_;
    QString id_;
};

void StoreInts(const QString& file, std::initializer_list<std::pair<const char*, int>> entries)
{
    QSettings store(file, QSettings::IniFormat);
    for (const auto& [key, value] : entries)
        store.setValue(QStringLiteral("Option/") + QLatin1String(key), QString::number(value));
}

// Mean absolute difference per channel between a region of the screenshot and the
// same-size region of the expected picture.
double Difference(const QImage& shot, QPoint at, const QImage& expected, QRect region)
{
    double sum = 0;
    int count = 0;
    for (int y = region.top(); y <= region.bottom(); y += 3)
        for (int x = region.left(); x <= region.right(); x += 3) {
            const QRgb a = shot.pixel(at.x() + x, at.y() + y);
            const QRgb b = expected.pixel(x, y);
            sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
            count += 3;
        }
    return sum / count;
}

QImage PreviewPicture(int index)
{
    return QImage(QStringLiteral(KESTROVA_SOURCE_DIR "/assets/preview/prev%1.png").arg(index))
        .convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(Preview, ShowsTheChosenPictureInsideTheHostAndEndsWithIt)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("640x480x24"));
    ASSERT_TRUE(x.Ok());
    // Colour background, formation flight: picture 1.
    StoreInts(env.SettingsFile(), {{"background mode", 2}, {"flight mode", 1}});

    HostWindowProcess host(x, 240, 180);
    ASSERT_FALSE(host.Id().isEmpty());
    SaverProcess preview(x, {QStringLiteral("/p"), host.Id()});
    const QPoint hostOrigin(10, 10);
    // Outside the emblem (one third of the width at the top-left) the picture fills the host.
    const QRect region(90, 90, 150, 90);
    const QImage shot = x.ScreenshotWhen(env.Path() + QStringLiteral("/preview.png"), [&](const QImage& image) {
                             return Difference(image, hostOrigin, PreviewPicture(1), region) < 12.0;
                         }).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(shot.isNull());
    ASSERT_TRUE(preview.Running());
    const double chosen = Difference(shot, hostOrigin, PreviewPicture(1), region);
    EXPECT_LT(chosen, 12.0);
    for (int other : {0, 2, 3, 4, 5})
        EXPECT_GT(Difference(shot, hostOrigin, PreviewPicture(other), region), chosen + 5) << other;
    // The emblem covers the top-left square: its centre is not the picture's.
    EXPECT_NE(shot.pixel(hostOrigin + QPoint(40, 40)), PreviewPicture(1).pixel(40, 40));
    // Nothing of the host's magenta shows through.
    EXPECT_NE(shot.pixel(hostOrigin + QPoint(235, 175)), qRgb(255, 0, 255));

    host.Destroy();
    EXPECT_TRUE(preview.WaitForExit());
    EXPECT_EQ(preview.ExitCode(), 0);
}

TEST(Preview, AHostThatIsNoWindowEndsAtOnce)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("320x240x24"));
    ASSERT_TRUE(x.Ok());
    for (const QStringList& args : {QStringList{"/p", "0"}, QStringList{"/p"}, QStringList{"/p", "123456789"},
                                    QStringList{"/p:abc"}}) {
        SaverProcess preview(x, args);
        EXPECT_TRUE(preview.WaitForExit(StartLimitMs)) << args.join(' ').toStdString();
        EXPECT_EQ(preview.ExitCode(), 0);
    }
}
