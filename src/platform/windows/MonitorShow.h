#pragma once

#include "Flight.h"
#include "FrameComposer.h"
#include "FullScreenWindow.h"
#include "SaverSettings.h"
#include "ShowSize.h"
#include "Surface.h"

#include <windows.h>

#include <cstdint>

// One monitor's two-dimensional show: its window, its own flight at its own size and
// the composer of its frames. Each keeps its own copy of the settings, as a flight
// writes some of them (the size of the formation in the air) while it flies.
class MonitorShow {
public:
    MonitorShow(const SaverSettings& settings, const RECT& monitor, ShowSize size, const wchar_t* title,
                uint64_t seed, Surface background);
    MonitorShow(const MonitorShow&) = delete;
    MonitorShow& operator=(const MonitorShow&) = delete;

    bool Valid() const { return window_.Valid(); }
    FullScreenWindow& Window() { return window_; }
    int16_t& KindChangeRequest() { return flight_.KindChangeRequest; }

    // Reads the smoke pictures; throws when they cannot be read.
    void LoadSmoke();
    // A new flight: the kind chosen (anew for the random kind) and its pictures loaded.
    void ChooseKind();
    // One frame: aircraft launched and moved, the changed parts shown.
    void Step();

private:
    SaverSettings settings_;
    FullScreenWindow window_;
    Flight flight_;
    FrameComposer composer_;
};
