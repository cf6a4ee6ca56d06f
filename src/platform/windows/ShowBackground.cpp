#include "ShowBackground.h"

#include "BackgroundPlacement.h"
#include "DibSection.h"
#include "WicPictures.h"
#include "WideText.h"

namespace {

void Snapshot(DibSection& target, const RECT& monitor)
{
    // The whole screen's device context is in desktop coordinates, where a monitor left
    // of or above the primary lies at negative ones.
    const HDC screen = GetDC(nullptr);
    const int dw = monitor.right - monitor.left;
    const int dh = monitor.bottom - monitor.top;
    if (dw == target.Width() && dh == target.Height()) {
        BitBlt(target.Dc(), 0, 0, dw, dh, screen, monitor.left, monitor.top, SRCCOPY);
    } else {
        const PlaceBox part = DesktopPart(dw, dh, target.Width(), target.Height());
        SetStretchBltMode(target.Dc(), HALFTONE);
        StretchBlt(target.Dc(), 0, 0, target.Width(), target.Height(), screen, monitor.left + int(part.Left),
                   monitor.top + int(part.Top), int(part.Width), int(part.Height), SRCCOPY);
    }
    ReleaseDC(nullptr, screen);
}

// GDI copies whole pixels: an edge on a half pixel goes to the pixel before it.
void DrawPicture(DibSection& target, int16_t mode, const Surface& picture)
{
    const int w = picture.Width(), h = picture.Height();
    const PicturePlacement place = PlacePicture(mode, w, h, target.Width(), target.Height());
    DibSection decoded(w, h);
    if (!decoded.Valid())
        return;
    decoded.CopyFrom(picture, Rect{0, 0, w, h});
    SetStretchBltMode(target.Dc(), HALFTONE);
    StretchBlt(target.Dc(), int(place.Destination.Left), int(place.Destination.Top), int(place.Destination.Width),
               int(place.Destination.Height), decoded.Dc(), int(place.Source.Left), int(place.Source.Top),
               int(place.Source.Width), int(place.Source.Height), SRCCOPY);
}

}  // namespace

std::optional<Surface> BuildBackground(int16_t mode, const std::string& pictureFile, const RECT& monitor, int W, int H,
                                       StartFailure* failure, std::string* error)
{
    DibSection background(W, H);
    if (!background.Valid()) {
        *failure = StartFailure::NoMemory;
        *error = "There is not enough memory for a " + std::to_string(W) + " x " + std::to_string(H) + " show.";
        return std::nullopt;
    }
    PatBlt(background.Dc(), 0, 0, W, H, BLACKNESS);
    if (mode == 0) {
        Snapshot(background, monitor);
    } else if (const std::optional<uint32_t> colour = BackgroundColour(mode)) {
        const HBRUSH brush = CreateSolidBrush(RGB(*colour >> 16, (*colour >> 8) & 0xFF, *colour & 0xFF));
        const RECT all{0, 0, W, H};
        FillRect(background.Dc(), &all, brush);
        DeleteObject(brush);
    } else if (mode == 9 || mode == 10) {
        const std::optional<Surface> picture = ReadPictureFile(WideOfUtf8(pictureFile));
        if (!picture) {
            *failure = StartFailure::BackgroundUnreadable;
            *error = "The background picture \"" + pictureFile + "\" could not be read.";
            return std::nullopt;
        }
        DrawPicture(background, mode, *picture);
    }
    GdiFlush();
    return background.ToSurface();
}
