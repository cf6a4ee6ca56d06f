#include "OptionsDialog.h"

#include "FileOpen.h"
#include "JapaneseMessageBox.h"
#include "OptionsDialogControls.h"
#include "Platform.h"
#include "PresetsDialog.h"
#include "VersionDialog.h"
#include "WideText.h"

#include <algorithm>

namespace {

int RowOfBar(int id)
{
    return id >= hsbBlueNum && id <= hsbVolume ? id - hsbBlueNum : -1;
}

int RowOfBox(int id)
{
    return id >= txtBlueNum && id <= txtVolume ? id - txtBlueNum : -1;
}

bool IsOptionButton(int id)
{
    return id >= OptFormation0 && id <= optPictureSize1;
}

void ShowMessage(HWND owner, const std::string& title, const std::string& text, UINT icon)
{
    JapaneseMessageBox(owner, text, title, MB_OK | icon);
}

}  // namespace

void OptionsDialog::Command(int id, int code)
{
    if (IsOptionButton(id) && code == BN_CLICKED) {
        ShowSubFrames();
        return;
    }
    if (const int row = RowOfBox(id); row >= 0) {
        if (code == EN_CHANGE && !settingBox_)
            BoxChanged(row);
        else if (code == EN_KILLFOCUS)
            BoxLeft(row);
        return;
    }
    switch (id) {
    case cmdFileSelect:
        ChooseFile(txtPlayFile, MusicFileFilters(ReadChoices().SoundPlayer));
        break;
    case cmdPlayerSelect:
        ChooseFile(txtPlayer, PlayerFileFilters());
        break;
    case cmdBGFSelect:
        ChooseFile(txtBackGroundFile, PictureFileFilters());
        break;
    case cmdDefaultSelect:
        ChoosePreset();
        break;
    case cmdVersion: {
        VersionDialog version;
        version.Run(Handle());
        break;
    }
    case cmdOK:
        Accept();
        break;
    case cmdCancel:
        End(IDCANCEL);
        break;
    default:
        break;
    }
}

bool OptionsDialog::Message(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (message != WM_HSCROLL || !lParam)
        return false;
    Scrolled(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
    result = 0;
    return true;
}

void OptionsDialog::Scrolled(HWND bar, int request)
{
    const int row = RowOfBar(GetDlgCtrlID(bar));
    if (row < 0)
        return;
    const NumberRange& range = *NumberRows[row].range;
    SCROLLINFO info{sizeof(info), SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &info);
    int value = rows_[row].value;
    switch (request) {
    case SB_LINELEFT: value -= range.singleStep; break;
    case SB_LINERIGHT: value += range.singleStep; break;
    case SB_PAGELEFT: value -= range.pageStep; break;
    case SB_PAGERIGHT: value += range.pageStep; break;
    case SB_LEFT: value = range.minimum; break;
    case SB_RIGHT: value = range.maximum; break;
    // Only the end of a drag counts: the box follows when the thumb is let go.
    case SB_THUMBPOSITION: value = info.nTrackPos; break;
    default: return;
    }
    value = std::clamp(value, range.minimum, range.maximum);
    MoveRowBar(rows_[row], value);
    ShowRow(row);
}

void OptionsDialog::BoxChanged(int row)
{
    TypeIntoRow(rows_[row], *NumberRows[row].range, Utf8OfWide(WindowText(Item(txtBlueNum + row))), true);
    ShowRow(row);
}

void OptionsDialog::BoxLeft(int row)
{
    FinishRowEdit(rows_[row], *NumberRows[row].range);
    ShowRow(row);
}

// Puts a row's state into its two controls; the box is rewritten only when its text
// differs, so the caret stays where the user types.
void OptionsDialog::ShowRow(int row)
{
    HWND box = Item(txtBlueNum + row);
    const std::wstring text = WideOfUtf8(rows_[row].text);
    if (WindowText(box) != text) {
        settingBox_ = true;
        SetWindowTextW(box, text.c_str());
        settingBox_ = false;
        SendMessageW(box, EM_SETSEL, text.size(), text.size());
    }
    SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, rows_[row].value, 0};
    SetScrollInfo(Item(hsbBlueNum + row), SB_CTL, &info, TRUE);
}

