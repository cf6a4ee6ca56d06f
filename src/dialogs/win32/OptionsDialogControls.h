#pragma once

#include "OptionChoices.h"

#include <windows.h>

// The options dialog's control ids and the tables that tie them to the shared model.
enum OptionsControl : int {
    cmdOK = IDOK,
    cmdCancel = IDCANCEL,
    cmbAirPlane = 100,
    OptFormation0, OptFormation1,
    optSmoke0, optSmoke1,
    optSound0, optSound1,
    optSoundPlayer0, optSoundPlayer1, optSoundPlayer2,
    optBgMode0, optBgMode1, optBgMode2,
    optPictureSize0, optPictureSize1,
    txtPlayFile, cmdFileSelect, txtPlayer, cmdPlayerSelect,
    cmbDisplayMode, txtBackGroundFile, cmdBGFSelect, cmbBackGroundMode,
    cmdDefaultSelect, cmdVersion,
    hsbBlueNum, hsbSpeed, hsbStep, hsbSmokeOnCount, hsbComplementCount, hsbVolume,
    txtBlueNum, txtSpeed, txtStep, txtSmokeOnCount, txtComplementCount, txtVolume,
};

// Number row i is scroll bar hsbBlueNum + i with box txtBlueNum + i.
struct NumberRowControls {
    const NumberRange* range;
    NumberRow OptionChoices::*row;
};
inline constexpr NumberRowControls NumberRows[6] = {
    {&BlueNumRange, &OptionChoices::BlueNum},
    {&SpeedRange, &OptionChoices::Speed},
    {&StepRange, &OptionChoices::Step},
    {&SmokeOnCountRange, &OptionChoices::SmokeOnCount},
    {&ComplementCountRange, &OptionChoices::ComplementCount},
    {&VolumeRange, &OptionChoices::Volume},
};

struct OptionArray {
    int first;
    int count;
    int OptionChoices::*choice;
};
inline constexpr OptionArray OptionArrays[] = {
    {OptFormation0, 2, &OptionChoices::Formation}, {optSmoke0, 2, &OptionChoices::Smoke},
    {optSound0, 2, &OptionChoices::Sound},         {optSoundPlayer0, 3, &OptionChoices::SoundPlayer},
    {optBgMode0, 3, &OptionChoices::BgMode},       {optPictureSize0, 2, &OptionChoices::PictureSize},
};

struct ListControl {
    int id;
    int OptionChoices::*choice;
};
inline constexpr ListControl ListControls[] = {
    {cmbAirPlane, &OptionChoices::Airplane},
    {cmbDisplayMode, &OptionChoices::DisplayMode},
    {cmbBackGroundMode, &OptionChoices::BackgroundColour},
};

struct PathBox {
    int id;
    std::string OptionChoices::*path;
};
inline constexpr PathBox PathBoxes[] = {
    {txtPlayFile, &OptionChoices::PlayFile},
    {txtPlayer, &OptionChoices::Player},
    {txtBackGroundFile, &OptionChoices::BackgroundFile},
};
