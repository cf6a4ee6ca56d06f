// The .deb a user installs: what it holds, what it depends on, what lintian says of it,
// and that the program in it finds its textures and draws.
#include "MagentaTextures.h"
#include "TestEnvironment.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <csignal>
#include <cstdio>

namespace {

struct Outcome {
    int status = -1;
    QString output;
};

// Runs a command to its end (packaging and lintian take a while on a busy machine).
Outcome Command(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    Outcome run;
    if (p.waitForFinished(10 * StartLimitMs) && p.exitStatus() == QProcess::NormalExit)
        run.status = p.exitCode();
    run.output = QString::fromLocal8Bit(p.readAll());
    return run;
}

// Every file and link of an unpacked tree, as "path" or "path -> target".
QStringList Entries(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QString entry = info.filePath().mid(root.size());
        if (info.isSymLink())
            entry += QStringLiteral(" -> ") + info.symLinkTarget().mid(root.size());
        entries << entry;
    }
    entries.sort();
    return entries;
}

// The libraries a program names as needed, by their sonames.
QStringList Needed(const QString& program)
{
    const Outcome dynamic = Command(QStringLiteral("objdump"), {QStringLiteral("-p"), program});
    QStringList needed;
    const QRegularExpression line(QStringLiteral("^\\s*NEEDED\\s+(\\S+)"), QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(dynamic.output); it.hasNext();)
        needed << it.next().captured(1);
    return needed;
}

// The installed packages holding a library of that soname.
QStringList Owners(const QString& soname)
{
    const Outcome search = Command(QStringLiteral("dpkg-query"), {QStringLiteral("-S"), QStringLiteral("*/") + soname});
    QStringList owners;
    for (const QString& line : search.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        owners << line.section(QLatin1Char(':'), 0, 0);
    return owners;
}

// Names of the installed packages and of all they provide.
QStringList InstalledNames()
{
    const Outcome query = Command(QStringLiteral("dpkg-query"), {QStringLiteral("-W"), QStringLiteral("-f"),
                                                                QStringLiteral("${db:Status-Abbrev}|${Package}|${Provides}\\n")});
    QStringList names;
    for (const QString& line : query.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!line.startsWith(QLatin1String("ii")))
            continue;
        names << line.section(QLatin1Char('|'), 1, 1);
        for (const QString& provided : line.section(QLatin1Char('|'), 2).split(QLatin1Char(','), Qt::SkipEmptyParts))
            names << provided.trimmed().section(QLatin1Char(' '), 0, 0);
    }
    return names;
}

}  // namespace

