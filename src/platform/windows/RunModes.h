#pragma once

#include "StartFailure.h"

#include <windows.h>

#include <string>

// The run modes of kestrova-saver.scr; each returns the program's exit status.

// /s: the full-screen show until the user touches the mouse or keyboard.
int RunShowMode();
// /p <HWND>: the preview inside the host window until the host goes.
int RunPreviewMode(HWND host);
// /a: the password request the program does not support.
int RunPasswordMode();

// The two window titles every new instance looks for.
inline constexpr wchar_t ShowWindowTitle[] = L"Kestrova Saver";
inline constexpr wchar_t OptionsWindowTitle[] = L"Kestrova Saver Option";
// The show's windows on the monitors other than the primary: a title of their own, so
// that only the primary's window stands for a running show.
inline constexpr wchar_t OtherMonitorWindowTitle[] = L"Kestrova Saver Monitor";

// Tells the user why the show cannot start or go on: the message box of `failure` about
// `file`, and `detail` in English on standard error.
void ShowStartError(StartFailure failure, const std::string& detail, const std::string& file = {});
