#include "MusicLock.h"

QString MusicLockName()
{
    return QStringLiteral("Kestrova Saver Music");
}

SaverSettings MusicSettings(const SaverSettings& settings, InstanceLock& musicLock)
{
    SaverSettings music = settings;
    if (music.MusicMode != 0 && !musicLock.TryAcquire())
        music.MusicMode = 0;
    return music;
}
