#include "JapaneseUiFont.h"

#include <cwchar>
#include <initializer_list>

namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontIsInstalled(HDC dc, const wchar_t* face)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(dc, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

HFONT CreateJapaneseUiFont(int points, int weight, bool underline)
{
    HDC screen = GetDC(nullptr);
    LOGFONTW font{};
    font.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    font.lfWeight = weight;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfCharSet = SHIFTJIS_CHARSET;
    for (const wchar_t* face : {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic"}) {
        if (FontIsInstalled(screen, face)) {
            wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
            font.lfCharSet = DEFAULT_CHARSET;
            break;
        }
    }
    ReleaseDC(nullptr, screen);
    return CreateFontIndirectW(&font);
}
