#include "ShowBackground.h"

#include "DibSection.h"
#include "WicPictures.h"
#include "WideText.h"

namespace {

struct Box {
    int Left, Top, Width, Height;
};

// The largest centred piece of the desktop with the show's shape, so a smaller show
// scales the desktop alike both ways, as the full-screen show then scales it back.
Box DesktopPart(int dw, int dh, int W, int H)
{
    if (static_cast<int64_t>(dw) * H > static_cast<int64_t>(dh) * W) {
        const int width = static_cast<int>(static_cast<int64_t>(dh) * W / H);
        return {(dw - width) / 2, 0, width, dh};
    }
    const int height = static_cast<int>(static_cast<int64_t>(dw) * H / W);
    return {0, (dh - height) / 2, dw, height};
}

void Snapshot(DibSection& target)
{
    const HWND desktop = GetDesktopWindow();
    const HDC screen = GetDC(desktop);
    const int dw = GetSystemMetrics(SM_CXSCREEN);
    const int dh = GetSystemMetrics(SM_CYSCREEN);
    if (dw == target.Width() && dh == target.Height()) {
        BitBlt(target.Dc(), 0, 0, dw, dh, screen, 0, 0, SRCCOPY);
    } else {
        const Box part = DesktopPart(dw, dh, target.Width(), target.Height());
        SetStretchBltMode(target.Dc(), HALFTONE);
        StretchBlt(target.Dc(), 0, 0, target.Width(), target.Height(), screen, part.Left, part.Top, part.Width,
                   part.Height, SRCCOPY);
    }
    ReleaseDC(desktop, screen);
}

// Mode 9 shows the picture at its own size, centred and cut to the show; 10 stretches it.
void DrawPicture(DibSection& target, int16_t mode, const Surface& picture)
{
    const int w = picture.Width(), h = picture.Height(), W = target.Width(), H = target.Height();
    Box source{0, 0, w, h};
    Box destination{0, 0, W, H};
    if (mode == 9) {
        if (w > W)
            source = {(w - W) / 2, source.Top, W, source.Height};
        else
            destination = {(W - w) / 2, destination.Top, w, destination.Height};
        if (h > H)
            source = {source.Left, (h - H) / 2, source.Width, H};
        else
            destination = {destination.Left, (H - h) / 2, destination.Width, h};
    }
    DibSection decoded(w, h);
    if (!decoded.Valid())
        return;
    decoded.CopyFrom(picture, Rect{0, 0, w, h});
    SetStretchBltMode(target.Dc(), HALFTONE);
    StretchBlt(target.Dc(), destination.Left, destination.Top, destination.Width, destination.Height, decoded.Dc(),
               source.Left, source.Top, source.Width, source.Height, SRCCOPY);
}

}  // namespace

std::optional<Surface> BuildBackground(int16_t mode, const std::string& pictureFile, int W, int H, std::string* error)
{
    static constexpr COLORREF colours[] = {RGB(0, 0, 0),     RGB(0, 0, 128), RGB(128, 0, 0),   RGB(128, 0, 128),
                                           RGB(0, 128, 0),   RGB(0, 128, 128), RGB(128, 128, 0), RGB(128, 128, 128)};
    DibSection background(W, H);
    if (!background.Valid()) {
        *error = "There is not enough memory for a " + std::to_string(W) + " x " + std::to_string(H) + " show.";
        return std::nullopt;
    }
    PatBlt(background.Dc(), 0, 0, W, H, BLACKNESS);
    if (mode == 0) {
        Snapshot(background);
    } else if (mode >= 1 && mode <= 8) {
        const HBRUSH brush = CreateSolidBrush(colours[mode - 1]);
        const RECT all{0, 0, W, H};
        FillRect(background.Dc(), &all, brush);
        DeleteObject(brush);
    } else if (mode == 9 || mode == 10) {
        const std::optional<Surface> picture = ReadPictureFile(WideOfUtf8(pictureFile));
        if (!picture) {
            *error = "The background picture \"" + pictureFile + "\" could not be read.";
            return std::nullopt;
        }
        DrawPicture(background, mode, *picture);
    }
    GdiFlush();
    return background.ToSurface();
}
