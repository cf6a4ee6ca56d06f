#pragma once

// Whether the session is GNOME's, as the desktop says in XDG_CURRENT_DESKTOP (a list).
bool InGnomeSession();
