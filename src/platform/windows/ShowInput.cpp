#include "ShowInput.h"

#include <windows.h>

void ProcessEvents()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::optional<CursorPoint> CursorPosition()
{
    POINT p{};
    if (!GetCursorPos(&p))
        return std::nullopt;
    return CursorPoint{p.x, p.y};
}

std::optional<CursorPoint> CaretPosition()
{
    POINT p{};
    if (!GetCaretPos(&p))
        return std::nullopt;
    return CursorPoint{p.x, p.y};
}
