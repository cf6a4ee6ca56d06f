#include "frmOption.h"

#include "FormRows.h"
#include "JapaneseFont.h"
#include "NumberPair.h"
#include "OptionLists.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <std::size_t N>
void FillList(QComboBox* list, const ListEntry (&entries)[N])
{
    for (const ListEntry& entry : entries)
        list->addItem(QString::fromUtf8(entry.caption), entry.value);
    // A list starts with no entry chosen; choosing is the settings' business.
    list->setCurrentIndex(-1);
}

QComboBox* MakeList(QWidget* parent, const char* name)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QHBoxLayout* AddRow(QBoxLayout* into, QLabel* caption)
{
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    into->addLayout(row);
    return row;
}

QVBoxLayout* FrameLayout(QWidget* frame)
{
    return static_cast<QVBoxLayout*>(frame->layout());
}

}  // namespace

frmOption::frmOption(SaverSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("Kestrova Saver Option"));
    UseJapaneseFont(this);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(10);
    layout->addWidget(BuildCharaGroup(), 0, 0, 2, 1);
    layout->addWidget(BuildSoundGroup(), 0, 1);
    layout->addWidget(BuildDisplayGroup(), 1, 1);
    layout->addLayout(BuildButtonRow(), 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ConnectOptionButtons();

    // Opening: the lists are filled and a player chosen before the stored settings
    // arrive, so a player is selected even when music is off.
    FillList(cmbAirPlane_, AirplaneEntries);
    optSoundPlayer_->button(0)->setChecked(true);
    // Picture and colour share one place; a stored background mode that selects
    // neither must not leave both drawn over each other.
    ShowSubFrames();
    FillList(cmbDisplayMode_, DisplayModeEntries);
    FillList(cmbBackGroundMode_, BackgroundColourEntries);
    cmbBackGroundMode_->setCurrentIndex(0);
    LoadSettings(settings_);
    Refresh(true);
}

QWidget* frmOption::BuildCharaGroup()
{
    auto* fraChara = new QGroupBox(QStringLiteral("機体"), this);
    fraChara->setObjectName(QStringLiteral("fraChara"));
    auto* layout = new QVBoxLayout(fraChara);
    CaptionColumn captions;

    QHBoxLayout* row = AddRow(layout, captions.Add(fraChara, QStringLiteral("機種")));
    cmbAirPlane_ = MakeList(fraChara, "cmbAirPlane");
    row->addWidget(cmbAirPlane_, 1);

    row = AddRow(layout, captions.Add(fraChara, QStringLiteral("飛行形態")));
    OptFormation_ = AddOptionButtons(fraChara, row, "OptFormation", {QStringLiteral("編隊飛行"), QStringLiteral("単独飛行")});
    row->addStretch();

    fraBlueCount_ = MakeSubFrame(fraChara, "fraBlueCount");
    row = AddRow(FrameLayout(fraBlueCount_), captions.Add(fraBlueCount_, QStringLiteral("機体数")));
    NumberControls blue = AddNumberControls(fraBlueCount_, row, "hsbBlueNum", "txtBlueNum");
    txtBlueNum_ = blue.box;
    layout->addWidget(fraBlueCount_);

    row = AddRow(layout, captions.Add(fraChara, QStringLiteral("ウェイト")));
    NumberControls speed = AddNumberControls(fraChara, row, "hsbSpeed", "txtSpeed");
    txtSpeed_ = speed.box;

    row = AddRow(layout, captions.Add(fraChara, QStringLiteral("移動幅")));
    NumberControls step = AddNumberControls(fraChara, row, "hsbStep", "txtStep");
    txtStep_ = step.box;

    QWidget* fraSmokeFlag = MakeSubFrame(fraChara, "fraSmokeFlag");
    row = AddRow(FrameLayout(fraSmokeFlag), captions.Add(fraSmokeFlag, QStringLiteral("スモーク")));
    optSmoke_ = AddOptionButtons(fraSmokeFlag, row, "optSmoke", {QStringLiteral("なし"), QStringLiteral("あり")});
    row->addStretch();
    layout->addWidget(fraSmokeFlag);

    fraComplement_ = MakeSubFrame(fraChara, "fraComplement");
    row = AddRow(FrameLayout(fraComplement_), captions.Add(fraComplement_, QStringLiteral("スモーク長")));
    NumberControls smokeOn = AddNumberControls(fraComplement_, row, "hsbSmokeOnCount", "txtSmokeOnCount");
    txtSmokeOnCount_ = smokeOn.box;
    row = AddRow(FrameLayout(fraComplement_), captions.Add(fraComplement_, QStringLiteral("補完回数")));
    NumberControls complement = AddNumberControls(fraComplement_, row, "hsbComplementCount", "txtComplementCount");
    txtComplementCount_ = complement.box;
    layout->addWidget(fraComplement_);
    layout->addStretch();
    captions.Align();

    blueNum_ = new NumberPair(blue.bar, blue.box, BlueNumRange, this);
    speed_ = new NumberPair(speed.bar, speed.box, SpeedRange, this);
    step_ = new NumberPair(step.bar, step.box, StepRange, this);
    smokeOnCount_ = new NumberPair(smokeOn.bar, smokeOn.box, SmokeOnCountRange, this);
    complementCount_ = new NumberPair(complement.bar, complement.box, ComplementCountRange, this);
    return fraChara;
}

