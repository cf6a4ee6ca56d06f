#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The fifteen options of the screen saver, in the order they are loaded and saved.
// Integers are 16-bit as stored; the store does not clamp them to the dialog ranges,
// each user of a value guards what it relies on. Texts are UTF-8.
struct SaverSettings {
    int16_t FlightMode = 0;        // "flight mode": 0 solo, 1 formation
    int16_t BlueCount = 30;        // "number of blue"
    int16_t BlueWait = 0;          // "speed of blue": 5 ms sleeps per frame
    int16_t BlueStep = 27;         // "step of blue": course unit is 31 - value frames
    int16_t SmokeMode = 1;         // "smoke mode"
    int16_t SmokeLength = 150;     // "length of smoke"
    int16_t ComplementCount = 15;  // "number of complement"
    int16_t AirplaneKind = 0;      // "kind of airplane"
    int16_t MusicMode = 0;         // "music mode"
    std::string PlayFile;          // "play file"
    int16_t SoundVolume = 3000;    // "sound volume"
    std::string PlayerApp;         // "player app"
    int16_t DisplayMode = 0;       // "display mode"
    int16_t BackgroundMode = 0;    // "background mode"
    std::string BackgroundFile;    // "background file"

    bool operator==(const SaverSettings&) const = default;
};

// Parses a stored integer entry: optional minus sign and decimal digits only,
// within the 16-bit range. Anything else gives the default.
int16_t ParseStoredInt(std::string_view text, int16_t defaultValue);
