#include "Main.h"

#include "CommandLine.h"
#include "DaemonOptions.h"
#include "DisplayChoice.h"
#include "ExitSignals.h"
#include "IdleTime.h"
#include "InstanceLock.h"
#include "JapaneseQtTexts.h"
#include "RunModes.h"
#include "RunningShows.h"
#include "Usage.h"
#include "WaylandCompositorCheck.h"
#include "XDisplayCheck.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
QString appFolder;
}

const QString& AppFolder()
{
    return appFolder;
}

namespace {

void SetAppFolder()
{
    appFolder = QCoreApplication::applicationDirPath();
    if (!appFolder.endsWith(QLatin1Char('/')))
        appFolder += QLatin1Char('/');
}

// A command line the program cannot take: what is wrong with it, then the usage.
int Refuse(const QString& why)
{
    std::fprintf(stderr, "kestrova-saver: %s\n%s", qPrintable(why), qPrintable(Usage()));
    return 2;
}

int RunDaemonCommandLine(const QStringList& arguments)
{
    const DaemonParse parsed = ParseDaemonOptions(arguments, qEnvironmentVariable("XSCREENSAVER_WINDOW"));
    if (!parsed.Options)
        return Refuse(parsed.Error);
    if (parsed.Options->Help) {
        std::fputs(qPrintable(Usage()), stdout);
        return 0;
    }
    SetAppFolder();
    return RunDaemonMode(*parsed.Options);
}

// The arguments as the command-line rules read them: joined by single blanks, UTF-16.
std::u16string CommandLineOf(const QStringList& arguments)
{
    std::vector<std::u16string> words;
    for (const QString& argument : arguments)
        words.push_back(argument.toStdU16String());
    return JoinArguments(words);
}

QStringList ArgumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// The display Qt will open: its -display argument, or null for DISPLAY.
const char* DisplayArgument(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-display") == 0)
            return argv[i + 1];
    return nullptr;
}

// -help works without a display, so it is answered before the application starts.
bool AnsweredHelp(const QStringList& arguments)
{
    if (!IsDaemonCommandLine(arguments))
        return false;
    const DaemonParse parsed = ParseDaemonOptions(arguments, QString());
    if (!parsed.Options || !parsed.Options->Help)
        return false;
    std::fputs(qPrintable(Usage()), stdout);
    return true;
}

// Why a daemon's command line would be refused, found before a display is there to
// start Qt, which would take out its own -display first; empty when it would not be.
QString DaemonLineProblem(QStringList arguments)
{
    if (const qsizetype at = arguments.indexOf(QLatin1String("-display")); at >= 0)
        arguments.remove(at, std::min<qsizetype>(2, arguments.size() - at));
    return ParseDaemonOptions(arguments, QString()).Error;
}

bool IsStopCommand(const QStringList& arguments)
{
    return !arguments.isEmpty() &&
           (arguments.first() == QLatin1String("--stop") || arguments.first() == QLatin1String("-stop"));
}

// Ends every show of this user before a screen locker starts or the machine sleeps. The
// wait stays short: a sleep waits for its hooks only a few seconds.
int StopShows()
{
    constexpr int waitSeconds = 3;
    const StoppedShows stopped = StopRunningShows(std::chrono::seconds(waitSeconds));
    if (stopped.StillRunning.empty())
        return 0;
    std::string ids;
    for (const long pid : stopped.StillRunning)
        ids += (ids.empty() ? "" : ", ") + std::to_string(pid);
    std::fprintf(stderr, "kestrova-saver: %zu of %d shows still running %d s after the signal (process %s)\n",
                 stopped.StillRunning.size(), stopped.Found, waitSeconds, ids.c_str());
    return 1;
}

int RunIdleCommandLine(int& argc, char** argv, const QStringList& arguments)
{
    if (arguments.size() < 2)
        return Refuse(QStringLiteral("--idle needs a time: minutes, or seconds as in 30s"));
    if (arguments.size() > 2)
        return Refuse(QStringLiteral("unknown argument \"%1\"").arg(arguments.at(2)));
    const std::optional<int> idleMs = ParseIdleTime(arguments.at(1));
    if (!idleMs)
        return Refuse(QStringLiteral("--idle: \"%1\" is not a time from 1 s to a day").arg(arguments.at(1)));
    return RunIdleWatchMode(argc, argv, *idleMs, {QStringLiteral("/s")});
}

// The show on a Wayland compositor needs no toolkit: only the core's application
// object, for the program's folder.
int RunWaylandProgram(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("kestrova-saver"));
    if (AnotherInstanceRuns())
        return 0;
    SetAppFolder();
    return RunWaylandShowMode();
}

}  // namespace

