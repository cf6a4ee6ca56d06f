#include "WaylandCompositorCheck.h"

#include <wayland-client-core.h>

bool WaylandCompositorAnswers()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return false;
    wl_display_disconnect(display);
    return true;
}
