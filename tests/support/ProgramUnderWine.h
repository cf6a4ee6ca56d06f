#pragma once
// The saver as a Windows test program starts it. KESTROVA_SCR is the build's path of
// kestrova-saver.scr as a wide string literal.
#include <string>

// Wine shows the build folder as drive Z:.
inline std::wstring ProgramPath()
{
    std::wstring path = L"Z:" KESTROVA_SCR;
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    return path;
}
