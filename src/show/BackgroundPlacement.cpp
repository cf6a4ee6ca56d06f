#include "BackgroundPlacement.h"

PicturePlacement PlacePicture(int16_t mode, int w, int h, int W, int H)
{
    if (mode != 9)
        return {{0, 0, double(w), double(h)}, {0, 0, double(W), double(H)}};
    if (w > W && h > H)
        return {{(w - W) / 2.0, (h - H) / 2.0, double(W), double(H)}, {0, 0, double(W), double(H)}};
    if (w > W)
        return {{(w - W) / 2.0, 0, double(W), double(h)}, {0, (H - h) / 2.0, double(W), double(h)}};
    if (h > H)
        return {{0, (h - H) / 2.0, double(w), double(H)}, {(W - w) / 2.0, 0, double(w), double(H)}};
    return {{0, 0, double(w), double(h)}, {(W - w) / 2.0, (H - h) / 2.0, double(w), double(h)}};
}

PlaceBox DesktopPart(int desktopWidth, int desktopHeight, int W, int H)
{
    const double dw = desktopWidth, dh = desktopHeight;
    if (dw * H > dh * W) {
        const double width = dh * W / H;
        return {(dw - width) / 2, 0, width, dh};
    }
    const double height = dw * H / W;
    return {0, (dh - height) / 2, dw, height};
}

std::optional<uint32_t> BackgroundColour(int16_t mode)
{
    static constexpr uint32_t colours[] = {0x000000, 0x000080, 0x800000, 0x800080,
                                           0x008000, 0x008080, 0x808000, 0x808080};
    if (mode >= 1 && mode <= 8)
        return colours[mode - 1];
    return std::nullopt;
}