TEST(Package, TheDebHoldsTheProgramDependsOnRuntimePackagesPassesLintianAndRunsUnpacked)
{
    TestEnvironment env;
    const QString out = env.Path() + QStringLiteral("/out");
    const Outcome cpack = Command(QStringLiteral("cpack"), {QStringLiteral("--config"),
                                                        QStringLiteral(KESTROVA_BUILD_DIR "/CPackConfig.cmake"),
                                                        QStringLiteral("-B"), out});
    ASSERT_EQ(cpack.status, 0) << cpack.output.toStdString();
    const QString deb = out + QStringLiteral("/kestrova-saver_" KESTROVA_DEB_VERSION "_amd64.deb");
    ASSERT_TRUE(QFileInfo(deb).isFile()) << cpack.output.toStdString();

    const Outcome depends = Command(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), deb, QStringLiteral("Depends")});
    ASSERT_EQ(depends.status, 0);
    QStringList packages;
    for (const QString& entry : depends.output.split(QRegularExpression(QStringLiteral("[,|]"))))
        packages << entry.trimmed().section(QLatin1Char(' '), 0, 0);
    // Each library the program links to is depended on through the package that holds it here,
    // whatever this release names it (libqt6core6 on Debian 12, libqt6core6t64 on 13).
    const QString built = QStringLiteral(KESTROVA_BUILD_DIR "/bin/kestrova-saver");
    const QStringList linked = Needed(built);
    for (const char* library : {"libc.so.6", "libstdc++.so.6", "libQt6Core.so.6", "libQt6Gui.so.6", "libQt6Widgets.so.6",
                                "libxcb.so.1", "libwayland-client.so.0"})
        EXPECT_TRUE(linked.contains(QLatin1String(library))) << library << " in " << linked.join(' ').toStdString();
    for (const QString& library : linked) {
        const QStringList owners = Owners(library);
        EXPECT_TRUE(std::any_of(owners.begin(), owners.end(), [&](const QString& p) { return packages.contains(p); }))
            << library.toStdString() << " (" << owners.join(' ').toStdString() << ") in " << depends.output.toStdString();
    }
    // What it loads at run time: Qt's X11 plugin, SDL2 and SDL2_mixer for the music.
    for (const char* loaded : {"qt6-qpa-plugins", "libsdl2-mixer-2.0-0", "libsdl2-2.0-0"})
        EXPECT_TRUE(packages.contains(QLatin1String(loaded))) << loaded << " in " << depends.output.toStdString();
    // Every name it depends on is one this release installs.
    const QStringList installed = InstalledNames();
    for (const QString& package : packages)
        EXPECT_TRUE(installed.contains(package)) << package.toStdString() << " is no installed package here";
    for (const QString& package : packages) {
        EXPECT_FALSE(package.endsWith(QLatin1String("-dev"))) << package.toStdString();
        // The model file is read by the program's own reader.
        EXPECT_FALSE(package.startsWith(QLatin1String("libassimp"))) << package.toStdString();
    }

    const Outcome lintian = Command(QStringLiteral("lintian"), {QStringLiteral("--fail-on"), QStringLiteral("error"), deb});
    EXPECT_EQ(lintian.status, 0) << lintian.output.toStdString();
    std::printf("lintian:\n%s", qPrintable(lintian.output));

    const QString root = env.Path() + QStringLiteral("/root");
    ASSERT_EQ(Command(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, root}).status, 0);
    QStringList expected = {"/usr/bin/kestrova-saver -> /usr/lib/kestrova-saver/kestrova-saver",
                            "/usr/lib/kestrova-saver/kestrova-saver",
                            "/usr/lib/kestrova-saver/saver_kestrova-saver",
                            "/usr/share/applications/kestrova-saver-desktop-picture.desktop",
                            "/usr/share/doc/kestrova-saver/changelog.gz",
                            "/usr/share/doc/kestrova-saver/copyright",
                            "/usr/share/kestrova-saver/autostart/kestrova-saver-idle.desktop",
                            "/usr/share/man/man1/kestrova-saver.1.gz",
                            "/usr/share/xscreensaver/config/kestrova-saver.xml"};
    for (const QString& texture : TexturePictures())
        expected << QStringLiteral("/usr/lib/kestrova-saver/") + texture;
    expected.sort();
    EXPECT_EQ(Entries(root), expected);
    // KWin gives the desktop's picture to the program this entry names by its real path.
    QFile entry(root + QStringLiteral("/usr/share/applications/kestrova-saver-desktop-picture.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray lines = entry.readAll();
    EXPECT_TRUE(lines.contains("\nExec=/usr/lib/kestrova-saver/kestrova-saver\n")) << lines.constData();
    EXPECT_TRUE(lines.contains("\nX-KDE-DBUS-Restricted-Interfaces=org.kde.KWin.ScreenShot2\n")) << lines.constData();

    // The unpacked program, started through its link as a user would try it out.
    const QString folder = root + QStringLiteral("/usr/lib/kestrova-saver");
    ASSERT_TRUE(MakeTexturesMagenta(folder));
    XvfbServer x(QStringLiteral("1600x900x24"));
    ASSERT_TRUE(x.Ok());
    QProcessEnvironment show = x.Environment();
    show.insert(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));
    QProcess program;
    program.setProcessEnvironment(show);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(root + QStringLiteral("/usr/bin/kestrova-saver"),
                  {QStringLiteral("-window"), QStringLiteral("--kind"), QStringLiteral("200")});
    ASSERT_TRUE(program.waitForStarted(StartLimitMs));
    EXPECT_GT(MostMagenta(x, env.Path() + QStringLiteral("/unpacked.png")), 100) << "textured from its own folder";
    EXPECT_EQ(program.state(), QProcess::Running);
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    EXPECT_TRUE(program.waitForFinished(ExitLimitMs));
    EXPECT_EQ(program.exitCode(), 0);
}
