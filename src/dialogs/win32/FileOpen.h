#pragma once

#include "DialogTexts.h"

#include <windows.h>

#include <string>
#include <vector>

// Asks the user for an existing file with the system's file-open dialog, owned by
// `owner`, offering `filters` with the first one active and starting in the folder
// `initialText` names (or the folder of the file it names). Returns the chosen file's
// full path, or an empty text when cancelled.
std::wstring SelectFile(HWND owner, const std::vector<FilterPair>& filters, const std::wstring& initialText);

// True for an existing file (not a folder).
bool FileExists(const std::wstring& path);
