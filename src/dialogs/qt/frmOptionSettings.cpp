#include "frmOption.h"

#include "JapaneseFont.h"
#include "NumberPair.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

namespace {

// Checking an option button runs its click handler, which shows and hides the
// sub-frames it governs.
void Select(QButtonGroup* group, int index)
{
    group->button(index)->setChecked(true);
}

void SelectValue(QComboBox* list, int value)
{
    list->setCurrentIndex(list->findData(value));
}

bool IsSelected(const QButtonGroup* group, int index)
{
    return group->checkedId() == index;
}

bool FileExists(const QLineEdit* box)
{
    return QFileInfo(box->text()).isFile();
}

void ReportMissingFile(QWidget* owner, const QString& firstLine, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, firstLine + QStringLiteral("\nファイルを再指定して下さい。"),
                    QMessageBox::Ok, owner);
    UseJapaneseFont(&box);
    box.exec();
}

}  // namespace

void frmOption::Refresh(bool withAircraft)
{
    const SaverSettings& s = settings_;
    if (s.FlightMode == 0) {
        Select(OptFormation_, 1);
        FormationClicked(1);
    } else if (s.FlightMode == 1) {
        Select(OptFormation_, 0);
        FormationClicked(0);
    }
    txtBlueNum_->setText(QString::number(s.BlueCount));
    txtSpeed_->setText(QString::number(s.BlueWait));
    txtStep_->setText(QString::number(s.BlueStep));

    const int smoke = s.SmokeMode != 0 ? 1 : 0;
    Select(optSmoke_, smoke);
    SmokeClicked(smoke);
    txtSmokeOnCount_->setText(QString::number(s.SmokeLength));
    txtComplementCount_->setText(QString::number(s.ComplementCount));

    if (withAircraft)
        SelectValue(cmbAirPlane_, s.AirplaneKind);

    const int sound = s.MusicMode != 0 ? 1 : 0;
    Select(optSound_, sound);
    SoundClicked(sound);
    if (s.MusicMode >= 1 && s.MusicMode <= 3) {
        Select(optSoundPlayer_, s.MusicMode - 1);
        SoundPlayerClicked(s.MusicMode - 1);
    }
    txtPlayFile_->setText(QString::fromStdString(s.PlayFile));
    txtVolume_->setText(QString::number(s.SoundVolume));
    txtPlayer_->setText(QString::fromStdString(s.PlayerApp));

    if (s.DisplayMode >= 0 && s.DisplayMode <= 2)
        SelectValue(cmbDisplayMode_, s.DisplayMode);

    if (s.BackgroundMode == 0) {
        Select(optBgMode_, 0);
        BgModeClicked(0);
    } else if (s.BackgroundMode >= 1 && s.BackgroundMode <= 8) {
        Select(optBgMode_, 2);
        BgModeClicked(2);
        SelectValue(cmbBackGroundMode_, s.BackgroundMode);
    } else if (s.BackgroundMode == 9 || s.BackgroundMode == 10) {
        Select(optBgMode_, 1);
        BgModeClicked(1);
        Select(optPictureSize_, s.BackgroundMode == 9 ? 0 : 1);
    }
    txtBackGroundFile_->setText(QString::fromStdString(s.BackgroundFile));
}

void frmOption::Accept()
{
    if (!CheckFiles())
        return;
    CopyToSettings();
    std::string reason;
    if (!SaveSettings(settings_, &reason)) {
        // The dialog stays open with every entry in place, so the user can free
        // the file or its folder and press OK again.
        QMessageBox box(QMessageBox::Critical, QStringLiteral("設定の保存エラー"),
                        QStringLiteral("設定を保存できませんでした。\n") + QString::fromStdString(reason), QMessageBox::Ok, this);
        UseJapaneseFont(&box);
        box.exec();
        return;
    }
    accept();
}

bool frmOption::CheckFiles()
{
    const bool music = IsSelected(optSound_, 1);
    if (music && !FileExists(txtPlayFile_)) {
        ReportMissingFile(this, QStringLiteral("曲ファイルが存在しません。"), QStringLiteral("曲ファイルの指定エラー"));
        return false;
    }
    if (music && IsSelected(optSoundPlayer_, 1) && !FileExists(txtPlayer_)) {
        ReportMissingFile(this, QStringLiteral("外部プレイヤーが存在しません。"),
                          QStringLiteral("外部プレイヤーの指定エラー"));
        return false;
    }
    if (IsSelected(optBgMode_, 1) && !FileExists(txtBackGroundFile_)) {
        ReportMissingFile(this, QStringLiteral("画像ファイルが存在しません。"), QStringLiteral("画像ファイルの指定エラー"));
        return false;
    }
    return true;
}

void frmOption::CopyToSettings()
{
    SaverSettings& s = settings_;
    s.FlightMode = IsSelected(OptFormation_, 1) ? 0 : 1;
    s.BlueCount = static_cast<int16_t>(blueNum_->Value());
    s.BlueWait = static_cast<int16_t>(speed_->Value());
    s.BlueStep = static_cast<int16_t>(step_->Value());
    s.SmokeMode = IsSelected(optSmoke_, 0) ? 0 : 1;
    s.SmokeLength = static_cast<int16_t>(smokeOnCount_->Value());
    s.ComplementCount = static_cast<int16_t>(complementCount_->Value());
    if (cmbAirPlane_->currentIndex() >= 0)
        s.AirplaneKind = static_cast<int16_t>(cmbAirPlane_->currentData().toInt());

    if (IsSelected(optSound_, 0))
        s.MusicMode = 0;
    else if (optSoundPlayer_->checkedId() >= 0)
        s.MusicMode = static_cast<int16_t>(optSoundPlayer_->checkedId() + 1);
    s.PlayFile = txtPlayFile_->text().toStdString();
    s.SoundVolume = static_cast<int16_t>(volume_->Value());
    s.PlayerApp = txtPlayer_->text().toStdString();

    if (cmbDisplayMode_->currentIndex() >= 0)
        s.DisplayMode = static_cast<int16_t>(cmbDisplayMode_->currentData().toInt());

    if (IsSelected(optBgMode_, 0)) {
        s.BackgroundMode = 0;
    } else if (IsSelected(optBgMode_, 2)) {
        if (cmbBackGroundMode_->currentIndex() >= 0)
            s.BackgroundMode = static_cast<int16_t>(cmbBackGroundMode_->currentData().toInt());
    } else if (IsSelected(optBgMode_, 1)) {
        s.BackgroundMode = IsSelected(optPictureSize_, 0) ? 9 : 10;
    }
    s.BackgroundFile = txtBackGroundFile_->text().toStdString();
}
