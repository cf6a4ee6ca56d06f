#include "DaemonScreenshot.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t ExistingAtom(xcb_connection_t* c, const char* name)
{
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

}  // namespace

QImage ReadDaemonScreenshot(uint32_t window)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || window == 0)
        return QImage();
    const xcb_atom_t atom = ExistingAtom(c, "_SCREENSAVER_SCREENSHOT");
    if (atom == XCB_ATOM_NONE)
        return QImage();
    const Reply<xcb_get_property_reply_t> property(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, atom, XCB_ATOM_PIXMAP, 0, 1), nullptr));
    if (!property || property->format != 32 || xcb_get_property_value_length(property.get()) != 4)
        return QImage();
    const xcb_pixmap_t pixmap = *static_cast<const uint32_t*>(xcb_get_property_value(property.get()));

    const Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, pixmap), nullptr));
    if (!geometry || geometry->width == 0 || geometry->height == 0)
        return QImage();
    // Only the common case is read: 24-bit colour in 32-bit little-endian pixels.
    const xcb_setup_t* setup = xcb_get_setup(c);
    if (geometry->depth != 24 || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return QImage();
    const int w = geometry->width;
    const int h = geometry->height;
    const Reply<xcb_get_image_reply_t> image(xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, 0, 0, w, h, ~0u), nullptr));
    if (!image || xcb_get_image_data_length(image.get()) < w * h * 4)
        return QImage();
    return QImage(xcb_get_image_data(image.get()), w, h, w * 4, QImage::Format_RGB32).copy();
}
