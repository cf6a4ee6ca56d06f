#pragma once

#include "GlFunctions.h"

#include <windows.h>

#include <string>

// An OpenGL 3.3 core context on a window, made with WGL: a throw-away context on a
// hidden window of its own finds wglCreateContextAttribsARB, which then makes the real
// one on the show window (a window's pixel format can be set only once, so the two
// cannot share a window).
class WglContext {
public:
    WglContext() = default;
    WglContext(const WglContext&) = delete;
    WglContext& operator=(const WglContext&) = delete;
    ~WglContext();

    // Makes the context on window and makes it current. False with a reason when the
    // machine offers no OpenGL 3.3 core context. waitForRefresh asks the driver to swap
    // once per refresh; one window of several waits, the others follow it.
    bool Create(HWND window, std::string& error, bool waitForRefresh = true);
    // Makes this context the one drawn with, where several share the thread.
    void MakeCurrent() const;

    // Fills the renderer's table from the current context: extension entry points from
    // wglGetProcAddress, the OpenGL 1.1 ones from opengl32.dll's exports.
    bool LoadFunctions(GlFunctions& functions, std::string& error) const;

    // Shows the frame drawn since the last swap.
    void Swap() const;

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    HGLRC context_ = nullptr;
};
