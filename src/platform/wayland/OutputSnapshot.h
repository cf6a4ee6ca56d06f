#pragma once

#include "Surface.h"

class WaylandDisplay;
class WaylandOutput;

// The output's picture as the compositor shows it now, through its screen-copy
// protocol, cursor left out; an empty surface where the compositor offers no such
// protocol or the copy fails. Never asks the user anything.
Surface OutputSnapshot(WaylandDisplay& display, const WaylandOutput& output);
