#include "GnomeShellServer.h"
#include "SaverProcess.h"
#include "ShowPixels.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QUrl>

#include <cstdlib>
#include <functional>

namespace {

constexpr QRgb Maroon = qRgb(128, 0, 0);         // background mode 3
constexpr QRgb SkyBlue = qRgb(0x2a, 0x7a, 0xb0);  // the desktop's colour
constexpr QRgb Green = qRgb(0x3c, 0x9a, 0x3c);    // the wallpaper picture's
constexpr QRgb Violet = qRgb(0x70, 0x40, 0xa0);   // a dark wallpaper's

bool Near(QRgb p, QRgb c)
{
    return std::abs(qRed(p) - qRed(c)) <= 8 && std::abs(qGreen(p) - qGreen(c)) <= 8 && std::abs(qBlue(p) - qBlue(c)) <= 8;
}

// The share of the rows' pixels (every second one) that pass.
double Share(const QImage& shot, const std::function<bool(QRgb)>& passes, int top, int bottom)
{
    int passed = 0;
    int all = 0;
    for (int y = top; y < std::min(bottom, shot.height()); y += 2)
        for (int x = 0; x < shot.width(); x += 2, ++all)
            passed += passes(shot.pixel(x, y));
    return all ? double(passed) / all : 0;
}

bool Dark(QRgb p)
{
    return qRed(p) < 70 && qGreen(p) < 70 && qBlue(p) < 70;
}

// Aircraft and smoke over a background of one colour, below the shell's panel. Neither the desktop alone (no smoke) nor the
// overview (its workspace thumbnail of the desktop over a grey of its own) passes.
bool FlightOver(const QImage& shot, QRgb background)
{
    const ShotCounts c = Count(shot, background, 40);
    return c.colour > (c.colour + c.white + c.other) * 7 / 10 && c.white > 200 && c.other > 300;
}

// Files a screenshot through the portal would leave: in Pictures, or the home when a
// session names no Pictures folder.
QStringList Pictures(const GnomeShellServer& shell)
{
    QStringList files = QDir(shell.PicturesFolder()).entryList(QDir::Files);
    files += QDir(shell.PicturesFolder() + QStringLiteral("/..")).entryList({QStringLiteral("*.png")}, QDir::Files);
    return files;
}

class GnomeShell : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        env_ = new TestEnvironment;
        shell_ = new GnomeShellServer;
    }
    static void TearDownTestSuite()
    {
        delete shell_;
        delete env_;
    }
    void SetUp() override { ASSERT_TRUE(shell_->Ok()) << qPrintable(shell_->Error()); }

    // A drawing of one colour, this many units wide and high.
    QString Drawing(const QString& name, QSize size, const char* colour)
    {
        const QString file = env_->Path() + QLatin1Char('/') + name;
        QFile svg(file);
        EXPECT_TRUE(svg.open(QIODevice::WriteOnly));
        svg.write(QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='%1' height='%2'><rect width='%1' "
                                 "height='%2' fill='%3'/></svg>\n")
                      .arg(size.width())
                      .arg(size.height())
                      .arg(QLatin1String(colour))
                      .toUtf8());
        return file;
    }

    void SetBackground(const QString& options, const QString& primary, const QString& picture = QString())
    {
        const QString schema = QStringLiteral("org.gnome.desktop.background");
        ASSERT_EQ(shell_->Run(QStringLiteral("gsettings"), {QStringLiteral("set"), schema, QStringLiteral("picture-options"), options}), 0);
        ASSERT_EQ(shell_->Run(QStringLiteral("gsettings"), {QStringLiteral("set"), schema, QStringLiteral("primary-color"), primary}), 0);
        ASSERT_EQ(shell_->Run(QStringLiteral("gsettings"), {QStringLiteral("set"), schema, QStringLiteral("picture-uri"), picture}), 0);
    }

    QDBusMessage PermissionStore(const QString& method, const QVariantList& arguments)
    {
        return shell_->Call(QStringLiteral("org.freedesktop.impl.portal.PermissionStore"),
                            QStringLiteral("/org/freedesktop/impl/portal/PermissionStore"),
                            QStringLiteral("org.freedesktop.impl.portal.PermissionStore.") + method, arguments);
    }

    static TestEnvironment* env_;
    static GnomeShellServer* shell_;
};

TestEnvironment* GnomeShell::env_ = nullptr;
GnomeShellServer* GnomeShell::shell_ = nullptr;

}  // namespace

