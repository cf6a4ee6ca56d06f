#pragma once

#include "Platform.h"

// On Windows the settings live in the registry, in the per-user key where the original
// program's runtime kept them: this key under HKEY_CURRENT_USER, one REG_SZ value per
// option, named by the option's key. LoadSettings, SaveSettings and ReadSettingInt of
// Platform.h read and write it.
inline constexpr const wchar_t* SettingsRegistryPath = L"Software\\VB and VBA Program Settings\\KestrovaSaver\\Option";
