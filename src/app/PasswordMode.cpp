#include "RunModes.h"

#include <QMessageBox>

int RunPasswordMode()
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kestrova Saver"),
                    QStringLiteral("パスワード機能には対応していません。"), QMessageBox::Ok);
    box.exec();
    return 0;
}
