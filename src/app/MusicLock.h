#pragma once

#include "InstanceLock.h"
#include "SaverSettings.h"

#include <QString>

// Shows may run side by side (a daemon starts one per monitor), but the music plays
// once: in the show that holds this per-user lock.
QString MusicLockName();

// The settings the music of a show is started with: as they are when the show gets
// the music lock, with "music mode" 0 (silence) when another show holds it.
SaverSettings MusicSettings(const SaverSettings& settings, InstanceLock& musicLock);
