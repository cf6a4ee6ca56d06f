#pragma once

// GNOME shows a new window only as a thumbnail while its Activities overview is open, and
// gives the keys to the overview's search field. Closes the overview when it is open and
// waits (at most waitMs) until it is gone; does nothing where GNOME Shell is not on the
// session bus.
void CloseGnomeOverview(int waitMs);
