#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The program keeps its texts in UTF-8; Windows' wide functions take UTF-16.
std::wstring WideOfUtf8(std::string_view text);
std::string Utf8OfWide(std::wstring_view text);

// The system's own wording of an error code, in the user's language, without the line
// break Windows ends it with; empty when Windows has none.
std::string SystemMessage(DWORD error);
