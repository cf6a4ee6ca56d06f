#pragma once

#include <cstdint>

// Pixels are 32-bit premultiplied ARGB (0xAARRGGBB, colour channels already multiplied
// by alpha), the layout of QImage::Format_ARGB32_Premultiplied.

constexpr uint32_t OpaqueBlack = 0xFF000000u;

inline uint32_t AlphaOf(uint32_t pixel)
{
    return pixel >> 24;
}

// Each of the four channels times a / 255, correctly rounded; two channels per multiply.
inline uint32_t ScaleChannels(uint32_t pixel, uint32_t a)
{
    uint32_t rb = (pixel & 0x00FF00FFu) * a;
    rb = ((rb + ((rb >> 8) & 0x00FF00FFu) + 0x00800080u) >> 8) & 0x00FF00FFu;
    uint32_t ag = ((pixel >> 8) & 0x00FF00FFu) * a;
    ag = (ag + ((ag >> 8) & 0x00FF00FFu) + 0x00800080u) & 0xFF00FF00u;
    return rb | ag;
}

// Source over destination. An opaque destination stays exactly opaque, and a fully
// transparent source leaves the destination untouched.
inline uint32_t SourceOver(uint32_t source, uint32_t destination)
{
    const uint32_t a = AlphaOf(source);
    if (a == 255)
        return source;
    if (a == 0)
        return destination;
    return source + ScaleChannels(destination, 255 - a);
}
