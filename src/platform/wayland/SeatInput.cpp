#include "SeatInput.h"

#include <wayland-client-protocol.h>

#include <unistd.h>

namespace {

SeatInput& Of(void* data)
{
    return *static_cast<SeatInput*>(data);
}

void Press(void* data)
{
    if (Of(data).OnPress)
        Of(data).OnPress();
}

}  // namespace

struct SeatEvents {
    static void Capabilities(void* data, wl_seat*, uint32_t capabilities) { Of(data).SetCapabilities(capabilities); }
    static void SeatName(void*, wl_seat*, const char*) {}

    static void Keymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); }
    static void KeyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
    static void KeyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
    static void Key(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t state)
    {
        if (state == WL_KEYBOARD_KEY_STATE_PRESSED)
            Press(data);
    }
    static void Modifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
    static void RepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}

    static void PointerEnter(void* data, wl_pointer* pointer, uint32_t serial, wl_surface* surface, wl_fixed_t x,
                             wl_fixed_t y)
    {
        wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
        Of(data).PointerAt(surface, x, y);
    }
    static void PointerLeave(void* data, wl_pointer*, uint32_t, wl_surface*) { Of(data).pointerSurface_ = nullptr; }
    static void Motion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y)
    {
        Of(data).PointerAt(Of(data).pointerSurface_, x, y);
    }
    static void Button(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state)
    {
        if (state == WL_POINTER_BUTTON_STATE_PRESSED)
            Press(data);
    }
    static void Axis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
    static void Frame(void*, wl_pointer*) {}
    static void AxisSource(void*, wl_pointer*, uint32_t) {}
    static void AxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
    static void AxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
    static void AxisValue120(void*, wl_pointer*, uint32_t, int32_t) {}
#ifdef WL_POINTER_AXIS_RELATIVE_DIRECTION_SINCE_VERSION
    static void AxisRelativeDirection(void*, wl_pointer*, uint32_t, uint32_t) {}
#endif

    static void TouchDown(void* data, wl_touch*, uint32_t, uint32_t, wl_surface*, int32_t, wl_fixed_t, wl_fixed_t)
    {
        Press(data);
    }
    static void TouchUp(void*, wl_touch*, uint32_t, uint32_t, int32_t) {}
    static void TouchMotion(void*, wl_touch*, uint32_t, int32_t, wl_fixed_t, wl_fixed_t) {}
    static void TouchFrame(void*, wl_touch*) {}
    static void TouchCancel(void*, wl_touch*) {}
    static void TouchShape(void*, wl_touch*, int32_t, wl_fixed_t, wl_fixed_t) {}
    static void TouchOrientation(void*, wl_touch*, int32_t, wl_fixed_t) {}
};

namespace {

const wl_seat_listener seatListener{SeatEvents::Capabilities, SeatEvents::SeatName};
const wl_keyboard_listener keyboardListener{SeatEvents::Keymap, SeatEvents::KeyboardEnter, SeatEvents::KeyboardLeave,
                                            SeatEvents::Key,    SeatEvents::Modifiers,     SeatEvents::RepeatInfo};
const wl_pointer_listener pointerListener{SeatEvents::PointerEnter, SeatEvents::PointerLeave, SeatEvents::Motion,
                                          SeatEvents::Button,       SeatEvents::Axis,         SeatEvents::Frame,
                                          SeatEvents::AxisSource,   SeatEvents::AxisStop,     SeatEvents::AxisDiscrete,
                                          SeatEvents::AxisValue120,
// Newer libwayland headers list one more event (seat version 9); the seat is bound below it.
#ifdef WL_POINTER_AXIS_RELATIVE_DIRECTION_SINCE_VERSION
                                          SeatEvents::AxisRelativeDirection,
#endif
};
const wl_touch_listener touchListener{SeatEvents::TouchDown,  SeatEvents::TouchUp,    SeatEvents::TouchMotion,
                                      SeatEvents::TouchFrame, SeatEvents::TouchCancel, SeatEvents::TouchShape,
                                      SeatEvents::TouchOrientation};

// Devices are released where the seat is new enough to say so; else only forgotten.
template <typename Device>
void Drop(Device*& device, uint32_t seatVersion, void (*release)(Device*), void (*destroy)(Device*))
{
    if (!device)
        return;
    (seatVersion >= WL_KEYBOARD_RELEASE_SINCE_VERSION ? release : destroy)(device);
    device = nullptr;
}

}  // namespace

SeatInput::SeatInput(wl_seat* seat, std::function<std::optional<LayoutPoint>(wl_surface*)> origin)
    : seat_(seat), origin_(std::move(origin))
{
    wl_seat_add_listener(seat_, &seatListener, this);
}

SeatInput::~SeatInput()
{
    SetCapabilities(0);
    if (wl_seat_get_version(seat_) >= WL_SEAT_RELEASE_SINCE_VERSION)
        wl_seat_release(seat_);
    else
        wl_seat_destroy(seat_);
}

void SeatInput::SetCapabilities(uint32_t capabilities)
{
    const uint32_t version = wl_seat_get_version(seat_);
    if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !keyboard_) {
        keyboard_ = wl_seat_get_keyboard(seat_);
        wl_keyboard_add_listener(keyboard_, &keyboardListener, this);
    } else if (!(capabilities & WL_SEAT_CAPABILITY_KEYBOARD)) {
        Drop(keyboard_, version, wl_keyboard_release, wl_keyboard_destroy);
    }
    if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !pointer_) {
        pointer_ = wl_seat_get_pointer(seat_);
        wl_pointer_add_listener(pointer_, &pointerListener, this);
    } else if (!(capabilities & WL_SEAT_CAPABILITY_POINTER)) {
        Drop(pointer_, version, wl_pointer_release, wl_pointer_destroy);
        pointerSurface_ = nullptr;
    }
    if ((capabilities & WL_SEAT_CAPABILITY_TOUCH) && !touch_) {
        touch_ = wl_seat_get_touch(seat_);
        wl_touch_add_listener(touch_, &touchListener, this);
    } else if (!(capabilities & WL_SEAT_CAPABILITY_TOUCH)) {
        Drop(touch_, version, wl_touch_release, wl_touch_destroy);
    }
}

void SeatInput::PointerAt(wl_surface* surface, int32_t fixedX, int32_t fixedY)
{
    pointerSurface_ = surface;
    const std::optional<LayoutPoint> origin = surface ? origin_(surface) : std::nullopt;
    if (!origin)
        return;
    pointerAt_ = {origin->X + wl_fixed_to_int(fixedX), origin->Y + wl_fixed_to_int(fixedY)};
    if (!pointerSeen_) {
        pointerSeen_ = true;
        firstSeen_ = pointerAt_;
    }
}

LayoutPoint SeatInput::PointerTravel() const
{
    return {pointerAt_.X - firstSeen_.X, pointerAt_.Y - firstSeen_.Y};
}
