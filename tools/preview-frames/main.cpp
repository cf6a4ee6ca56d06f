// Makes the six preview pictures of the settings preview from real frames of the show:
// plain colour / desktop / picture background, each in solo and formation flight.
// Usage: preview-frames <output folder>   (writes prev0.png .. prev5.png there)
#include "Flight.h"
#include "FrameComposer.h"
#include "LaunchAircraft.h"
#include "QtPictures.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

constexpr int ShowWidth = 1024;
constexpr int ShowHeight = 768;

QImage DesktopPicture()
{
    QImage image(ShowWidth, ShowHeight, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, ShowHeight);
    sky.setColorAt(0, QColor(38, 104, 160));
    sky.setColorAt(1, QColor(90, 160, 200));
    p.fillRect(image.rect(), sky);
    for (int i = 0; i < 5; ++i) {  // desktop icons with their labels
        p.setBrush(i % 2 ? QColor(240, 215, 110) : QColor(225, 232, 245));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRect(30, 40 + i * 110, 64, 64), 10, 10);
        p.fillRect(QRect(22, 112 + i * 110, 80, 10), QColor(245, 245, 245));
    }
    p.fillRect(QRect(520, 120, 420, 300), QColor(246, 246, 246));  // an open window
    p.fillRect(QRect(520, 120, 420, 36), QColor(55, 85, 150));
    for (int i = 0; i < 8; ++i)
        p.fillRect(QRect(545, 180 + i * 28, 300 - (i % 3) * 60, 8), QColor(160, 160, 160));
    p.fillRect(QRect(0, ShowHeight - 56, ShowWidth, 56), QColor(32, 36, 46));  // the panel
    p.fillRect(QRect(12, ShowHeight - 44, 70, 32), QColor(85, 160, 90));
    return image;
}

QImage LandscapePicture()
{
    QImage image(ShowWidth, ShowHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, ShowHeight);
    sky.setColorAt(0, QColor(110, 165, 235));
    sky.setColorAt(0.7, QColor(215, 225, 235));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 244, 200));
    p.drawEllipse(QPointF(820, 120), 50, 50);
    QPainterPath mountains;
    mountains.moveTo(0, 520);
    const int peaks[] = {430, 500, 360, 470, 400, 520, 380, 460, 420};
    for (int i = 0; i < 9; ++i)
        mountains.lineTo(60 + i * 120, peaks[i]);
    mountains.lineTo(ShowWidth, 480);
    mountains.lineTo(ShowWidth, ShowHeight);
    mountains.lineTo(0, ShowHeight);
    p.setBrush(QColor(96, 110, 140));
    p.drawPath(mountains);
    QPainterPath fields;
    fields.moveTo(0, 600);
    fields.cubicTo(300, 540, 600, 620, ShowWidth, 560);
    fields.lineTo(ShowWidth, ShowHeight);
    fields.lineTo(0, ShowHeight);
    p.setBrush(QColor(70, 125, 60));
    p.drawPath(fields);
    return image;
}

// Runs the show over `background` and returns the frame after `frames` frames.
QImage ShowFrame(const QImage& background, int16_t flightMode, int frames, uint64_t seed)
{
    SaverSettings settings;
    settings.FlightMode = flightMode;
    settings.BlueCount = 12;
    Flight flight(settings, ShowWidth, ShowHeight, seed);
    FrameComposer composer(ShowWidth, ShowHeight);
    composer.SetBackground(SurfaceOfImage(background));
    composer.LoadSmokeSurfaces(ReadSmokePictures());
    const int16_t kind = StartFlightModel(flight);
    composer.LoadKindSprites(kind, ReadHeadingPictures(kind), KindCellEdge(kind));
    for (int i = 0; i < frames; ++i) {
        LaunchAircraft(flight);
        StepAircraft(flight, composer);
    }
    return ImageView(composer.Frame(), QImage::Format_RGB32).copy();
}

}  // namespace

int main(int argc, char** argv)
{
    // Painting into images needs no display; the offscreen platform keeps it headless.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: preview-frames <output folder>\n");
        return 2;
    }
    QImage colour(ShowWidth, ShowHeight, QImage::Format_RGB32);
    colour.fill(QColor(0, 0, 128));
    const QImage backgrounds[] = {colour, DesktopPicture(), LandscapePicture()};
    for (int group = 0; group < 3; ++group) {
        for (int16_t mode = 0; mode <= 1; ++mode) {
            // Far enough in that the trails are long; formations need longer to form figures.
            const QImage frame = ShowFrame(backgrounds[group], mode, mode ? 260 : 200, 7 + group);
            const QString path = QStringLiteral("%1/prev%2.png").arg(QString::fromLocal8Bit(argv[1])).arg(2 * group + mode);
            if (!frame.scaled(240, 180, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