int Main(int argc, char** argv)
{
    QStringList raw = ArgumentsOf(argc, argv);
    const std::optional<DisplaySide> wish = TakeDisplayWish(raw);
    // Before the signal handlers: the ones the show needs would keep Ctrl-C from ending the wait.
    if (IsStopCommand(raw))
        return raw.size() > 1 ? Refuse(QStringLiteral("unknown argument \"%1\"").arg(raw.at(1))) : StopShows();
    InstallExitSignalHandlers();
    if (AnsweredHelp(raw))
        return 0;
    if (raw.value(0) == QLatin1String("--idle"))
        return RunIdleCommandLine(argc, argv, raw);
    const bool daemon = IsDaemonCommandLine(raw);
    const RunMode mode = daemon ? RunMode::None : ModeForSwitch(ParseCommandLine(CommandLineOf(raw)).Switch);
    // /s goes to a Wayland compositor when one answers, unless X11 is asked for.
    const bool wayland = wish != DisplaySide::X11 && WaylandCompositorAnswers();
    if (mode == RunMode::Show && wayland)
        return RunWaylandProgram(argc, argv);
    // An unknown switch ends silently, display or not; every other mode needs one.
    QString noDisplay = wish == DisplaySide::Wayland ? NoDisplayMessage(wish, QString())
                                                     : XDisplayProblem(DisplayArgument(argc, argv));
    // Without an X display Qt never reads a daemon's line: a typo in it is named here.
    if (daemon && !noDisplay.isEmpty())
        if (const QString problem = DaemonLineProblem(raw); !problem.isEmpty())
            return Refuse(problem);
    // The dialogs go through Qt's Wayland plugin when Wayland is asked for or no X display answers.
    if ((mode == RunMode::Options || mode == RunMode::Password) && wayland &&
        (wish == DisplaySide::Wayland || !noDisplay.isEmpty())) {
        qputenv("QT_QPA_PLATFORM", "wayland");
        noDisplay.clear();
    }
    // The daemons and the preview draw into another program's X11 window: Wayland has none to give.
    if ((daemon || mode == RunMode::Preview) && (wish == DisplaySide::Wayland || (!noDisplay.isEmpty() && wayland))) {
        std::fprintf(stderr, "kestrova-saver: %s; on Wayland start the show with /s\n",
                     daemon ? "-root, -window-id and -window draw into X11 windows and need an X display"
                            : "the preview (/p) draws into its host's X11 window and needs an X display");
        return 1;
    }
    if (!noDisplay.isEmpty()) {
        if (!daemon && mode == RunMode::None)
            return 0;
        // /s and the dialogs could have gone to Wayland too; the daemons and the preview only to X11.
        const QString said = daemon || mode == RunMode::Preview ? noDisplay : NoDisplayMessage(wish, noDisplay);
        std::fprintf(stderr, "kestrova-saver: %s\n", qPrintable(said));
        return 1;
    }
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("kestrova-saver"));
    InstallJapaneseQtTexts();

    QStringList arguments = app.arguments();
    arguments.removeFirst();
    TakeDisplayWish(arguments);
    // The daemons' own command line (-root, -window-id ...) is not subject to the
    // instance guard: a daemon runs one show per monitor.
    if (IsDaemonCommandLine(arguments))
        return RunDaemonCommandLine(arguments);

    if (AnotherInstanceRuns())
        return 0;

    SetAppFolder();
    const CommandLine line = ParseCommandLine(CommandLineOf(arguments));

    switch (ModeForSwitch(line.Switch)) {
    case RunMode::Show:
        return RunShowMode();
    case RunMode::Options:
        return RunOptionsMode();
    case RunMode::Preview:
        return RunPreviewMode(static_cast<uint32_t>(line.HostHandle));
    case RunMode::Password:
        return RunPasswordMode();
    case RunMode::None:
        break;
    }
    return 0;
}