void OptionsDialog::ShowSubFrames()
{
    const SubFrames shown = ShownSubFrames(ReadChoices());
    // The volume and player rows sit inside the play settings and go with them.
    const bool visible[7] = {shown.BlueCount,  shown.Complement,
                             shown.PlaySetting, shown.PlaySetting && shown.Volume,
                             shown.PlaySetting && shown.PlayerFile, shown.Picture, shown.BgColor};
    for (size_t frame = 0; frame < frames_.size(); ++frame) {
        for (HWND control : frames_[frame])
            ShowWindow(control, visible[frame] ? SW_SHOW : SW_HIDE);
    }
}

void OptionsDialog::ChooseFile(int boxId, const std::vector<FilterPair>& filters)
{
    const std::wstring chosen = SelectFile(Handle(), filters, WindowText(Item(boxId)));
    if (!chosen.empty())
        SetWindowTextW(Item(boxId), chosen.c_str());
}

void OptionsDialog::ChoosePreset()
{
    PresetsDialog presets(settings_);
    presets.Run(Handle());
    // Whether a preset was taken or not, the controls show the settings again.
    Refresh(false);
}

void OptionsDialog::Accept()
{
    // Enter in a number box ends its edit before OK acts, as leaving the box does.
    for (size_t row = 0; row < rows_.size(); ++row)
        BoxLeft(static_cast<int>(row));
    const OptionChoices choices = ReadChoices();
    const auto exists = [](const std::string& path) { return FileExists(WideOfUtf8(path)); };
    if (const std::optional<MissingFile> missing = FirstMissingFile(choices, exists)) {
        ShowMessage(Handle(), missing->title, MissingFileText(*missing), MB_ICONEXCLAMATION);
        return;
    }
    TakeChoices(choices, settings_);
    std::string reason;
    if (!SaveSettings(settings_, &reason)) {
        // The dialog stays open with every entry in place, so the user can press OK again.
        ShowMessage(Handle(), SaveFailedTitle, SaveFailedText(reason), MB_ICONSTOP);
        return;
    }
    End(IDOK);
}

OptionChoices OptionsDialog::ReadChoices() const
{
    OptionChoices c;
    for (const OptionArray& array : OptionArrays) {
        c.*array.choice = -1;
        for (int i = 0; i < array.count; ++i) {
            if (IsDlgButtonChecked(Handle(), array.first + i) == BST_CHECKED)
                c.*array.choice = i;
        }
    }
    for (const ListControl& list : ListControls)
        c.*list.choice = static_cast<int>(SendMessageW(Item(list.id), CB_GETCURSEL, 0, 0));
    for (const PathBox& box : PathBoxes)
        c.*box.path = Utf8OfWide(WindowText(Item(box.id)));
    for (size_t row = 0; row < rows_.size(); ++row)
        c.*NumberRows[row].row = rows_[row];
    return c;
}

void OptionsDialog::ShowChoices(const OptionChoices& c)
{
    for (const OptionArray& array : OptionArrays) {
        // An array with nothing to select stays as it is.
        if (c.*array.choice >= 0)
            CheckRadioButton(Handle(), array.first, array.first + array.count - 1, array.first + c.*array.choice);
    }
    for (const ListControl& list : ListControls)
        SendMessageW(Item(list.id), CB_SETCURSEL, static_cast<WPARAM>(c.*list.choice), 0);
    for (const PathBox& box : PathBoxes)
        SetWindowTextW(Item(box.id), WideOfUtf8(c.*box.path).c_str());
    for (size_t row = 0; row < rows_.size(); ++row) {
        rows_[row] = c.*NumberRows[row].row;
        ShowRow(static_cast<int>(row));
    }
    ShowSubFrames();
}

void OptionsDialog::Refresh(bool withAircraft)
{
    OptionChoices choices = ReadChoices();
    ShowSettings(settings_, choices, withAircraft);
    ShowChoices(choices);
}