QWidget* frmOption::BuildSoundGroup()
{
    auto* fraSound = new QGroupBox(QStringLiteral("サウンド"), this);
    fraSound->setObjectName(QStringLiteral("fraSound"));
    auto* layout = new QVBoxLayout(fraSound);
    CaptionColumn captions;

    QHBoxLayout* row = AddRow(layout, captions.Add(fraSound, QStringLiteral("演奏")));
    optSound_ = AddOptionButtons(fraSound, row, "optSound", {QStringLiteral("なし"), QStringLiteral("あり")});
    row->addStretch();

    fraPlaySetting_ = MakeSubFrame(fraSound, "fraPlaySetting");
    QVBoxLayout* play = FrameLayout(fraPlaySetting_);
    row = AddRow(play, captions.Add(fraPlaySetting_, QStringLiteral("曲ファイル")));
    txtPlayFile_ = AddPathBox(fraPlaySetting_, row, "txtPlayFile");
    QPushButton* cmdFileSelect = MakeButton(fraPlaySetting_, "cmdFileSelect", QStringLiteral("参照"));
    row->addWidget(cmdFileSelect);

    QWidget* fraSoundPlayer = MakeSubFrame(fraPlaySetting_, "fraSoundPlayer");
    QLabel* playerCaption = captions.Add(fraSoundPlayer, QStringLiteral("プレイヤー"));
    row = AddRow(FrameLayout(fraSoundPlayer), playerCaption);
    auto* players = new QVBoxLayout;
    optSoundPlayer_ = AddOptionButtons(fraSoundPlayer, players, "optSoundPlayer",
                                       {QStringLiteral("Windows標準"), QStringLiteral("外部プレイヤー"),
                                        QStringLiteral("WindowsMediaPlayer")});
    row->addLayout(players, 1);
    row->setAlignment(playerCaption, Qt::AlignTop);
    play->addWidget(fraSoundPlayer);

    // Volume and player file are never shown together, so they share one place.
    auto* shared = new QGridLayout;
    fraVolume_ = MakeSubFrame(fraPlaySetting_, "fraVolume");
    row = AddRow(FrameLayout(fraVolume_), captions.Add(fraVolume_, QStringLiteral("音量")));
    NumberControls volume = AddNumberControls(fraVolume_, row, "hsbVolume", "txtVolume");
    txtVolume_ = volume.box;
    shared->addWidget(fraVolume_, 0, 0, Qt::AlignTop);

    fraPlayerFile_ = MakeSubFrame(fraPlaySetting_, "fraPlayerFile");
    row = AddRow(FrameLayout(fraPlayerFile_), captions.Add(fraPlayerFile_, QStringLiteral("外部プレイヤー")));
    txtPlayer_ = AddPathBox(fraPlayerFile_, row, "txtPlayer");
    QPushButton* cmdPlayerSelect = MakeButton(fraPlayerFile_, "cmdPlayerSelect", QStringLiteral("参照"));
    row->addWidget(cmdPlayerSelect);
    shared->addWidget(fraPlayerFile_, 0, 0, Qt::AlignTop);
    play->addLayout(shared);

    layout->addWidget(fraPlaySetting_);
    layout->addStretch();
    captions.Align();

    volume_ = new NumberPair(volume.bar, volume.box, VolumeRange, this);
    connect(cmdFileSelect, &QPushButton::clicked, this, &frmOption::ChooseMusicFile);
    connect(cmdPlayerSelect, &QPushButton::clicked, this, &frmOption::ChoosePlayer);
    return fraSound;
}

