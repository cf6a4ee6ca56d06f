#include "WglContext.h"

#include "WindowClass.h"

namespace {

// From WGL_ARB_create_context, WGL_ARB_create_context_profile and WGL_EXT_swap_control.
constexpr int ContextMajorVersion = 0x2091;
constexpr int ContextMinorVersion = 0x2092;
constexpr int ContextProfileMask = 0x9126;
constexpr int ContextCoreProfileBit = 0x0001;
using CreateContextAttribs = HGLRC(WINAPI*)(HDC, HGLRC, const int*);
using SwapInterval = BOOL(WINAPI*)(int);

constexpr wchar_t ProbeClassName[] = L"KestrovaSaverGlProbe";

bool SetShowPixelFormat(HDC dc)
{
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof(wanted);
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 32;
    wanted.cDepthBits = 24;
    wanted.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(dc, &wanted);
    return format != 0 && SetPixelFormat(dc, format, &wanted);
}

// wglGetProcAddress answers only for what opengl32.dll does not export itself, and some
// drivers answer 1, 2, 3 or -1 for "none".
void* FindFunction(const char* name, void*)
{
    PROC found = wglGetProcAddress(name);
    const auto value = reinterpret_cast<intptr_t>(found);
    if (value == 0 || value == 1 || value == 2 || value == 3 || value == -1)
        found = GetProcAddress(GetModuleHandleW(L"opengl32.dll"), name);
    return reinterpret_cast<void*>(found);
}

// wglCreateContextAttribsARB, found through a legacy context on a hidden window.
CreateContextAttribs FindCreateContextAttribs()
{
    const HINSTANCE instance = RegisterWindowClass(ProbeClassName, DefWindowProcW, CS_OWNDC);
    const HWND probe = CreateWindowExW(0, ProbeClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    if (!probe)
        return nullptr;
    CreateContextAttribs create = nullptr;
    const HDC dc = GetDC(probe);
    if (SetShowPixelFormat(dc)) {
        const HGLRC legacy = wglCreateContext(dc);
        if (legacy && wglMakeCurrent(dc, legacy))
            create = reinterpret_cast<CreateContextAttribs>(FindFunction("wglCreateContextAttribsARB", nullptr));
        wglMakeCurrent(nullptr, nullptr);
        if (legacy)
            wglDeleteContext(legacy);
    }
    ReleaseDC(probe, dc);
    DestroyWindow(probe);
    return create;
}

}  // namespace

WglContext::~WglContext()
{
    if (context_) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(context_);
    }
    if (dc_)
        ReleaseDC(window_, dc_);
}

bool WglContext::Create(HWND window, std::string& error, bool waitForRefresh)
{
    const CreateContextAttribs create = FindCreateContextAttribs();
    if (!create) {
        error = "The 3D kinds need OpenGL 3.3, which this computer's graphics driver does not offer.";
        return false;
    }
    window_ = window;
    dc_ = GetDC(window);
    if (!SetShowPixelFormat(dc_)) {
        error = "The show window has no OpenGL pixel format.";
        return false;
    }
    const int attributes[] = {ContextMajorVersion, 3, ContextMinorVersion, 3, ContextProfileMask,
                              ContextCoreProfileBit, 0};
    context_ = create(dc_, nullptr, attributes);
    if (!context_ || !wglMakeCurrent(dc_, context_)) {
        error = "The 3D kinds need OpenGL 3.3, which this computer's graphics driver does not offer.";
        return false;
    }
    // One frame per refresh where the driver can wait for it; the show paces itself too.
    if (const auto interval = reinterpret_cast<SwapInterval>(FindFunction("wglSwapIntervalEXT", nullptr)))
        interval(waitForRefresh ? 1 : 0);
    return true;
}

void WglContext::MakeCurrent() const
{
    wglMakeCurrent(dc_, context_);
}

bool WglContext::LoadFunctions(GlFunctions& functions, std::string& error) const
{
    const char* missing = nullptr;
    if (!LoadGlFunctions(functions, FindFunction, nullptr, &missing)) {
        error = std::string("The 3D kinds need OpenGL 3.3; this computer's graphics driver lacks ") + missing + ".";
        return false;
    }
    functions.WindowFramebuffer = 0;
    return true;
}

void WglContext::Swap() const
{
    SwapBuffers(dc_);
}
