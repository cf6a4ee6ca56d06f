#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct wl_output;

// One monitor as the compositor describes it: where it lies in the layout, its mode and
// scale. Ready once the compositor has sent the first full description.
struct WaylandOutputEvents;

class WaylandOutput {
public:
    WaylandOutput(wl_output* output, uint32_t globalName);
    ~WaylandOutput();
    WaylandOutput(const WaylandOutput&) = delete;
    WaylandOutput& operator=(const WaylandOutput&) = delete;

    // Called once, when the first description is complete.
    std::function<void()> OnReady;
    // Called each time a later description is complete (a new mode or scale).
    std::function<void()> OnChange;

    wl_output* Handle() const { return output_; }
    uint32_t GlobalName() const { return globalName_; }
    bool Ready() const { return ready_; }
    const std::string& Name() const { return name_; }
    int X() const { return x_; }
    int Y() const { return y_; }
    // The current mode in pixels, turned as the output is (0 until known).
    int PixelWidth() const { return turned_ ? modeHeight_ : modeWidth_; }
    int PixelHeight() const { return turned_ ? modeWidth_ : modeHeight_; }
    int Scale() const { return scale_; }

private:
    friend struct WaylandOutputEvents;

    wl_output* output_;
    uint32_t globalName_;
    std::string name_;
    int x_ = 0;
    int y_ = 0;
    int modeWidth_ = 0;
    int modeHeight_ = 0;
    bool turned_ = false;
    int scale_ = 1;
    bool ready_ = false;
};