QWidget* frmOption::BuildDisplayGroup()
{
    auto* fraDisplay = new QGroupBox(QStringLiteral("画面"), this);
    fraDisplay->setObjectName(QStringLiteral("fraDisplay"));
    auto* layout = new QVBoxLayout(fraDisplay);
    CaptionColumn captions;

    QHBoxLayout* row = AddRow(layout, captions.Add(fraDisplay, QStringLiteral("ディスプレイモード")));
    cmbDisplayMode_ = MakeList(fraDisplay, "cmbDisplayMode");
    row->addWidget(cmbDisplayMode_);
    row->addStretch();

    row = AddRow(layout, captions.Add(fraDisplay, QStringLiteral("背景")));
    optBgMode_ = AddOptionButtons(fraDisplay, row, "optBgMode",
                                  {QStringLiteral("デスクトップ画面"), QStringLiteral("画像ファイル"), QStringLiteral("単色")});
    row->addStretch();

    // Picture and colour are never shown together, so they share one place.
    auto* shared = new QGridLayout;
    fraPicture_ = MakeSubFrame(fraDisplay, "fraPicture");
    row = AddRow(FrameLayout(fraPicture_), captions.Add(fraPicture_, QStringLiteral("画像ファイル")));
    txtBackGroundFile_ = AddPathBox(fraPicture_, row, "txtBackGroundFile");
    QPushButton* cmdBGFSelect = MakeButton(fraPicture_, "cmdBGFSelect", QStringLiteral("参照"));
    row->addWidget(cmdBGFSelect);
    row = AddRow(FrameLayout(fraPicture_), captions.Add(fraPicture_, QStringLiteral("画像サイズ")));
    optPictureSize_ = AddOptionButtons(fraPicture_, row, "optPictureSize",
                                       {QStringLiteral("原寸大"), QStringLiteral("画面のサイズに合わせる")});
    row->addStretch();
    shared->addWidget(fraPicture_, 0, 0, Qt::AlignTop);

    fraBgColor_ = MakeSubFrame(fraDisplay, "fraBgColor");
    row = AddRow(FrameLayout(fraBgColor_), captions.Add(fraBgColor_, QStringLiteral("背景色")));
    cmbBackGroundMode_ = MakeList(fraBgColor_, "cmbBackGroundMode");
    row->addWidget(cmbBackGroundMode_);
    row->addStretch();
    shared->addWidget(fraBgColor_, 0, 0, Qt::AlignTop);
    layout->addLayout(shared);
    layout->addStretch();
    captions.Align();

    connect(cmdBGFSelect, &QPushButton::clicked, this, &frmOption::ChooseBackgroundFile);
    return fraDisplay;
}

QLayout* frmOption::BuildButtonRow()
{
    auto* row = new QHBoxLayout;
    QPushButton* cmdDefaultSelect = MakeButton(this, "cmdDefaultSelect", QStringLiteral("デフォルト値選択"));
    QPushButton* cmdVersion = MakeButton(this, "cmdVersion", QStringLiteral("バージョン情報"));
    QPushButton* cmdOK = MakeButton(this, "cmdOK", QStringLiteral("OK"));
    QPushButton* cmdCancel = MakeButton(this, "cmdCancel", QStringLiteral("Cancel"));
    cmdOK->setDefault(true);
    // Room around the captions, and OK as wide as Cancel.
    const int padding = cmdOK->fontMetrics().height();
    for (QPushButton* button : {cmdDefaultSelect, cmdVersion, cmdCancel})
        button->setMinimumWidth(button->sizeHint().width() + padding);
    cmdOK->setMinimumWidth(cmdCancel->minimumWidth());
    row->addWidget(cmdDefaultSelect);
    row->addWidget(cmdVersion);
    row->addStretch();
    row->addWidget(cmdOK);
    row->addWidget(cmdCancel);

    connect(cmdDefaultSelect, &QPushButton::clicked, this, &frmOption::ChoosePreset);
    connect(cmdVersion, &QPushButton::clicked, this, &frmOption::ShowVersion);
    connect(cmdOK, &QPushButton::clicked, this, &frmOption::Accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    return row;
}
