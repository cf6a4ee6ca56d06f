#pragma once

#include <cstdint>
#include <optional>

// A rectangle in pixels whose edges may fall on a half pixel: the show divides by two
// without rounding.
struct PlaceBox {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    bool operator==(const PlaceBox&) const = default;
};

// Where a background picture of w x h is copied from and to on a W x H show.
// Mode 9 shows it at its own size, centred and cut to the show; mode 10 stretches it.
struct PicturePlacement {
    PlaceBox Source;
    PlaceBox Destination;
};
PicturePlacement PlacePicture(int16_t mode, int w, int h, int showWidth, int showHeight);

// The part of a desktop snapshot that becomes the background of a W x H show: the
// largest centred piece of the show's shape, so the desktop is scaled alike both ways.
// The full-screen show centres a smaller show at that same scale, so every window of
// the snapshot is seen where it was.
PlaceBox DesktopPart(int desktopWidth, int desktopHeight, int showWidth, int showHeight);

// The plain colours of "background mode" 1..8, as 0xRRGGBB; nothing for other modes.
std::optional<uint32_t> BackgroundColour(int16_t mode);
