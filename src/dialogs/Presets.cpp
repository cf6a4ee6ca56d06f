#include "Presets.h"

#include <optional>

namespace {

struct Preset {
    const char* caption;  // UTF-8; the blanks are ideographic spaces
    int16_t blueCount;
    int16_t blueWait;
    int16_t blueStep;
    int16_t smokeMode;
    int16_t smokeLength;
    int16_t complementCount;
    std::optional<int16_t> displayMode;
};

constexpr Preset Presets[PresetCount] = {
    {"ハイスペックマシン設定　スモークあり　高解像度モード", 30, 0, 27, 1, 100, 20, 0},
    {"ハイスペックマシン設定　スモークあり　フルスクリーンモード", 30, 0, 27, 1, 100, 20, 1},
    {"ハイスペックマシン設定　スモークなし　フルスクリーンモード", 60, 0, 10, 0, 100, 30, 1},
    {"ロースペックマシン設定　スモークあり", 15, 0, 29, 1, 60, 5, std::nullopt},
    {"ロースペックマシン設定　スモークなし", 30, 0, 28, 0, 60, 5, std::nullopt},
};

}  // namespace

const char* PresetCaption(int index)
{
    return Presets[index].caption;
}

void ApplyPreset(int index, SaverSettings& s)
{
    const Preset& p = Presets[index];
    s.BlueCount = p.blueCount;
    s.BlueWait = p.blueWait;
    s.BlueStep = p.blueStep;
    s.SmokeMode = p.smokeMode;
    s.SmokeLength = p.smokeLength;
    s.ComplementCount = p.complementCount;
    if (p.displayMode)
        s.DisplayMode = *p.displayMode;
}
