#include "OptionsDialog.h"

#include "OptionLists.h"
#include "OptionsDialogControls.h"
#include "Platform.h"
#include "WideText.h"

#include <commctrl.h>

namespace {

// Sub-frames, in the order of SubFrames' fields.
enum Frame { fraBlueCount, fraComplement, fraPlaySetting, fraVolume, fraPlayerFile, fraPicture, fraBgColor };

template <std::size_t N>
void FillList(HWND list, const ListEntry (&entries)[N])
{
    for (const ListEntry& entry : entries)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideOfUtf8(entry.caption).c_str()));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

}  // namespace

void ShowOptionsDialog(HWND owner)
{
    SaverSettings settings;
    LoadSettings(settings);
    OptionsDialog dialog(settings);
    dialog.Run(owner);
}

OptionsDialog::OptionsDialog(SaverSettings& settings)
    : DialogWindow(L"Kestrova Saver Option", 462, 224), settings_(settings)
{
    // The scroll bars start at their minimum, as the model's rows do.
    for (size_t row = 0; row < rows_.size(); ++row)
        rows_[row].value = NumberRows[row].range->minimum;
}

void OptionsDialog::CreateControls()
{
    CreateCharaGroup();
    CreateSoundGroup();
    CreateDisplayGroup();
    CreateButtonRow();

    // Opening: the lists are filled and a player chosen before the stored settings
    // arrive, so a player is selected even when music is off.
    FillList(Item(cmbAirPlane), AirplaneEntries);
    CheckRadioButton(Handle(), optSoundPlayer0, optSoundPlayer2, optSoundPlayer0);
    FillList(Item(cmbDisplayMode), DisplayModeEntries);
    FillList(Item(cmbBackGroundMode), BackgroundColourEntries);
    SendMessageW(Item(cmbBackGroundMode), CB_SETCURSEL, 0, 0);
    ShowSubFrames();
    LoadSettings(settings_);
    Refresh(true);
}

HWND OptionsDialog::Label(const wchar_t* text, int x, int y, int width)
{
    HWND label = Add(WC_STATICW, text, SS_LEFT | SS_NOPREFIX, -1, x, y + 2, width, 10);
    if (framing_)
        framing_->push_back(label);
    return label;
}

void OptionsDialog::Radios(int firstId, std::initializer_list<const wchar_t*> captions, int x, int y,
                           std::initializer_list<int> widths, bool downwards)
{
    const int* width = widths.begin();
    int id = firstId;
    for (const wchar_t* caption : captions) {
        // The first button starts the array's group: one Tab stop, arrows move within.
        const DWORD style = BS_AUTORADIOBUTTON | (id == firstId ? WS_GROUP | WS_TABSTOP : 0);
        HWND button = Add(WC_BUTTONW, caption, style, id, x, y + 1, *width, 10);
        if (framing_)
            framing_->push_back(button);
        if (downwards)
            y += 12;
        else
            x += *width + 2;
        ++id;
        ++width;
    }
}

void OptionsDialog::NumberControls(int row, int x, int y, int barWidth, int boxWidth)
{
    HWND bar = Add(WC_SCROLLBARW, L"", SBS_HORZ | WS_TABSTOP | WS_GROUP, hsbBlueNum + row, x, y + 1, barWidth, 10);
    const NumberRange& range = *NumberRows[row].range;
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_POS, range.minimum, range.maximum, 0, range.minimum, 0};
    SetScrollInfo(bar, SB_CTL, &info, FALSE);
    Edit(txtBlueNum + row, x + barWidth + 4, y, boxWidth, ES_RIGHT);
    if (framing_)
        framing_->push_back(bar);
}

HWND OptionsDialog::Edit(int id, int x, int y, int width, DWORD style)
{
    HWND box = Add(WC_EDITW, L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP | style, id, x, y, width, 12, WS_EX_CLIENTEDGE);
    if (framing_)
        framing_->push_back(box);
    return box;
}

HWND OptionsDialog::Button(int id, const wchar_t* caption, int x, int y, int width, DWORD style)
{
    HWND button = Add(WC_BUTTONW, caption, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP | style, id, x, y, width, 13);
    if (framing_)
        framing_->push_back(button);
    return button;
}

HWND OptionsDialog::List(int id, int x, int y, int width)
{
    // The height is that of the open list; the closed box takes the font's.
    HWND list = Add(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, id, x, y, width, 120);
    if (framing_)
        framing_->push_back(list);
    return list;
}

