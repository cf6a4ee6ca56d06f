#pragma once

// True when this session names a session bus (DBUS_SESSION_BUS_ADDRESS, or the bus
// socket in XDG_RUNTIME_DIR). Without one Qt would start a bus of its own
// (dbus-launch): never wanted here.
bool SessionBusKnown();
