#pragma once

#include <QString>
#include <cstdint>

// The fifteen options of the screen saver, in the order they are loaded and saved.
// Integers are 16-bit as stored; the store does not clamp them to the dialog ranges,
// each user of a value guards what it relies on.
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
    QString PlayFile;              // "play file"
    int16_t SoundVolume = 3000;    // "sound volume"
    QString PlayerApp;             // "player app"
    int16_t DisplayMode = 0;       // "display mode"
    int16_t BackgroundMode = 0;    // "background mode"
    QString BackgroundFile;        // "background file"

    bool operator==(const SaverSettings&) const = default;
};

// Full path of the per-user INI file the settings live in.
QString SettingsFilePath();

// Reads every key; a missing key, or an integer entry that is not a plain decimal
// number within 16 bits, gives that key's default.
void LoadSettings(SaverSettings& settings);

// Writes every key. Returns false (with a reason in errorText when given) if the
// file could not be written; the previous file is then left as it was.
bool SaveSettings(const SaverSettings& settings, QString* errorText = nullptr);

// Reads one integer key with the given default, as the preview does for its two keys.
int16_t ReadSettingInt(const char* key, int16_t defaultValue);

// Parses a stored integer entry: optional minus sign and decimal digits only,
// within the 16-bit range. Anything else gives the default.
int16_t ParseStoredInt(const QString& text, int16_t defaultValue);
