#pragma once

#include <windows.h>

// While one lives, windows made on this thread use version 6 of the common controls,
// which draws them in the system's visual style. The manifest asking for it is a
// resource of the program (DialogResources.rc) under an id of its own, so the program's
// main manifest stays free for whatever else the program declares.
class VisualStyles {
public:
    VisualStyles();
    VisualStyles(const VisualStyles&) = delete;
    VisualStyles& operator=(const VisualStyles&) = delete;
    ~VisualStyles();

private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
};
