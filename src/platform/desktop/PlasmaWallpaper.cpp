#include "PlasmaWallpaper.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QImageReader>
#include <QMap>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

#include <cmath>
#include <limits>

namespace {

// A KDE configuration file: each group's path ([Containments][1][Wallpaper]... as a list)
// with its keys.
using ConfigGroups = QMap<QStringList, QMap<QString, QString>>;

ConfigGroups ReadConfig(const QString& path)
{
    ConfigGroups groups;
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return groups;
    QTextStream in(&file);
    QStringList group;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            group = line.mid(1, line.size() - 2).split(QStringLiteral("]["));
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && !line.startsWith(QLatin1Char('#')))
            groups[group][line.left(equals).trimmed()] = line.mid(equals + 1).trimmed();
    }
    return groups;
}

QString ConfigFile(const QString& name)
{
    return QStandardPaths::locate(QStandardPaths::GenericConfigLocation, name);
}

// The Image= of the desktop containment Plasma last showed on that screen.
QString ContainmentImage(int screen)
{
    const ConfigGroups groups = ReadConfig(ConfigFile(QStringLiteral("plasma-org.kde.plasma.desktop-appletsrc")));
    for (auto group = groups.begin(); group != groups.end(); ++group) {
        const QStringList& path = group.key();
        if (path.size() != 2 || path[0] != QLatin1String("Containments") ||
            group->value(QStringLiteral("lastScreen")) != QString::number(screen) ||
            group->value(QStringLiteral("activityId")).isEmpty())  // panels belong to no activity
            continue;
        const QString plugin = group->value(QStringLiteral("wallpaperplugin"), QStringLiteral("org.kde.image"));
        const QString image =
            groups.value({path[0], path[1], QStringLiteral("Wallpaper"), plugin, QStringLiteral("General")})
                .value(QStringLiteral("Image"));
        if (!image.isEmpty())
            return image;
    }
    return {};
}

// The look-and-feel package's default wallpaper, a package name such as "Next".
QString LookAndFeelWallpaper()
{
    const QString package = ReadConfig(ConfigFile(QStringLiteral("kdeglobals")))
                                .value({QStringLiteral("KDE")})
                                .value(QStringLiteral("LookAndFeelPackage"), QStringLiteral("org.kde.breeze.desktop"));
    const QString defaults = QStandardPaths::locate(
        QStandardPaths::GenericDataLocation, QStringLiteral("plasma/look-and-feel/%1/contents/defaults").arg(package));
    return ReadConfig(defaults).value({QStringLiteral("Wallpaper")}).value(QStringLiteral("Image"));
}

// A wallpaper package holds the picture in several sizes, named WIDTHxHEIGHT: the one of
// the screen's shape, then of its area, is cropped least and scaled least.
QString NearestInPackage(const QString& folder, QSize pixels)
{
    const QDir images(folder + QStringLiteral("/contents/images"));
    const auto misfit = [pixels](double width, double height) {
        const double shape = std::abs(std::log((width / height) / (double(pixels.width()) / pixels.height())));
        const double area = std::abs(std::log(width * height / (double(pixels.width()) * pixels.height())));
        return shape * 10 + area;
    };
    QString nearest;
    double best = std::numeric_limits<double>::max();
    for (const QString& name : images.entryList(QDir::Files)) {
        const QStringList size = name.section(QLatin1Char('.'), 0, 0).split(QLatin1Char('x'));
        if (size.size() != 2 || size[0].toInt() <= 0 || size[1].toInt() <= 0)
            continue;
        if (const double m = misfit(size[0].toInt(), size[1].toInt()); m < best) {
            best = m;
            nearest = images.filePath(name);
        }
    }
    return nearest;
}

// Image= names a file (path or file: URL), a package folder, or a package by name.
QString PictureFile(const QString& image, QSize pixels)
{
    QString path = image.startsWith(QLatin1String("file:")) ? QUrl(image).toLocalFile() : image;
    if (!QDir::isAbsolutePath(path))
        path = QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("wallpapers/") + path,
                                      QStandardPaths::LocateDirectory);
    if (path.isEmpty())
        return {};
    return QFileInfo(path).isDir() ? NearestInPackage(path, pixels) : path;
}

}  // namespace

QImage PlasmaWallpaper(int screen, QSize pixels, QString* reason)
{
    QString image = ContainmentImage(screen);
    if (image.isEmpty())
        image = LookAndFeelWallpaper();
    if (image.isEmpty()) {
        *reason = QStringLiteral("Plasma names no wallpaper for screen %1").arg(screen);
        return {};
    }
    const QString file = PictureFile(image, pixels);
    QImage picture = file.isEmpty() ? QImage() : QImageReader(file).read();
    if (picture.isNull()) {
        *reason = QStringLiteral("Plasma's wallpaper %1 cannot be read").arg(file.isEmpty() ? image : file);
        return {};
    }
    // Filled and cropped about the centre, as Plasma shows it by default.
    picture = picture.scaled(pixels, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return picture
        .copy((picture.width() - pixels.width()) / 2, (picture.height() - pixels.height()) / 2, pixels.width(),
              pixels.height())
        .convertToFormat(QImage::Format_RGB32);
}
