#pragma once

#include <QString>

// What the user told the desktop portal about programs outside a sandbox taking
// screenshots without asking, as its permission store keeps it.
enum class ScreenshotPermission {
    Granted,
    Denied,
    Undecided,  // never asked, or no answer kept
    NoStore,    // no permission store on the session bus: no portal to ask
};

// Asks the permission store, which asks no one; reason says why it is not Granted.
ScreenshotPermission LookupScreenshotPermission(QString* reason);
