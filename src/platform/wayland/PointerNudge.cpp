#include "PointerNudge.h"

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <chrono>

void NudgePointer(zwlr_virtual_pointer_manager_v1* manager)
{
    if (!manager)
        return;
    const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    // On the compositor's default seat.
    zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, nullptr);
    zwlr_virtual_pointer_v1_motion(pointer, static_cast<uint32_t>(now.count()), 0, 0);
    zwlr_virtual_pointer_v1_frame(pointer);
    zwlr_virtual_pointer_v1_destroy(pointer);
}
