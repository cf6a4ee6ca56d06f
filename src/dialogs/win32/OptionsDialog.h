#pragma once

#include "DialogTexts.h"
#include "DialogWindow.h"
#include "OptionChoices.h"
#include "SaverSettings.h"

#include <array>
#include <vector>

// Opens the options dialog "Kestrova Saver Option" for the `/c` run mode, owned by
// `owner` (null for none), and returns when it is closed. OK saves the settings.
void ShowOptionsDialog(HWND owner);

// The options dialog. It loads the stored settings when it opens, edits them in its
// controls only, and copies the controls into the settings and saves them when OK
// passes its file checks. Cancel and closing save nothing.
class OptionsDialog : public DialogWindow {
public:
    explicit OptionsDialog(SaverSettings& settings);

private:
    // Construction (OptionsDialog.cpp).
    void CreateControls() override;
    void CreateCharaGroup();
    void CreateSoundGroup();
    void CreateDisplayGroup();
    void CreateButtonRow();
    HWND Label(const wchar_t* text, int x, int y, int width);
    void Radios(int firstId, std::initializer_list<const wchar_t*> captions, int x, int y,
                std::initializer_list<int> widths, bool downwards = false);
    void NumberControls(int row, int x, int y, int barWidth, int boxWidth);
    HWND Edit(int id, int x, int y, int width, DWORD style = 0);
    HWND Button(int id, const wchar_t* caption, int x, int y, int width, DWORD style = 0);
    HWND List(int id, int x, int y, int width);

    // Events (OptionsDialogEvents.cpp).
    void Command(int id, int code) override;
    bool Message(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void Scrolled(HWND bar, int request);
    void BoxChanged(int row);
    void BoxLeft(int row);
    void ShowRow(int row);
    void ShowSubFrames();
    void ChooseFile(int boxId, const std::vector<FilterPair>& filters);
    void ChoosePreset();
    void Accept();

    // Controls into the shared model and back (OptionsDialogEvents.cpp).
    OptionChoices ReadChoices() const;
    void ShowChoices(const OptionChoices& choices);
    void Refresh(bool withAircraft);

    SaverSettings& settings_;
    // What each number row's box shows and its scroll bar's value.
    std::array<NumberRow, 6> rows_;
    // The controls of each sub-frame, shown and hidden together, in SubFrames' order.
    std::array<std::vector<HWND>, 7> frames_;
    std::vector<HWND>* framing_ = nullptr;
    // Set while the program writes a box, so the change is not taken as typing.
    bool settingBox_ = false;
};
