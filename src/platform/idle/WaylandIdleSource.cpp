#include "WaylandIdleSource.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "kde-idle-client-protocol.h"

#include <wayland-client.h>

#include <cstring>

namespace {

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    static_cast<WaylandIdleSource*>(data)->Announce(registry, name, interface, version);
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener RegistryListener = {OnGlobal, OnGlobalRemove};

void OnIdled(void* data, ext_idle_notification_v1*)
{
    static_cast<WaylandIdleSource*>(data)->Report(true);
}

void OnResumed(void* data, ext_idle_notification_v1*)
{
    static_cast<WaylandIdleSource*>(data)->Report(false);
}

const ext_idle_notification_v1_listener NotificationListener = {OnIdled, OnResumed};

void OnKdeIdle(void* data, org_kde_kwin_idle_timeout*)
{
    static_cast<WaylandIdleSource*>(data)->Report(true);
}

void OnKdeResumed(void* data, org_kde_kwin_idle_timeout*)
{
    static_cast<WaylandIdleSource*>(data)->Report(false);
}

const org_kde_kwin_idle_timeout_listener KdeTimeoutListener = {OnKdeIdle, OnKdeResumed};

}  // namespace

WaylandIdleSource::WaylandIdleSource(int idleMs)
{
    display_ = wl_display_connect(nullptr);
    if (!display_)
        return;
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &RegistryListener, this);
    wl_display_roundtrip(display_);
    state_ = Opened::NoProtocol;
    if (!seat_)
        return;
    if (notifier_) {
        notification_ = ext_idle_notifier_v1_get_idle_notification(notifier_, static_cast<uint32_t>(idleMs), seat_);
        ext_idle_notification_v1_add_listener(notification_, &NotificationListener, this);
    } else if (kdeIdle_) {
        kdeTimeout_ = org_kde_kwin_idle_get_idle_timeout(kdeIdle_, seat_, static_cast<uint32_t>(idleMs));
        org_kde_kwin_idle_timeout_add_listener(kdeTimeout_, &KdeTimeoutListener, this);
    } else {
        return;
    }
    if (wl_display_roundtrip(display_) < 0)
        return;
    state_ = Opened::Watching;
    readable_ = std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
    connect(readable_.get(), &QSocketNotifier::activated, this, &WaylandIdleSource::Read);
}

WaylandIdleSource::~WaylandIdleSource()
{
    readable_.reset();
    if (!display_)
        return;
    if (notification_)
        ext_idle_notification_v1_destroy(notification_);
    if (notifier_)
        ext_idle_notifier_v1_destroy(notifier_);
    if (kdeTimeout_)
        org_kde_kwin_idle_timeout_release(kdeTimeout_);
    if (kdeIdle_)
        org_kde_kwin_idle_destroy(kdeIdle_);
    if (seat_)
        wl_seat_destroy(seat_);
    if (registry_)
        wl_registry_destroy(registry_);
    wl_display_disconnect(display_);
}

QString WaylandIdleSource::Name() const
{
    return notification_ ? QStringLiteral("the compositor's ext-idle-notify-v1")
                         : QStringLiteral("the compositor's KDE idle protocol");
}

void WaylandIdleSource::Announce(wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    // The first seat: idleness is the session's, and a session's inputs sit on its seat.
    if (!seat_ && std::strcmp(interface, wl_seat_interface.name) == 0)
        seat_ = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (!notifier_ && std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0)
        notifier_ =
            static_cast<ext_idle_notifier_v1*>(wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
    else if (!kdeIdle_ && std::strcmp(interface, org_kde_kwin_idle_interface.name) == 0)
        kdeIdle_ = static_cast<org_kde_kwin_idle*>(wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
}

void WaylandIdleSource::Report(bool idle)
{
    if (idle)
        emit Idle();
    else
        emit Active();
}

void WaylandIdleSource::Read()
{
    if (wl_display_dispatch(display_) < 0 || wl_display_flush(display_) < 0) {
        readable_->setEnabled(false);
        emit Gone(QStringLiteral("the Wayland compositor went away"));
    }
}
