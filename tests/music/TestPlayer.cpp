// A stand-in external player for the Windows tests. It writes what it got into a log
// beside the music file it was given: its command line, how it was asked to show its
// window and whether it shows, the process id of a helper it starts (which never ends by itself), "ready"
// once its window exists and "closed" when that window is told to close.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring logPath;

void Log(const std::wstring& line)
{
    if (FILE* file = _wfopen(logPath.c_str(), L"a, ccs=UTF-8")) {
        std::fwprintf(file, L"%ls\n", line.c_str());
        std::fclose(file);
    }
}

LRESULT CALLBACK PlayerWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        Log(L"closed");
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show)
{
    const std::wstring line = arguments;
    if (line == L"--helper") {
        Sleep(INFINITE);
        return 0;
    }
    // The music file is the one quoted argument.
    const size_t open = line.find(L'"');
    const size_t close = line.find(L'"', open + 1);
    logPath = line.substr(open + 1, close - open - 1) + L".log";
    Log(L"args " + std::wstring(GetCommandLineW()));
    Log(L"show " + std::to_wstring(show));

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring helperLine = L"\"" + std::wstring(self) + L"\" --helper";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION helper{};
    if (CreateProcessW(nullptr, helperLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &helper)) {
        Log(L"helper " + std::to_wstring(helper.dwProcessId));
        CloseHandle(helper.hThread);
        CloseHandle(helper.hProcess);
    }

    WNDCLASSW type{};
    type.lpfnWndProc = PlayerWindow;
    type.hInstance = instance;
    type.lpszClassName = L"TestPlayer";
    RegisterClassW(&type);
    HWND window = CreateWindowW(L"TestPlayer", L"Test player", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                nullptr, instance, nullptr);
    ShowWindow(window, show);
    Log(L"visible " + std::to_wstring(IsWindowVisible(window) ? 1 : 0));
    Log(L"ready");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
