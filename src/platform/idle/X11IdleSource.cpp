#include "X11IdleSource.h"

#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <cstdlib>

X11IdleSource::X11IdleSource(int idleMs) : idleMs_(idleMs)
{
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_)) {
        problem_ = QStringLiteral("neither a Wayland compositor nor an X display answers (WAYLAND_DISPLAY, DISPLAY)");
        return;
    }
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection_, &xcb_screensaver_id);
    if (!extension || !extension->present) {
        problem_ = QStringLiteral("the X server has no screen-saver extension (MIT-SCREEN-SAVER)");
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    root_ = screens.data->root;

    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &X11IdleSource::Check);
    // Nothing is asked of the server between checks: the descriptor turns readable only
    // when the server goes away.
    readable_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
    connect(readable_.get(), &QSocketNotifier::activated, this, &X11IdleSource::Drain);
    QTimer::singleShot(0, this, &X11IdleSource::Check);
}

X11IdleSource::~X11IdleSource()
{
    readable_.reset();
    xcb_disconnect(connection_);
}

void X11IdleSource::Check()
{
    xcb_screensaver_query_info_reply_t* info =
        xcb_screensaver_query_info_reply(connection_, xcb_screensaver_query_info(connection_, root_), nullptr);
    if (!info) {
        Drain();
        return;
    }
    const qint64 sinceInput = info->ms_since_user_input;
    std::free(info);
    if (idle_) {
        // Input since Idle() was reported: the user is back.
        if (sinceInput >= sinceIdle_.elapsed()) {
            timer_.start(idleMs_);
            return;
        }
        idle_ = false;
        emit Active();
    }
    if (sinceInput >= idleMs_) {
        idle_ = true;
        sinceIdle_.start();
        timer_.start(idleMs_);
        emit Idle();
        return;
    }
    timer_.start(static_cast<int>(idleMs_ - sinceInput));
}

void X11IdleSource::Drain()
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
        std::free(event);
    if (xcb_connection_has_error(connection_)) {
        timer_.stop();
        readable_->setEnabled(false);
        emit Gone(QStringLiteral("the X server went away"));
    }
}
