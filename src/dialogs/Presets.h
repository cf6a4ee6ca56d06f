#pragma once

#include "SaverSettings.h"


// The ready-made combinations of the performance settings offered by the presets
// dialog, in the order it lists them.
inline constexpr int PresetCount = 5;

// The preset's caption in the dialog (UTF-8).
const char* PresetCaption(int index);

// Writes preset `index` (0..PresetCount-1) into the settings in memory. Only the
// fields the preset names change; the low-power presets keep the display mode.
void ApplyPreset(int index, SaverSettings& settings);