// GNOME opens the overview at login and users leave it open: a show the idle watcher starts
// then closes it, covers the whole output, the panel too, and a key ends it.
TEST_F(GnomeShell, AShowStartedWhileTheOverviewIsOpenCoversTheOutputAndAKeyEndsIt)
{
    Store(env_->SettingsFile(), {{"background mode", "3"}});
    // Mutter makes its remote-desktop devices on their first event; a shift types nothing.
    ASSERT_TRUE(shell_->Type(0xffe1)) << "no key through Mutter's RemoteDesktop";
    shell_->Call(QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"), QStringLiteral("org.freedesktop.DBus.Properties.Set"),
                 {QStringLiteral("org.gnome.Shell"), QStringLiteral("OverviewActive"), QVariant::fromValue(QDBusVariant(true))});
    ASSERT_TRUE(WaitUntil([] { return shell_->OverviewActive(); }, StartLimitMs)) << "the overview did not open";
    SaverProcess watcher(*shell_, {QStringLiteral("--idle"), QStringLiteral("1s")});

    const QImage shot = shell_->ScreenshotWhen([](const QImage& s) {
        return Share(s, [](QRgb p) { return Near(p, Maroon); }, 0, 32) > 0.6 && FlightOver(s, Maroon);
    });
    const ShotCounts c = Count(shot, Maroon);
    EXPECT_GT(Share(shot, [](QRgb p) { return Near(p, Maroon); }, 0, 32), 0.6)
        << "the panel is not covered; whole shot: background " << c.colour << ", smoke " << c.white << ", other " << c.other;
    EXPECT_TRUE(FlightOver(shot, Maroon)) << "no flight over the whole output: background " << c.colour << ", smoke "
                                          << c.white << ", other " << c.other;
    EXPECT_FALSE(shell_->OverviewActive()) << "the overview is still open";

    const qint64 show = ShowOf(watcher.Pid());
    ASSERT_NE(show, 0) << "the watcher runs no show";
    EXPECT_TRUE(WaitUntil([&] { shell_->Type(0xffe1); return ShowOf(watcher.Pid()) != show; }, ExitLimitMs))
        << "a key through GNOME did not end the show";
    EXPECT_TRUE(watcher.Terminate());
}

// With the user's earlier Allow in the permission store, the portal gives the desktop, the
// shell's panel included, under the show, and its file is gone from Pictures.
TEST_F(GnomeShell, WithScreenshotsAllowedTheDesktopIsUnderTheShowAndNoFileIsLeft)
{
    Store(env_->SettingsFile(), {{"background mode", "0"}});
    SetBackground(QStringLiteral("none"), QStringLiteral("#2a7ab0"));
    ASSERT_EQ(PermissionStore(QStringLiteral("SetPermission"), {QStringLiteral("screenshot"), true, QStringLiteral("screenshot"),
                                                                 QString(), QStringList{QStringLiteral("yes")}})
                  .type(),
              QDBusMessage::ReplyMessage);
    SaverProcess show(*shell_, {QStringLiteral("/s")}, QProcessEnvironment(), true);

    const QImage shot = shell_->ScreenshotWhen([](const QImage& s) { return FlightOver(s, SkyBlue); });
    const ShotCounts c = Count(shot, SkyBlue, 40);
    EXPECT_TRUE(FlightOver(shot, SkyBlue)) << "no flight over the desktop's colour: desktop " << c.colour << ", smoke "
                                           << c.white << ", other " << c.other;
    EXPECT_GT(Share(shot, Dark, 0, 24), 0.6) << "the shell's panel is not in the show's background, so the portal's "
                                                "picture was not used";
    EXPECT_EQ(Pictures(*shell_), QStringList()) << "the portal's screenshot file was left behind";

    ASSERT_TRUE(show.Terminate());
    const QString errors = QString::fromLocal8Bit(show.Process().readAllStandardError());
    EXPECT_FALSE(errors.contains(QStringLiteral("wallpaper"))) << qPrintable(errors);
}

