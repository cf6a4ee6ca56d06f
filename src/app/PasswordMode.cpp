#include "RunModes.h"

#include "ExitSignals.h"

#include <QCoreApplication>
#include <QMessageBox>

int RunPasswordMode()
{
    // A signal closes this window as Cancel would.
    ExitSignals closeOnSignal([] { QCoreApplication::exit(0); });
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kestrova Saver"),
                    QStringLiteral("パスワード機能には対応していません。"), QMessageBox::Ok);
    box.exec();
    return 0;
}
