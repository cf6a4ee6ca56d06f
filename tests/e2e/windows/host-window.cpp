// A stand-in for the display-properties dialog: a 320 x 240 magenta window whose handle
// and client area on the screen are written to the file named first ("hwnd x y w h").
// What child window it has is kept in that name + ".child" ("title x y w h visible", or
// "none"). It destroys itself and ends once the file named second exists.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring quitFile;
std::wstring childFile;
std::string childReported;

// Written whole under another name and renamed, so the test never reads half a line.
void WriteWhole(const std::wstring& path, const std::string& text)
{
    const std::wstring partial = path + L".part";
    FILE* out = _wfopen(partial.c_str(), L"wb");
    if (!out)
        return;
    std::fputs(text.c_str(), out);
    std::fclose(out);
    MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void ReportChild(HWND window)
{
    std::string line = "none\n";
    if (const HWND child = GetWindow(window, GW_CHILD)) {
        char title[64] = {};
        GetWindowTextA(child, title, sizeof title);
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        char text[160];
        std::snprintf(text, sizeof text, "%s %ld %ld %ld %ld %d\n", title, r.left, r.top, r.right - r.left,
                      r.bottom - r.top, IsWindowVisible(child) ? 1 : 0);
        line = text;
    }
    if (line != childReported)
        WriteWhole(childFile, line);
    childReported = line;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        ReportChild(window);
        if (GetFileAttributesW(quitFile.c_str()) != INVALID_FILE_ATTRIBUTES)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
        return 2;
    quitFile = argv[2];
    childFile = std::wstring(argv[1]) + L".child";
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
    windowClass.lpszClassName = L"KestrovaTestHost";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(0, L"KestrovaTestHost", L"Preview host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 320,
                                        240, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return 1;
    UpdateWindow(window);
    SetTimer(window, 1, 100, nullptr);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT client{};
    GetClientRect(window, &client);
    char text[120];
    std::snprintf(text, sizeof text, "%lld %ld %ld %ld %ld\n", static_cast<long long>(reinterpret_cast<intptr_t>(window)),
                  origin.x, origin.y, client.right, client.bottom);
    WriteWhole(argv[1], text);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
