#include "HostWindow.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cstdlib>

namespace {

xcb_connection_t* Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// A window that can show a picture: InputOutput and on screen. A pixmap's id fails
// the request; an InputOnly window has no pixels, and drawing into it crashes OpenGL.
bool CanShowPictures(xcb_connection_t* c, uint32_t id)
{
    xcb_generic_error_t* error = nullptr;
    xcb_get_window_attributes_reply_t* reply =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), &error);
    std::free(error);
    if (!reply)
        return false;
    const bool usable = reply->_class == XCB_WINDOW_CLASS_INPUT_OUTPUT && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(reply);
    return usable;
}

}  // namespace

HostWindow::HostWindow(uint32_t windowId, QObject* parent) : QObject(parent), id_(windowId) {}

HostWindow::~HostWindow()
{
    if (watching_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

QSize CapToDisplay(QSize size)
{
    xcb_connection_t* c = Connection();
    if (!c)
        return size;
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return size.boundedTo(QSize(root->width_in_pixels, root->height_in_pixels));
}

std::optional<QSize> HostWindow::QuerySize() const
{
    xcb_connection_t* c = Connection();
    if (!c || id_ == 0 || !CanShowPictures(c, id_))
        return std::nullopt;
    xcb_generic_error_t* error = nullptr;
    xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(c, xcb_get_geometry(c, id_), &error);
    std::free(error);
    if (!reply)
        return std::nullopt;
    const QSize size(reply->width, reply->height);
    std::free(reply);
    return CapToDisplay(size);
}

void HostWindow::Watch()
{
    xcb_connection_t* c = Connection();
    if (!c || watching_)
        return;
    // Our own event mask on the host; the owner's selections are unaffected.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, id_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    QCoreApplication::instance()->installNativeEventFilter(this);
    watching_ = true;
}

bool HostWindow::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7f) {
    case XCB_DESTROY_NOTIFY: {
        auto* destroy = reinterpret_cast<xcb_destroy_notify_event_t*>(event);
        if (destroy->window == id_)
            emit Destroyed();
        break;
    }
    case XCB_CONFIGURE_NOTIFY: {
        auto* configure = reinterpret_cast<xcb_configure_notify_event_t*>(event);
        if (configure->window == id_)
            emit Resized(CapToDisplay(QSize(configure->width, configure->height)));
        break;
    }
    default:
        break;
    }
    return false;
}
