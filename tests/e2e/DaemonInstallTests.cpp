// `cmake --install` gives a program that runs from its installed place.
#include "DaemonSupport.h"
#include "MagentaTextures.h"
#include "TestEnvironment.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <csignal>

using namespace daemon_test;

namespace {

class Installed {
public:
    Installed(const XvfbServer& x, const QStringList& command, const QProcessEnvironment& extra = {})
    {
        QProcessEnvironment env = x.Environment();
        env.insert(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));
        for (const QString& key : extra.keys())
            env.insert(key, extra.value(key));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        const QStringList line = AsSaverUser(command.first(), command.mid(1));
        process_.start(line.first(), line.mid(1));
        process_.waitForStarted(StartLimitMs);
    }
    ~Installed()
    {
        if (process_.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
            if (!process_.waitForFinished(ExitLimitMs))
                process_.kill();
            process_.waitForFinished(2000);
        }
    }
    bool Running() const { return process_.state() == QProcess::Running; }

private:
    QProcess process_;
};

}  // namespace

TEST(Install, TheInstalledProgramRunsTheShowWithItsTexturesAndWorkFilesInTheCache)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("800x600x24"));
    ASSERT_TRUE(x.Ok());
    const QString build = QFileInfo(QStringLiteral(KESTROVA_BINARY)).absoluteDir().absoluteFilePath(QStringLiteral(".."));
    const QString prefix = env.Path() + QStringLiteral("/prefix");
    QProcess install;
    install.start(QStringLiteral("cmake"), {QStringLiteral("--install"), build, QStringLiteral("--prefix"), prefix});
    ASSERT_TRUE(install.waitForFinished(StartLimitMs));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();

    const QString folder = prefix + QStringLiteral("/lib/kestrova-saver");
    EXPECT_EQ(QFileInfo(prefix + QStringLiteral("/bin/kestrova-saver")).canonicalFilePath(),
              QFileInfo(folder + QStringLiteral("/kestrova-saver")).canonicalFilePath());
    EXPECT_TRUE(QFileInfo(prefix + QStringLiteral("/share/xscreensaver/config/kestrova-saver.xml")).isFile());
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/saver_kestrova-saver")).isExecutable());
    ASSERT_TRUE(MakeTexturesMagenta(folder)) << "the six texture pictures are installed";

    // As on a system install, the user cannot write the program's folder.
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(env.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::ExeOther);
    Store(env.SettingsFile(), {{"kind of airplane", "200"}, {"background mode", "8"}});
    for (const char* own : {"/config", "/runtime", "/cache"})
        GiveToSaverUser(env.Path() + QLatin1String(own));

    {
        Installed show(x, {prefix + QStringLiteral("/bin/kestrova-saver"), QStringLiteral("/s")});
        EXPECT_GT(MostMagenta(x, env.Path() + QStringLiteral("/installed.png")), 100)
            << "textured from the installed pictures";
        EXPECT_TRUE(show.Running());
    }
    const QString cache = env.Path() + QStringLiteral("/cache/kestrova-saver");
    EXPECT_EQ(QImage(cache + QStringLiteral("/bgi_tmp.bmp")).size(), QSize(512, 512));
    EXPECT_TRUE(QFileInfo::exists(cache + QStringLiteral("/readme2.txt")));
    EXPECT_EQ(QFileInfo(cache + QStringLiteral("/readme2.txt")).size(), 0);
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/bgi_tmp.bmp")));

    // xsecurelock's module: no arguments, the window in XSCREENSAVER_WINDOW.
    HostWindowProcess host(x, 400, 300, "00ff00");
    QProcessEnvironment locker;
    locker.insert(QStringLiteral("XSCREENSAVER_WINDOW"), host.Hex());
    Installed module(x, {folder + QStringLiteral("/saver_kestrova-saver")}, locker);
    EXPECT_GT(MostMagenta(x, env.Path() + QStringLiteral("/module.png"), QRect(HostX, HostY, 400, 300)), 100);
    EXPECT_TRUE(module.Running());
    const QImage shot = x.Screenshot(env.Path() + QStringLiteral("/module.png"));
    EXPECT_EQ(MagentaPixels(shot, QRect(HostX + 410, HostY, 300, 300)), 0) << "nothing beyond the host";
}
