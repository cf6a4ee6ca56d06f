#pragma once

#include "IdleSource.h"

#include <QSocketNotifier>

#include <memory>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct ext_idle_notifier_v1;
struct ext_idle_notification_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;

// Idleness from the Wayland compositor: ext-idle-notify-v1 where offered, else KDE's
// idle protocol (org_kde_kwin_idle, which sway 1.7 and KWin offer). The compositor
// applies its idle inhibitors (a video playing full screen) to both.
class WaylandIdleSource : public IdleSource {
    Q_OBJECT
public:
    enum class Opened { Watching, NoCompositor, NoProtocol };

    explicit WaylandIdleSource(int idleMs);
    ~WaylandIdleSource() override;

    Opened State() const { return state_; }
    QString Name() const override;

    // Protocol callbacks.
    void Announce(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
    void Report(bool idle);

private:
    void Read();

    Opened state_ = Opened::NoCompositor;
    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    ext_idle_notifier_v1* notifier_ = nullptr;
    ext_idle_notification_v1* notification_ = nullptr;
    org_kde_kwin_idle* kdeIdle_ = nullptr;
    org_kde_kwin_idle_timeout* kdeTimeout_ = nullptr;
    std::unique_ptr<QSocketNotifier> readable_;
};
