#include "GnomeSession.h"

#include <QString>
#include <QStringList>

bool InGnomeSession()
{
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':')).contains(QLatin1String("GNOME"), Qt::CaseInsensitive);
}
