#pragma once

#include "SaverSettings.h"

#include <array>
#include <optional>
#include <string>

// One stored option: its key in the store and the field of the record that holds it.
// Exactly one of the two member pointers is set.
struct SettingEntry {
    const char* key;
    int16_t SaverSettings::*integer;
    std::string SaverSettings::*text;
};

// The fifteen options in load and save order, as every platform's store names them.
extern const std::array<SettingEntry, 15> SettingEntries;

// The text a store keeps for an entry: plain decimal for integers, texts unchanged.
std::string StoredText(const SaverSettings& settings, const SettingEntry& entry);

// Puts a stored text into the record. A missing entry (nullopt) gives the field's
// default; an integer that is not a plain 16-bit decimal gives the default too.
void TakeStoredText(SaverSettings& settings, const SettingEntry& entry, const std::optional<std::string>& text);
