#include "PresetsDialog.h"

#include "Presets.h"
#include "WideText.h"

#include <commctrl.h>

namespace {

// optDefault index i has id optDefault0 + i.
constexpr int optDefault0 = 100;

}  // namespace

PresetsDialog::PresetsDialog(SaverSettings& settings)
    : DialogWindow(L"デフォルト値選択", 258, 104), settings_(settings)
{
}

void PresetsDialog::CreateControls()
{
    for (int i = 0; i < PresetCount; ++i) {
        const DWORD style = BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0);
        Add(WC_BUTTONW, WideOfUtf8(PresetCaption(i)), style, optDefault0 + i, 10, 8 + 14 * i, 240, 11);
    }
    CheckRadioButton(Handle(), optDefault0, optDefault0 + PresetCount - 1, optDefault0);
    Add(WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, 142, 84, 52, 13);
    Add(WC_BUTTONW, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, IDCANCEL, 198, 84, 52, 13);
}

void PresetsDialog::Command(int id, int)
{
    if (id == IDOK) {
        for (int i = 0; i < PresetCount; ++i) {
            if (IsDlgButtonChecked(Handle(), optDefault0 + i) == BST_CHECKED) {
                ApplyPreset(i, settings_);
                break;
            }
        }
        End(IDOK);
    } else if (id == IDCANCEL) {
        End(IDCANCEL);
    }
}
