#include "RunModes.h"

#include "DibSection.h"
#include "Platform.h"
#include "PreviewChoice.h"
#include "WicPictures.h"
#include "WindowClass.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr wchar_t ClassName[] = L"KestrovaSaverPreview";

// The chosen picture filling the window, the emblem a third of its width square at the
// top-left corner above it.
struct PreviewPictures {
    std::unique_ptr<DibSection> Picture;
    std::unique_ptr<DibSection> Emblem;
    HWND Host = nullptr;
};

std::unique_ptr<DibSection> DibOf(const Surface& surface)
{
    auto dib = std::make_unique<DibSection>(surface.Width(), surface.Height());
    if (dib->Valid())
        dib->CopyFrom(surface, Rect{0, 0, surface.Width(), surface.Height()});
    return dib;
}

void Draw(HWND window, HDC dc, const PreviewPictures& pictures)
{
    RECT client{};
    GetClientRect(window, &client);
    PatBlt(dc, 0, 0, client.right, client.bottom, BLACKNESS);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, client.right, client.bottom, pictures.Picture->Dc(), 0, 0, pictures.Picture->Width(),
               pictures.Picture->Height(), SRCCOPY);
    const int side = client.right / 3;
    GdiAlphaBlend(dc, 0, 0, side, side, pictures.Emblem->Dc(), 0, 0, pictures.Emblem->Width(),
                  pictures.Emblem->Height(), blend);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto* pictures = static_cast<const PreviewPictures*>(WindowOwner(window, message, lParam));
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        if (pictures)
            Draw(window, dc, *pictures);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int RunPreviewMode(HWND host)
{
    // A host that is no window would leave an invisible window running for ever.
    RECT hostRect{};
    if (!host || !IsWindow(host) || !GetClientRect(host, &hostRect))
        return 0;

    // The preview reads only these two keys, each defaulting to 0.
    const int index = PreviewPictureIndex(ReadSettingInt("flight mode", 0), ReadSettingInt("background mode", 0));
    PreviewPictures pictures;
    try {
        pictures.Picture = DibOf(ReadEmbeddedPicture("preview/prev" + std::to_string(index) + ".png"));
        pictures.Emblem = DibOf(ReadEmbeddedPicture("preview/emblem.png"));
    } catch (const std::runtime_error&) {
        return 1;
    }
    pictures.Host = host;

    const HINSTANCE instance = RegisterWindowClass(ClassName, Procedure);
    const HWND window = CreateWindowExW(0, ClassName, L"Prev", WS_POPUP, 0, 0, hostRect.right, hostRect.bottom,
                                        nullptr, nullptr, instance, &pictures);
    if (!window)
        return 1;
    // Made a child of the host, it fills the host and goes when the host goes.
    SetWindowLongPtrW(window, GWL_STYLE, (GetWindowLongPtrW(window, GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
    if (!SetParent(window, host)) {
        DestroyWindow(window);
        return 0;
    }
    MoveWindow(window, 0, 0, hostRect.right, hostRect.bottom, FALSE);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    // The preview lives as long as its window. A host in another process may take its
    // child along without a message reaching this thread, so both are looked at a few
    // times a second too; the preview also follows the host's size.
    while (IsWindow(window)) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        RECT now{};
        RECT own{};
        if (!IsWindow(host) || !GetClientRect(host, &now)) {
            DestroyWindow(window);
            break;
        }
        if (GetClientRect(window, &own) && (own.right != now.right || own.bottom != now.bottom))
            MoveWindow(window, 0, 0, now.right, now.bottom, TRUE);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 250, QS_ALLINPUT);
    }
    return 0;
}
