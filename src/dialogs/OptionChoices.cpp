#include "OptionChoices.h"

#include "OptionLists.h"

#include <iterator>

namespace {

template <std::size_t N>
int EntryOfValue(const ListEntry (&entries)[N], int value)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (entries[i].value == value)
            return static_cast<int>(i);
    }
    return -1;
}

template <std::size_t N>
void TakeEntry(const ListEntry (&entries)[N], int entry, int16_t& setting)
{
    if (entry >= 0 && entry < static_cast<int>(N))
        setting = entries[entry].value;
}

void ShowNumber(NumberRow& row, const NumberRange& range, int value)
{
    TypeIntoRow(row, range, std::to_string(value), false);
}

}  // namespace

SubFrames ShownSubFrames(const OptionChoices& c)
{
    // A formation choice not yet made leaves the count shown, as the form draws it.
    return {c.Formation != 0,   c.Smoke == 1,       c.Sound == 1,  c.SoundPlayer == 2,
            c.SoundPlayer == 1, c.BgMode == 1, c.BgMode == 2};
}

void TypeIntoRow(NumberRow& row, const NumberRange& range, std::string text, bool typing)
{
    const NumberEntry entry = TakeNumberText(range, text, typing);
    row.text = std::move(text);
    switch (entry.action) {
    case EntryAction::Ignore:
    case EntryAction::ResetWhenDone:
        break;
    case EntryAction::Move:
        // A scroll bar that moves writes its value back into the box.
        if (row.value != entry.value)
            MoveRowBar(row, entry.value);
        break;
    case EntryAction::Reset:
        row.text = std::to_string(entry.value);
        row.value = entry.value;
        break;
    }
}

void MoveRowBar(NumberRow& row, int value)
{
    row.value = value;
    row.text = std::to_string(value);
}

void FinishRowEdit(NumberRow& row, const NumberRange& range)
{
    if (TakeNumberText(range, row.text, true).action == EntryAction::ResetWhenDone)
        TypeIntoRow(row, range, row.text, false);
}

void ShowSettings(const SaverSettings& s, OptionChoices& c, bool withAircraft)
{
    if (s.FlightMode == 0)
        c.Formation = 1;
    else if (s.FlightMode == 1)
        c.Formation = 0;
    ShowNumber(c.BlueNum, BlueNumRange, s.BlueCount);
    ShowNumber(c.Speed, SpeedRange, s.BlueWait);
    ShowNumber(c.Step, StepRange, s.BlueStep);

    c.Smoke = s.SmokeMode != 0 ? 1 : 0;
    ShowNumber(c.SmokeOnCount, SmokeOnCountRange, s.SmokeLength);
    ShowNumber(c.ComplementCount, ComplementCountRange, s.ComplementCount);

    if (withAircraft)
        c.Airplane = EntryOfValue(AirplaneEntries, s.AirplaneKind);

    c.Sound = s.MusicMode != 0 ? 1 : 0;
    if (s.MusicMode >= 1 && s.MusicMode <= 3)
        c.SoundPlayer = s.MusicMode - 1;
    c.PlayFile = s.PlayFile;
    ShowNumber(c.Volume, VolumeRange, s.SoundVolume);
    c.Player = s.PlayerApp;

    if (const int entry = EntryOfValue(DisplayModeEntries, s.DisplayMode); entry >= 0)
        c.DisplayMode = entry;

    if (s.BackgroundMode == 0) {
        c.BgMode = 0;
    } else if (s.BackgroundMode >= 1 && s.BackgroundMode <= 8) {
        c.BgMode = 2;
        c.BackgroundColour = EntryOfValue(BackgroundColourEntries, s.BackgroundMode);
    } else if (s.BackgroundMode == 9 || s.BackgroundMode == 10) {
        c.BgMode = 1;
        c.PictureSize = s.BackgroundMode == 9 ? 0 : 1;
    }
    c.BackgroundFile = s.BackgroundFile;
}

void TakeChoices(const OptionChoices& c, SaverSettings& s)
{
    s.FlightMode = c.Formation == 1 ? 0 : 1;
    s.BlueCount = static_cast<int16_t>(c.BlueNum.value);
    s.BlueWait = static_cast<int16_t>(c.Speed.value);
    s.BlueStep = static_cast<int16_t>(c.Step.value);
    s.SmokeMode = c.Smoke == 0 ? 0 : 1;
    s.SmokeLength = static_cast<int16_t>(c.SmokeOnCount.value);
    s.ComplementCount = static_cast<int16_t>(c.ComplementCount.value);
    TakeEntry(AirplaneEntries, c.Airplane, s.AirplaneKind);

    if (c.Sound == 0)
        s.MusicMode = 0;
    else if (c.SoundPlayer >= 0 && c.SoundPlayer <= 2)
        s.MusicMode = static_cast<int16_t>(c.SoundPlayer + 1);
    s.PlayFile = c.PlayFile;
    s.SoundVolume = static_cast<int16_t>(c.Volume.value);
    s.PlayerApp = c.Player;

    TakeEntry(DisplayModeEntries, c.DisplayMode, s.DisplayMode);

    if (c.BgMode == 0)
        s.BackgroundMode = 0;
    else if (c.BgMode == 2)
        TakeEntry(BackgroundColourEntries, c.BackgroundColour, s.BackgroundMode);
    else if (c.BgMode == 1)
        s.BackgroundMode = c.PictureSize == 0 ? 9 : 10;
    s.BackgroundFile = c.BackgroundFile;
}
