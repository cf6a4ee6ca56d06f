#include "PlasmaWallpaper.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

// A wallpaper package holds one picture in several sizes: the screen gets the one nearest
// its own, filled and cropped to its pixels, whether its containment names the package's
// folder or, naming nothing, the look-and-feel's defaults name the package.
TEST(PlasmaWallpaper, APackageGivesThePictureNearestTheScreensSize)
{
    TestEnvironment env;
    const QString data = env.Path() + QStringLiteral("/data");
    qputenv("XDG_DATA_DIRS", QFile::encodeName(data));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    const QString images = data + QStringLiteral("/wallpapers/Dunes/contents/images");
    QDir().mkpath(images);
    for (const auto& [size, colour] : {std::pair{QSize(1280, 1024), Qt::red}, std::pair{QSize(1920, 1080), Qt::blue}}) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(images + QStringLiteral("/%1x%2.png").arg(size.width()).arg(size.height())));
    }
    QFile applets(env.ConfigDir() + QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc"));
    ASSERT_TRUE(applets.open(QIODevice::WriteOnly));
    applets.write(QStringLiteral("[Containments][3]\nactivityId=a1\nlastScreen=1\n\n"
                                 "[Containments][3][Wallpaper][org.kde.image][General]\nImage=%1/wallpapers/Dunes/\n")
                      .arg(data)
                      .toUtf8());
    applets.close();

    QString reason;
    const QImage wide = PlasmaWallpaper(1, QSize(1600, 900), &reason);
    ASSERT_EQ(wide.size(), QSize(1600, 900)) << qPrintable(reason);
    EXPECT_EQ(wide.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(PlasmaWallpaper(1, QSize(1280, 1024), &reason).pixel(640, 512), qRgb(255, 0, 0));
    EXPECT_TRUE(PlasmaWallpaper(0, QSize(1280, 1024), &reason).isNull()) << "no containment, no look-and-feel";

    const QString lookAndFeel = data + QStringLiteral("/plasma/look-and-feel/org.kde.breeze.desktop/contents");
    QDir().mkpath(lookAndFeel);
    QFile defaults(lookAndFeel + QStringLiteral("/defaults"));
    ASSERT_TRUE(defaults.open(QIODevice::WriteOnly));
    defaults.write("[Wallpaper]\nImage=Dunes\n");
    defaults.close();
    const QImage byDefault = PlasmaWallpaper(0, QSize(1366, 768), &reason);
    ASSERT_EQ(byDefault.size(), QSize(1366, 768)) << qPrintable(reason);
    EXPECT_EQ(byDefault.pixel(0, 0), qRgb(0, 0, 255));
}
