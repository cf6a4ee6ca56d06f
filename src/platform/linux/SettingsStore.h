#pragma once

#include "Platform.h"

#include <QString>

// On Linux the settings store is a per-user INI file under XDG_CONFIG_HOME; this is its
// full path.
QString SettingsFilePath();
