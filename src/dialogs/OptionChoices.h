#pragma once

#include "NumberEntry.h"
#include "SaverSettings.h"

#include <string>

// One number row of the options dialog: the text its box shows and its scroll bar's
// value, the one that counts.
struct NumberRow {
    std::string text;
    int value = 0;
};

// What the options dialog's controls hold, toolkit aside: the selected button of each
// option-button array and entry of each list (-1 when none is), the number rows and
// the path boxes (UTF-8). Each toolkit's dialog reads its controls into this record and
// sets them from it, so the rules below are the same everywhere.
struct OptionChoices {
    int Formation = -1;          // OptFormation: 0 "編隊飛行", 1 "単独飛行"
    NumberRow BlueNum{"", BlueNumRange.minimum};
    NumberRow Speed{"", SpeedRange.minimum};
    NumberRow Step{"", StepRange.minimum};
    int Smoke = -1;              // optSmoke: 0 "なし", 1 "あり"
    NumberRow SmokeOnCount{"", SmokeOnCountRange.minimum};
    NumberRow ComplementCount{"", ComplementCountRange.minimum};
    int Airplane = -1;           // entry of cmbAirPlane
    int Sound = -1;              // optSound: 0 "なし", 1 "あり"
    int SoundPlayer = 0;         // optSoundPlayer: one is chosen even while music is off
    std::string PlayFile;
    NumberRow Volume{"", VolumeRange.minimum};
    std::string Player;
    int DisplayMode = -1;        // entry of cmbDisplayMode
    int BgMode = -1;             // optBgMode: 0 desktop, 1 picture file, 2 plain colour
    int PictureSize = -1;        // optPictureSize: 0 own size, 1 fitted to the screen
    int BackgroundColour = 0;    // entry of cmbBackGroundMode, "黒" until the settings say more
    std::string BackgroundFile;
};

// Which of the borderless sub-frames are shown for the selected buttons.
struct SubFrames {
    bool BlueCount;    // fraBlueCount
    bool Complement;   // fraComplement
    bool PlaySetting;  // fraPlaySetting
    bool Volume;       // fraVolume
    bool PlayerFile;   // fraPlayerFile
    bool Picture;      // fraPicture
    bool BgColor;      // fraBgColor
};
SubFrames ShownSubFrames(const OptionChoices& choices);

// A new text typed or set into a number row's box, taken by the row's rule.
void TypeIntoRow(NumberRow& row, const NumberRange& range, std::string text, bool typing);

// The row's scroll bar moved by the user: the box shows its value.
void MoveRowBar(NumberRow& row, int value);

// The row's box after its edit ended (focus left it, Enter).
void FinishRowEdit(NumberRow& row, const NumberRange& range);

// Puts the settings into the controls as the dialog does when it opens
// (withAircraft true) and after the presets dialog (false: the aircraft list keeps
// its entry). A setting outside what the controls offer leaves its control as it is.
void ShowSettings(const SaverSettings& settings, OptionChoices& choices, bool withAircraft);

// Copies the controls into the settings as OK does once its file checks pass. A
// control with nothing selected leaves its setting as it was.
void TakeChoices(const OptionChoices& choices, SaverSettings& settings);
