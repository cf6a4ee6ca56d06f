#pragma once

#include <cstdint>
#include <functional>
#include <optional>

struct wl_keyboard;
struct wl_pointer;
struct wl_seat;
struct wl_surface;
struct wl_touch;

// Where the pointer is, in pixels of the compositor's layout.
struct LayoutPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const LayoutPoint&) const = default;
};

// The keyboard, pointer and touch screen of one seat, as far as the show listens to
// them: any key, button or touch is a press; the pointer's position over the show's
// surfaces is tracked, and the cursor is hidden over them.
class SeatInput {
public:
    // origin gives where a surface of the show lies in the layout; nothing for the
    // program's other surfaces, over which the pointer is not tracked.
    SeatInput(wl_seat* seat, std::function<std::optional<LayoutPoint>(wl_surface*)> origin);
    ~SeatInput();
    SeatInput(const SeatInput&) = delete;
    SeatInput& operator=(const SeatInput&) = delete;

    // A key, a button or a touch went down.
    std::function<void()> OnPress;

    // How far the pointer has moved since it was first seen over the show; zero until
    // then, so the pointer found resting where a surface appears is no movement.
    LayoutPoint PointerTravel() const;

private:
    friend struct SeatEvents;

    void SetCapabilities(uint32_t capabilities);
    void PointerAt(wl_surface* surface, int32_t fixedX, int32_t fixedY);

    wl_seat* seat_;
    std::function<std::optional<LayoutPoint>(wl_surface*)> origin_;
    wl_keyboard* keyboard_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    wl_touch* touch_ = nullptr;
    wl_surface* pointerSurface_ = nullptr;
    bool pointerSeen_ = false;
    LayoutPoint firstSeen_;
    LayoutPoint pointerAt_;
};
