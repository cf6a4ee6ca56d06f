#pragma once

#include <windows.h>

// Registers one of the program's window classes; style is the class style.
HINSTANCE RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style = 0);

// The owner passed to CreateWindowExW as its last argument: kept with the window when
// it is created, then read back for every later message (nullptr before that).
void* WindowOwner(HWND window, UINT message, LPARAM lParam);

// The window procedure of a class whose owner Owner has Handle() and OnMessage(). Messages
// reach the owner only once CreateWindowExW has returned the handle to it; the ones sent
// during creation get Windows' default handling.
template <typename Owner>
LRESULT CALLBACK OwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* owner = static_cast<Owner*>(WindowOwner(window, message, lParam));
    return owner && owner->Handle() == window ? owner->OnMessage(message, wParam, lParam)
                                              : DefWindowProcW(window, message, wParam, lParam);
}
