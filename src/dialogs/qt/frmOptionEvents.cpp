#include "frmOption.h"

#include "CenterOnScreen.h"
#include "FileChoice.h"
#include "frmDefaultSet.h"
#include "frmVersion.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>
#include <QWidget>

namespace {

// "*.*" of the other system's choosers means every file; here it would ask for a dot.
const FileFilter AllFiles{QStringLiteral("全てのファイル(*.*)"), {QStringLiteral("*")}};

void ConnectClicks(QButtonGroup* group, QObject* receiver, auto handler)
{
    QObject::connect(group, &QButtonGroup::idToggled, receiver, [handler](int index, bool checked) {
        if (checked)
            handler(index);
    });
}

void ChooseInto(QWidget* owner, QLineEdit* box, const QList<FileFilter>& filters)
{
    const QString chosen = SelectFile(owner, filters, box->text());
    if (!chosen.isEmpty())
        box->setText(chosen);
}

}  // namespace

void frmOption::ConnectOptionButtons()
{
    ConnectClicks(OptFormation_, this, [this](int i) { FormationClicked(i); });
    ConnectClicks(optSmoke_, this, [this](int i) { SmokeClicked(i); });
    ConnectClicks(optSound_, this, [this](int i) { SoundClicked(i); });
    ConnectClicks(optSoundPlayer_, this, [this](int i) { SoundPlayerClicked(i); });
    ConnectClicks(optBgMode_, this, [this](int i) { BgModeClicked(i); });
}

void frmOption::FormationClicked(int index)
{
    fraBlueCount_->setVisible(index == 1);
}

void frmOption::SmokeClicked(int index)
{
    fraComplement_->setVisible(index == 1);
}

void frmOption::SoundClicked(int index)
{
    fraPlaySetting_->setVisible(index == 1);
}

void frmOption::SoundPlayerClicked(int index)
{
    fraVolume_->setVisible(index == 2);
    fraPlayerFile_->setVisible(index == 1);
}

void frmOption::BgModeClicked(int index)
{
    fraPicture_->setVisible(index == 1);
    fraBgColor_->setVisible(index == 2);
}

void frmOption::ChooseMusicFile()
{
    // The system's own player takes no MP3; the other two routes do.
    const bool systemPlayer = optSoundPlayer_->checkedId() == 0;
    const FileFilter music = systemPlayer
                                 ? FileFilter{QStringLiteral("音楽ファイル(*.mid,*.wav)"),
                                              {QStringLiteral("*.mid"), QStringLiteral("*.wav")}}
                                 : FileFilter{QStringLiteral("音楽ファイル(*.mid,*.wav,*.mp3)"),
                                              {QStringLiteral("*.mid"), QStringLiteral("*.wav"), QStringLiteral("*.mp3")}};
    ChooseInto(this, txtPlayFile_, {music, AllFiles});
}

void frmOption::ChoosePlayer()
{
    const FileFilter players{QStringLiteral("外部プレイヤー(*.exe)"), {QStringLiteral("*.exe")}, true};
    ChooseInto(this, txtPlayer_, {players, AllFiles});
}

void frmOption::ChooseBackgroundFile()
{
    const FileFilter pictures{QStringLiteral("画像ファイル(*.bmp,*.jpeg,*.jpg)"),
                              {QStringLiteral("*.bmp"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")}};
    ChooseInto(this, txtBackGroundFile_, {pictures, AllFiles});
}

void frmOption::ChoosePreset()
{
    frmDefaultSet presets(settings_, this);
    CenterOnScreen(&presets);
    presets.exec();
    // Whether a preset was taken or not, the controls show the settings again.
    Refresh(false);
}

void frmOption::ShowVersion()
{
    frmVersion version(this);
    CenterOnScreen(&version);
    version.exec();
}
