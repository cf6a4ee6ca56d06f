#include "SettingEntries.h"

const std::array<SettingEntry, 15> SettingEntries = {{
    {"flight mode", &SaverSettings::FlightMode, nullptr},
    {"number of blue", &SaverSettings::BlueCount, nullptr},
    {"speed of blue", &SaverSettings::BlueWait, nullptr},
    {"step of blue", &SaverSettings::BlueStep, nullptr},
    {"smoke mode", &SaverSettings::SmokeMode, nullptr},
    {"length of smoke", &SaverSettings::SmokeLength, nullptr},
    {"number of complement", &SaverSettings::ComplementCount, nullptr},
    {"kind of airplane", &SaverSettings::AirplaneKind, nullptr},
    {"music mode", &SaverSettings::MusicMode, nullptr},
    {"play file", nullptr, &SaverSettings::PlayFile},
    {"sound volume", &SaverSettings::SoundVolume, nullptr},
    {"player app", nullptr, &SaverSettings::PlayerApp},
    {"display mode", &SaverSettings::DisplayMode, nullptr},
    {"background mode", &SaverSettings::BackgroundMode, nullptr},
    {"background file", nullptr, &SaverSettings::BackgroundFile},
}};

std::string StoredText(const SaverSettings& settings, const SettingEntry& entry)
{
    if (entry.integer)
        return std::to_string(settings.*entry.integer);
    return settings.*entry.text;
}

void TakeStoredText(SaverSettings& settings, const SettingEntry& entry, const std::optional<std::string>& text)
{
    static const SaverSettings defaults;
    if (entry.integer)
        settings.*entry.integer = text ? ParseStoredInt(*text, defaults.*entry.integer) : defaults.*entry.integer;
    else
        settings.*entry.text = text ? *text : defaults.*entry.text;
}
