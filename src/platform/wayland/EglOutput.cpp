#include "EglOutput.h"

#include <algorithm>

#include <EGL/eglext.h>
#include <wayland-egl.h>

#include <cstring>

namespace {

bool HasExtension(const char* list, const char* name)
{
    const size_t length = std::strlen(name);
    for (const char* at = list; at && (at = std::strstr(at, name)) != nullptr; at += length)
        if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0'))
            return true;
    return false;
}

}  // namespace

std::unique_ptr<EglDisplay> EglDisplay::Open(wl_display* display, std::string& error)
{
    std::unique_ptr<EglDisplay> egl(new EglDisplay);
    const auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay)
        egl->display_ = getPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, display, nullptr);
    EGLint major = 0, minor = 0;
    if (egl->display_ == EGL_NO_DISPLAY || !eglInitialize(egl->display_, &major, &minor)) {
        egl->display_ = EGL_NO_DISPLAY;
        error = "no EGL display on the Wayland connection";
        return nullptr;
    }
    const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                 EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 24,
                                 EGL_NONE};
    EGLint found = 0;
    if (!eglBindAPI(EGL_OPENGL_API) || !eglChooseConfig(egl->display_, attributes, &egl->config_, 1, &found) ||
        found < 1) {
        error = "no EGL configuration for OpenGL windows with depth";
        return nullptr;
    }
    const char* extensions = eglQueryString(egl->display_, EGL_EXTENSIONS);
    egl->bufferAge_ = HasExtension(extensions, "EGL_EXT_buffer_age");
    if (HasExtension(extensions, "EGL_KHR_swap_buffers_with_damage"))
        egl->swapDamaged_ = reinterpret_cast<SwapWithDamage>(eglGetProcAddress("eglSwapBuffersWithDamageKHR"));
    else if (HasExtension(extensions, "EGL_EXT_swap_buffers_with_damage"))
        egl->swapDamaged_ = reinterpret_cast<SwapWithDamage>(eglGetProcAddress("eglSwapBuffersWithDamageEXT"));
    return egl;
}

EglDisplay::~EglDisplay()
{
    if (display_ != EGL_NO_DISPLAY) {
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglTerminate(display_);
        eglReleaseThread();
    }
}

std::unique_ptr<EglOutput> EglOutput::Create(const EglDisplay& egl, wl_surface* surface, int width, int height,
                                             std::string& error)
{
    std::unique_ptr<EglOutput> output(new EglOutput(egl));
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 3,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_NONE};
    output->context_ = eglCreateContext(egl.Handle(), egl.Config(), EGL_NO_CONTEXT, attributes);
    if (output->context_ == EGL_NO_CONTEXT) {
        error = "no OpenGL 3.3 core context";
        return nullptr;
    }
    output->window_ = wl_egl_window_create(surface, width, height);
    if (output->window_)
        output->surface_ = eglCreateWindowSurface(egl.Handle(), egl.Config(),
                                                  reinterpret_cast<EGLNativeWindowType>(output->window_), nullptr);
    if (output->surface_ == EGL_NO_SURFACE) {
        error = "no EGL window surface on the show surface";
        return nullptr;
    }
    output->width_ = width;
    output->height_ = height;
    if (!output->MakeCurrent(width, height)) {
        error = "the OpenGL context cannot be made current on the show surface";
        return nullptr;
    }
    // The compositor's frame callbacks pace the show; a swap must not wait for one.
    eglSwapInterval(egl.Handle(), 0);
    return output;
}

EglOutput::~EglOutput()
{
    const EGLDisplay display = egl_.Handle();
    if (eglGetCurrentContext() == context_)
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (surface_ != EGL_NO_SURFACE)
        eglDestroySurface(display, surface_);
    if (window_)
        wl_egl_window_destroy(window_);
    if (context_ != EGL_NO_CONTEXT)
        eglDestroyContext(display, context_);
}

bool EglOutput::MakeCurrent(int width, int height)
{
    if (width != width_ || height != height_) {
        wl_egl_window_resize(window_, width, height, 0, 0);
        width_ = width;
        height_ = height;
    }
    return eglMakeCurrent(egl_.Handle(), surface_, surface_, context_);
}

bool EglOutput::LoadFunctions(GlFunctions& gl, std::string& error) const
{
    const char* missing = nullptr;
    const GlLookup lookup = [](const char* name, void*) { return reinterpret_cast<void*>(eglGetProcAddress(name)); };
    if (!LoadGlFunctions(gl, lookup, nullptr, &missing)) {
        error = std::string("no ") + missing + " in the OpenGL context";
        return false;
    }
    gl.WindowFramebuffer = 0;
    return true;
}

int EglOutput::BackBufferAge() const
{
    EGLint age = 0;
    if (!egl_.BufferAge() || !eglQuerySurface(egl_.Handle(), surface_, EGL_BUFFER_AGE_EXT, &age))
        return 0;
    return std::max(age, 0);
}

void EglOutput::Swap(const std::vector<PixelBox>& changed, bool overLast)
{
    if (!overLast || !egl_.SwapDamaged() || changed.empty()) {
        eglSwapBuffers(egl_.Handle(), surface_);
        return;
    }
    damage_.clear();
    for (const PixelBox& box : changed)
        damage_.insert(damage_.end(), {box.X0, box.Y0, box.Width(), box.Height()});
    egl_.SwapDamaged()(egl_.Handle(), surface_, damage_.data(), static_cast<EGLint>(changed.size()));
}
