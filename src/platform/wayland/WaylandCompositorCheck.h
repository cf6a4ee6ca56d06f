#pragma once

// Whether a Wayland compositor accepts a connection at WAYLAND_DISPLAY, or at the
// default socket (wayland-0 in XDG_RUNTIME_DIR) when that is not set.
bool WaylandCompositorAnswers();
