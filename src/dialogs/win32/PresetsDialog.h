#pragma once

#include "DialogWindow.h"
#include "SaverSettings.h"

// The presets dialog "デフォルト値選択". OK writes the chosen preset into the settings
// in memory only; Cancel and closing change nothing. Every opening starts with the
// first preset selected.
class PresetsDialog : public DialogWindow {
public:
    explicit PresetsDialog(SaverSettings& settings);

private:
    void CreateControls() override;
    void Command(int id, int code) override;

    SaverSettings& settings_;
};
