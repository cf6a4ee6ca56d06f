#include "Main.h"

#include "CommandLine.h"
#include "InstanceLock.h"
#include "RunModes.h"

#include <QApplication>
#include <QDir>

namespace {
QString appFolder;
}

const QString& AppFolder()
{
    return appFolder;
}

int Main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("kestrova-saver"));

    if (AnotherInstanceRuns())
        return 0;

    appFolder = QCoreApplication::applicationDirPath();
    if (!appFolder.endsWith(QLatin1Char('/')))
        appFolder += QLatin1Char('/');

    QStringList arguments = app.arguments();
    arguments.removeFirst();
    const CommandLine line = ParseCommandLine(JoinArguments(arguments));

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