// Without the user's answer the show asks no one: GNOME's wallpaper, the picture the test
// set (a drawing, zoomed over the output) is its background, said on standard error, and
// no dialog comes, during the show or after it.
TEST_F(GnomeShell, WithScreenshotsUndecidedTheWallpaperIsUnderTheShowAndNoDialogComes)
{
    Store(env_->SettingsFile(), {{"background mode", "0"}});
    const QString drawing = Drawing(QStringLiteral("wallpaper.svg"), QSize(64, 40), "#3c9a3c");
    SetBackground(QStringLiteral("zoom"), QStringLiteral("#2a7ab0"), QUrl::fromLocalFile(drawing).toString());
    PermissionStore(QStringLiteral("Delete"), {QStringLiteral("screenshot"), QStringLiteral("screenshot")});
    SaverProcess show(*shell_, {QStringLiteral("/s")}, QProcessEnvironment(), true);

    const QImage shot = shell_->ScreenshotWhen([](const QImage& s) {
        return Share(s, [](QRgb p) { return Near(p, Green); }, 0, 32) > 0.6 && FlightOver(s, Green);
    });
    const ShotCounts c = Count(shot, Green);
    EXPECT_GT(Share(shot, [](QRgb p) { return Near(p, Green); }, 0, 32), 0.6)
        << "the wallpaper does not fill the show up to its top; whole shot: wallpaper " << c.colour << ", smoke "
        << c.white << ", other " << c.other;
    EXPECT_TRUE(FlightOver(shot, Green)) << "no flight over the wallpaper: wallpaper " << c.colour << ", smoke "
                                         << c.white << ", other " << c.other;

    ASSERT_TRUE(show.Terminate());
    const QString errors = QString::fromLocal8Bit(show.Process().readAllStandardError());
    EXPECT_TRUE(errors.contains(QStringLiteral("wallpaper"))) << "standard error does not say why: " << qPrintable(errors);
    // A dialog of GNOME's would dim the whole desktop below the panel.
    const QImage after = shell_->Screenshot();
    EXPECT_GT(Share(after, [](QRgb p) { return Near(p, Green) || Near(p, SkyBlue); }, 40, 600), 0.8)
        << "the desktop is not plainly visible after the show: a dialog?";
}

// The dark style's wallpaper, a background file naming one drawing per size as Debian's
// does, gives the drawing nearest the output's size, placed as "scaled" places it: whole,
// with bars of the background colour.
TEST_F(GnomeShell, TheDarkStylesWallpaperIsTheBackgroundFilesNearestDrawingScaledWithBars)
{
    Store(env_->SettingsFile(), {{"background mode", "0"}});
    const QString near = Drawing(QStringLiteral("near.svg"), QSize(200, 100), "#7040a0");
    const QString far = Drawing(QStringLiteral("far.svg"), QSize(200, 100), "#3c9a3c");
    const QString xml = env_->Path() + QStringLiteral("/background.xml");
    QFile background(xml);
    ASSERT_TRUE(background.open(QIODevice::WriteOnly));
    background.write(QStringLiteral("<background><static><duration>8640000.0</duration><file>\n"
                                    "<size width=\"3840\" height=\"2160\">%1</size>\n"
                                    "<size width=\"1024\" height=\"768\">%2</size>\n"
                                    "</file></static></background>\n")
                         .arg(far, near)
                         .toUtf8());
    background.close();
    SetBackground(QStringLiteral("scaled"), QStringLiteral("#2a7ab0"), QStringLiteral("file:///nonexistent.png"));
    const QString schema = QStringLiteral("org.gnome.desktop.background");
    ASSERT_EQ(shell_->Run(QStringLiteral("gsettings"), {QStringLiteral("set"), schema, QStringLiteral("picture-uri-dark"),
                                                        QUrl::fromLocalFile(xml).toString()}), 0);
    ASSERT_EQ(shell_->Run(QStringLiteral("gsettings"), {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.interface"),
                                                        QStringLiteral("color-scheme"), QStringLiteral("prefer-dark")}), 0);
    PermissionStore(QStringLiteral("Delete"), {QStringLiteral("screenshot"), QStringLiteral("screenshot")});
    SaverProcess show(*shell_, {QStringLiteral("/s")});

    // On 800 x 600 the 2:1 drawing is 800 x 400, with bars of 100 rows above and below.
    const auto barsAndDrawing = [](const QImage& s) {
        return Share(s, [](QRgb p) { return Near(p, SkyBlue); }, 0, 90) > 0.6 &&
               Share(s, [](QRgb p) { return Near(p, Violet); }, 110, 490) > 0.6;
    };
    const QImage shot = shell_->ScreenshotWhen(barsAndDrawing);
    EXPECT_TRUE(barsAndDrawing(shot)) << "bar " << Share(shot, [](QRgb p) { return Near(p, SkyBlue); }, 0, 90)
                                      << " of the background colour, drawing "
                                      << Share(shot, [](QRgb p) { return Near(p, Violet); }, 110, 490)
                                      << " of the nearest size's colour";
    EXPECT_TRUE(show.Terminate());
    shell_->Run(QStringLiteral("gsettings"), {QStringLiteral("reset"), QStringLiteral("org.gnome.desktop.interface"),
                                              QStringLiteral("color-scheme")});
}