void OptionsDialog::CreateCharaGroup()
{
    Add(WC_BUTTONW, L"機体", BS_GROUPBOX | WS_GROUP, -1, 7, 7, 178, 189);
    const int caption = 15, control = 57, captionWidth = 40;
    Label(L"機種", caption, 20, captionWidth);
    List(cmbAirPlane, control, 20, 120);
    Label(L"飛行形態", caption, 36, captionWidth);
    Radios(OptFormation0, {L"編隊飛行", L"単独飛行"}, control, 36, {48, 48});

    framing_ = &frames_[fraBlueCount];
    Label(L"機体数", caption, 52, captionWidth);
    NumberControls(0, control, 52, 86, 30);
    framing_ = nullptr;
    Label(L"ウェイト", caption, 68, captionWidth);
    NumberControls(1, control, 68, 86, 30);
    Label(L"移動幅", caption, 84, captionWidth);
    NumberControls(2, control, 84, 86, 30);

    Label(L"スモーク", caption, 100, captionWidth);
    Radios(optSmoke0, {L"なし", L"あり"}, control, 100, {36, 36});
    framing_ = &frames_[fraComplement];
    Label(L"スモーク長", caption, 116, captionWidth);
    NumberControls(3, control, 116, 86, 30);
    Label(L"補完回数", caption, 132, captionWidth);
    NumberControls(4, control, 132, 86, 30);
    framing_ = nullptr;
}

void OptionsDialog::CreateSoundGroup()
{
    Add(WC_BUTTONW, L"サウンド", BS_GROUPBOX | WS_GROUP, -1, 192, 7, 262, 104);
    const int caption = 200, control = 256, captionWidth = 54;
    Label(L"演奏", caption, 20, captionWidth);
    Radios(optSound0, {L"なし", L"あり"}, control, 20, {36, 36});

    framing_ = &frames_[fraPlaySetting];
    Label(L"曲ファイル", caption, 36, captionWidth);
    Edit(txtPlayFile, control, 36, 144);
    Button(cmdFileSelect, L"参照", 404, 35, 40);
    Label(L"プレイヤー", caption, 52, captionWidth);
    Radios(optSoundPlayer0, {L"Windows標準", L"外部プレイヤー", L"WindowsMediaPlayer"}, control, 52, {110, 110, 110},
           true);

    // Volume and player file are never shown together, so they share one place.
    framing_ = &frames_[fraVolume];
    Label(L"音量", caption, 92, captionWidth);
    NumberControls(5, control, 92, 140, 44);
    framing_ = &frames_[fraPlayerFile];
    Label(L"外部プレイヤー", caption, 92, captionWidth);
    Edit(txtPlayer, control, 92, 144);
    Button(cmdPlayerSelect, L"参照", 404, 91, 40);
    framing_ = nullptr;
}

void OptionsDialog::CreateDisplayGroup()
{
    Add(WC_BUTTONW, L"画面", BS_GROUPBOX | WS_GROUP, -1, 192, 116, 262, 80);
    const int caption = 200, control = 270, captionWidth = 68;
    Label(L"ディスプレイモード", caption, 129, captionWidth);
    List(cmbDisplayMode, control, 129, 110);
    Label(L"背景", caption, 145, captionWidth);
    Radios(optBgMode0, {L"デスクトップ画面", L"画像ファイル", L"単色"}, control, 145, {76, 62, 36});

    // Picture and colour are never shown together, so they share one place.
    framing_ = &frames_[fraPicture];
    Label(L"画像ファイル", caption, 161, captionWidth);
    Edit(txtBackGroundFile, control, 161, 130);
    Button(cmdBGFSelect, L"参照", 404, 160, 40);
    Label(L"画像サイズ", caption, 177, captionWidth);
    Radios(optPictureSize0, {L"原寸大", L"画面のサイズに合わせる"}, control, 177, {44, 104});
    framing_ = &frames_[fraBgColor];
    Label(L"背景色", caption, 161, captionWidth);
    List(cmbBackGroundMode, control, 161, 60);
    framing_ = nullptr;
}

void OptionsDialog::CreateButtonRow()
{
    Button(cmdDefaultSelect, L"デフォルト値選択", 7, 203, 72);
    Button(cmdVersion, L"バージョン情報", 82, 203, 64);
    Button(cmdOK, L"OK", 344, 203, 52, BS_DEFPUSHBUTTON);
    Button(cmdCancel, L"Cancel", 400, 203, 52);
}
