#include "RunModes.h"

#include "ExitSignals.h"

#include "HostWindow.h"
#include "PreviewChoice.h"
#include "PreviewWindow.h"
#include "Platform.h"
#include "QtPictures.h"

#include <QApplication>
#include <QImage>
#include <QWindow>

#include <cstdio>
#include <string>

int RunPreviewMode(uint32_t hostId)
{
    // A signal closes this window as Cancel would.
    ExitSignals closeOnSignal([] { QCoreApplication::exit(0); });
    // A host that is not a window on this display would leave an invisible window
    // running for ever: end at once instead.
    HostWindow host(hostId);
    const std::optional<QSize> hostSize = host.QuerySize();
    if (!hostSize)
        return 0;

    // The preview reads only these two keys, each defaulting to 0.
    const int index = PreviewPictureIndex(ReadSettingInt("flight mode", 0), ReadSettingInt("background mode", 0));
    PreviewWindow preview(ImageOfAsset("preview/prev" + std::to_string(index) + ".png"),
                          ImageOfAsset("preview/emblem.png"));

    QWindow* parent = QWindow::fromWinId(hostId);
    preview.setParent(parent);
    preview.setGeometry(0, 0, hostSize->width(), hostSize->height());

    QObject::connect(&host, &HostWindow::Resized, &preview,
                     [&preview](QSize size) { preview.resize(size); });
    QObject::connect(&host, &HostWindow::Destroyed, qApp, &QCoreApplication::quit);
    host.Watch();

    preview.show();
    return QCoreApplication::exec();
}
