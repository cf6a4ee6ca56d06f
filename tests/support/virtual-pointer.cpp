// A pointer device for tests on wlroots compositors: connects to WAYLAND_DISPLAY, adds a
// virtual pointer to the first seat and carries out its arguments in order:
//   move DX DY     relative motion in pixels
//   click BUTTON   press and release; left, right, middle or a Linux button code
//   wait MS        stay connected, so the seat keeps a pointer, for that long
// Exits 0 once the compositor has taken every request, 1 with a message otherwise.
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

struct Globals {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* manager = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    auto* globals = static_cast<Globals*>(data);
    if (!globals->seat && std::strcmp(interface, wl_seat_interface.name) == 0)
        globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        globals->manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, std::min(version, 1u)));
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener RegistryListener = {OnGlobal, OnGlobalRemove};

uint32_t NowMs()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The Linux button code for a name or a number; 0 when it is neither.
uint32_t ButtonCode(const std::string& text)
{
    if (text == "left")
        return BTN_LEFT;
    if (text == "right")
        return BTN_RIGHT;
    if (text == "middle")
        return BTN_MIDDLE;
    return static_cast<uint32_t>(std::strtoul(text.c_str(), nullptr, 0));
}

int Fail(const char* message)
{
    std::fprintf(stderr, "virtual-pointer: %s\n", message);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return Fail("cannot connect to the Wayland display in WAYLAND_DISPLAY");
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &RegistryListener, &globals);
    wl_display_roundtrip(display);
    if (!globals.manager)
        return Fail("the compositor offers no zwlr_virtual_pointer_manager_v1");
    if (!globals.seat)
        return Fail("the compositor offers no seat");
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, globals.seat);

    for (int i = 1; i < argc; ++i) {
        const std::string action = argv[i];
        if (action == "move" && i + 2 < argc) {
            const double dx = std::atof(argv[i + 1]);
            const double dy = std::atof(argv[i + 2]);
            i += 2;
            zwlr_virtual_pointer_v1_motion(pointer, NowMs(), wl_fixed_from_double(dx), wl_fixed_from_double(dy));
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if (action == "click" && i + 1 < argc) {
            const uint32_t button = ButtonCode(argv[++i]);
            if (button == 0)
                return Fail("click wants left, right, middle or a button code");
            zwlr_virtual_pointer_v1_button(pointer, NowMs(), button, WL_POINTER_BUTTON_STATE_PRESSED);
            zwlr_virtual_pointer_v1_frame(pointer);
            zwlr_virtual_pointer_v1_button(pointer, NowMs(), button, WL_POINTER_BUTTON_STATE_RELEASED);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if (action == "wait" && i + 1 < argc) {
            if (wl_display_roundtrip(display) < 0)
                return Fail("the compositor closed the connection");
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(argv[++i])));
        } else {
            return Fail("usage: virtual-pointer [move DX DY | click BUTTON | wait MS]...");
        }
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    const bool taken = wl_display_roundtrip(display) >= 0;
    zwlr_virtual_pointer_manager_v1_destroy(globals.manager);
    wl_seat_destroy(globals.seat);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return taken ? 0 : Fail("the compositor closed the connection");
}
