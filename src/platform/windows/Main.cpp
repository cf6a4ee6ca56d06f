// kestrova-saver.scr: started by Windows' screen-saver mechanism with /s, /p <HWND>,
// /c or /a on its command line.
#include "CommandLine.h"
#include "OptionsDialog.h"
#include "RunModes.h"

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace {

// An instance that shows or has its options open is left alone, whatever the switch.
bool AnotherInstanceRuns()
{
    return FindWindowW(nullptr, ShowWindowTitle) || FindWindowW(nullptr, OptionsWindowTitle);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    if (AnotherInstanceRuns())
        return 0;

    // The text after the program's name, UTF-16 as Windows keeps it.
    const CommandLine line =
        ParseCommandLine(std::u16string_view(reinterpret_cast<const char16_t*>(commandLine)));
    switch (ModeForSwitch(line.Switch)) {
    case RunMode::Show:
        return RunShowMode();
    case RunMode::Preview:
        // Window handles keep their meaning in 32 bits, even in a 64-bit process.
        return RunPreviewMode(reinterpret_cast<HWND>(static_cast<intptr_t>(line.HostHandle)));
    case RunMode::Options: {
        // /c:<HWND> names the window that owns the dialog; a handle that is no window is ignored.
        HWND owner = reinterpret_cast<HWND>(static_cast<intptr_t>(line.HostHandle));
        ShowOptionsDialog(IsWindow(owner) ? owner : nullptr);
        return 0;
    }
    case RunMode::Password:
        return RunPasswordMode();
    default:
        return 0;
    }
}
