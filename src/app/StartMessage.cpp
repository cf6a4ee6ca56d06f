#include "StartMessage.h"

#include "ExitSignals.h"

#include <QMessageBox>

#include <cstdio>

void ExecStartMessage(QMessageBox& box)
{
    // What the box says, for checks that cannot read it off the screen.
    if (qEnvironmentVariableIntValue("KESTROVA_ECHO_MESSAGES") == 1)
        std::fprintf(stderr, "message: %s\n%s\n", qPrintable(box.windowTitle()), qPrintable(box.text()));
    ExitSignals closeOnSignal([&box] { box.reject(); });
    box.exec();
}
