#pragma once

#include "GlFunctions.h"
#include "PixelBox.h"

#include <EGL/egl.h>

#include <memory>
#include <string>
#include <vector>

struct wl_display;
struct wl_egl_window;
struct wl_surface;

// OpenGL on the compositor's connection: an EGL display of the Wayland platform and a
// configuration with depth for OpenGL 3.3 core contexts. Knows whether the driver tells
// how old a window's back buffer is and takes the damage of a swap.
class EglDisplay {
public:
    // Null, with the reason, when EGL or an OpenGL 3.3 core context cannot be had.
    static std::unique_ptr<EglDisplay> Open(wl_display* display, std::string& error);
    ~EglDisplay();
    EglDisplay(const EglDisplay&) = delete;
    EglDisplay& operator=(const EglDisplay&) = delete;

    EGLDisplay Handle() const { return display_; }
    EGLConfig Config() const { return config_; }
    bool BufferAge() const { return bufferAge_; }
    // eglSwapBuffersWithDamage (KHR or EXT); null without either extension.
    using SwapWithDamage = EGLBoolean (*)(EGLDisplay, EGLSurface, const EGLint*, EGLint);
    SwapWithDamage SwapDamaged() const { return swapDamaged_; }

private:
    EglDisplay() = default;

    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLConfig config_ = nullptr;
    bool bufferAge_ = false;
    SwapWithDamage swapDamaged_ = nullptr;
};

// One output's OpenGL drawing: its own context and a window surface on the output's
// show surface. The caller asks the compositor for the frame callback; swaps never wait.
class EglOutput {
public:
    // Null, with the reason, when the context or the window surface cannot be made.
    static std::unique_ptr<EglOutput> Create(const EglDisplay& egl, wl_surface* surface, int width, int height,
                                             std::string& error);
    ~EglOutput();
    EglOutput(const EglOutput&) = delete;
    EglOutput& operator=(const EglOutput&) = delete;

    // Makes the context current on this output's surface, sized to width x height.
    bool MakeCurrent(int width, int height);
    // The renderer's table, from this context; false naming the function missing.
    bool LoadFunctions(GlFunctions& gl, std::string& error) const;
    // How many frames ago the back buffer was shown (1: the last one), as the driver
    // tells; 0 when it does not, or the buffer holds nothing yet: then the next frame is
    // drawn whole.
    int BackBufferAge() const;
    // Shows the frame drawn; `changed` (rows counted from the bottom) is its damage where
    // the driver takes it and the frame was drawn over the last.
    void Swap(const std::vector<PixelBox>& changed, bool overLast);

private:
    explicit EglOutput(const EglDisplay& egl) : egl_(egl) {}

    const EglDisplay& egl_;
    EGLContext context_ = EGL_NO_CONTEXT;
    EGLSurface surface_ = EGL_NO_SURFACE;
    wl_egl_window* window_ = nullptr;
    int width_ = 0, height_ = 0;
    std::vector<EGLint> damage_;
};
