#include "ShowWindowParts.h"

double DisplayRefreshRate()
{
    const HDC screen = GetDC(nullptr);
    const int hz = GetDeviceCaps(screen, VREFRESH);
    ReleaseDC(nullptr, screen);
    return hz;
}

std::optional<LRESULT> ShowWindowMessage(UINT message, WPARAM wParam, const std::function<void()>& onEnd)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_CLOSE:
        if (onEnd)
            onEnd();
        return 0;
    case WM_ENDSESSION:
        if (wParam && onEnd)
            onEnd();
        return 0;
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_ERASEBKGND:
        return 1;
    default:
        return std::nullopt;
    }
}
