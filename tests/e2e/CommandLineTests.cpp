// What the program answers to a command line it cannot take, or to --help, before any display is asked.
#include "TestEnvironment.h"
#include "TimeLimits.h"

#include <gtest/gtest.h>

#include <QProcess>

namespace {

struct Answer {
    int Status = -1;
    QString Out;
    QString Err;
};

// The program with neither display: no DISPLAY, and a Wayland socket nobody listens on.
Answer RunProgram(const QStringList& arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("kestrova-nobody-here"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KESTROVA_BINARY), arguments);
    if (!p.waitForFinished(StartLimitMs) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

}  // namespace

TEST(CommandLine, AnUnknownOptionOrAnArgumentTooManyIsNamedWithTheUsageAndStatus2)
{
    TestEnvironment env;
    const QList<std::pair<QStringList, QString>> refused = {
        {{QStringLiteral("--idel"), QStringLiteral("5")}, QStringLiteral("\"--idel\"")},
        {{QStringLiteral("--stop"), QStringLiteral("extra")}, QStringLiteral("\"extra\"")},
        {{QStringLiteral("--idle"), QStringLiteral("5"), QStringLiteral("extra")}, QStringLiteral("\"extra\"")},
        {{QStringLiteral("--idle"), QStringLiteral("soon")}, QStringLiteral("\"soon\"")},
        {{QStringLiteral("-root"), QStringLiteral("extra")}, QStringLiteral("\"extra\"")},
    };
    for (const auto& [arguments, named] : refused) {
        const Answer a = RunProgram(arguments);
        const std::string line = arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(a.Status, 2) << line << ": " << a.Err.toStdString();
        EXPECT_TRUE(a.Err.startsWith(QStringLiteral("kestrova-saver: ")) && a.Err.section(QLatin1Char('\n'), 0, 0).contains(named))
            << line << ": the first line does not name " << named.toStdString() << ": " << a.Err.toStdString();
        EXPECT_TRUE(a.Err.contains(QStringLiteral("usage: kestrova-saver"))) << line << ": no usage";
    }
}

TEST(CommandLine, HelpListsEverySwitchAndOption)
{
    const Answer a = RunProgram({QStringLiteral("--help")});
    EXPECT_EQ(a.Status, 0) << a.Err.toStdString();
    for (const char* item : {"/s", "/c", "/p", "/a", "--wayland", "--x11", "--idle", "--stop", "--help", "-root",
                             "-window-id", "-window ", "--kind", "--flight-mode", "--count", "--smoke", "--no-smoke",
                             "--background"})
        EXPECT_TRUE(a.Out.contains(QLatin1String(item))) << "--help does not list " << item;
}

TEST(CommandLine, WithNeitherDisplayTheShowAndTheDialogNameTheWaylandDisplayThatDoesNotAnswer)
{
    TestEnvironment env;
    for (const char* mode : {"/s", "/c"}) {
        const Answer a = RunProgram({QString::fromLatin1(mode)});
        EXPECT_EQ(a.Status, 1) << mode;
        EXPECT_TRUE(a.Err.contains(QStringLiteral("WAYLAND_DISPLAY=\"kestrova-nobody-here\"")) &&
                    a.Err.contains(QStringLiteral("X display")))
            << mode << ": " << a.Err.toStdString();
    }
}
