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

}  // namespace

HostWindow::HostWindow(uint32_t windowId, QObject* parent) : QObject(parent), id_(windowId) {}

HostWindow::~HostWindow()
{
    if (watching_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::optional<QSize> HostWindow::QuerySize() const
{
    xcb_connection_t* c = Connection();
    if (!c || id_ == 0)
        return std::nullopt;
    xcb_generic_error_t* error = nullptr;
    xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(c, xcb_get_geometry(c, id_), &error);
    std::free(error);
    if (!reply)
        return std::nullopt;
    const QSize size(reply->width, reply->height);
    std::free(reply);
    return size;
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
            emit Resized(QSize(configure->width, configure->height));
        break;
    }
    default:
        break;
    }
    return false;
}
