#include "StartMessage.h"

#include "ExitSignals.h"

#include <QMessageBox>

void ExecStartMessage(QMessageBox& box)
{
    ExitSignals closeOnSignal([&box] { box.reject(); });
    box.exec();
}
