#pragma once

#include <QImage>
#include <QString>

// A picture of the whole desktop through the desktop portal's Screenshot, without the
// interactive dialog. The portal writes it as a file into the user's Pictures folder;
// it is read and deleted at once. Waits at most waitMs for the answer, which may be the
// user's own when the desktop asks for permission first. Null, with the reason, when
// none came.
QImage PortalScreenshot(int waitMs, QString* reason);
