#pragma once

#include <windows.h>

#include <string>

// MessageBoxW with its text and buttons in the Japanese UI font (JapaneseUiFont), the box
// grown to fit: the stock message font holds no Japanese where Windows' display language
// is another, and shows the text as empty squares where font linking does not help.
// Title and text are UTF-8; an empty title gives the system's default caption.
int JapaneseMessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags);
