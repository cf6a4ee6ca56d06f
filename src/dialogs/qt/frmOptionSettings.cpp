#include "frmOption.h"

#include "DialogTexts.h"
#include "JapaneseFont.h"
#include "NumberPair.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

namespace {

NumberRow RowOf(const QLineEdit* box, const NumberPair* pair)
{
    return {box->text().toStdString(), pair->Value()};
}

// Checking an option button runs its click handler, which shows and hides the
// sub-frames it governs. An option array with nothing to select stays as it is.
void Select(QButtonGroup* group, int index)
{
    if (index >= 0)
        group->button(index)->setChecked(true);
}

// Setting the box's text moves the scroll bar by the row's rule.
void ShowRow(QLineEdit* box, const NumberRow& row)
{
    box->setText(QString::fromStdString(row.text));
}

void ShowMessage(QWidget* owner, QMessageBox::Icon icon, const std::string& title, const std::string& text)
{
    QMessageBox box(icon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok, owner);
    UseJapaneseFont(&box);
    box.exec();
}

}  // namespace

OptionChoices frmOption::ReadChoices() const
{
    OptionChoices c;
    c.Formation = OptFormation_->checkedId();
    c.BlueNum = RowOf(txtBlueNum_, blueNum_);
    c.Speed = RowOf(txtSpeed_, speed_);
    c.Step = RowOf(txtStep_, step_);
    c.Smoke = optSmoke_->checkedId();
    c.SmokeOnCount = RowOf(txtSmokeOnCount_, smokeOnCount_);
    c.ComplementCount = RowOf(txtComplementCount_, complementCount_);
    c.Airplane = cmbAirPlane_->currentIndex();
    c.Sound = optSound_->checkedId();
    c.SoundPlayer = optSoundPlayer_->checkedId();
    c.PlayFile = txtPlayFile_->text().toStdString();
    c.Volume = RowOf(txtVolume_, volume_);
    c.Player = txtPlayer_->text().toStdString();
    c.DisplayMode = cmbDisplayMode_->currentIndex();
    c.BgMode = optBgMode_->checkedId();
    c.PictureSize = optPictureSize_->checkedId();
    c.BackgroundColour = cmbBackGroundMode_->currentIndex();
    c.BackgroundFile = txtBackGroundFile_->text().toStdString();
    return c;
}

void frmOption::ShowChoices(const OptionChoices& c)
{
    Select(OptFormation_, c.Formation);
    ShowRow(txtBlueNum_, c.BlueNum);
    ShowRow(txtSpeed_, c.Speed);
    ShowRow(txtStep_, c.Step);
    Select(optSmoke_, c.Smoke);
    ShowRow(txtSmokeOnCount_, c.SmokeOnCount);
    ShowRow(txtComplementCount_, c.ComplementCount);
    cmbAirPlane_->setCurrentIndex(c.Airplane);
    Select(optSound_, c.Sound);
    Select(optSoundPlayer_, c.SoundPlayer);
    txtPlayFile_->setText(QString::fromStdString(c.PlayFile));
    ShowRow(txtVolume_, c.Volume);
    txtPlayer_->setText(QString::fromStdString(c.Player));
    cmbDisplayMode_->setCurrentIndex(c.DisplayMode);
    Select(optBgMode_, c.BgMode);
    Select(optPictureSize_, c.PictureSize);
    cmbBackGroundMode_->setCurrentIndex(c.BackgroundColour);
    txtBackGroundFile_->setText(QString::fromStdString(c.BackgroundFile));
    ShowSubFrames();
}

void frmOption::Refresh(bool withAircraft)
{
    OptionChoices choices = ReadChoices();
    ShowSettings(settings_, choices, withAircraft);
    ShowChoices(choices);
}

void frmOption::Accept()
{
    const OptionChoices choices = ReadChoices();
    const auto exists = [](const std::string& path) { return QFileInfo(QString::fromStdString(path)).isFile(); };
    if (const std::optional<MissingFile> missing = FirstMissingFile(choices, exists)) {
        ShowMessage(this, QMessageBox::Warning, missing->title, MissingFileText(*missing));
        return;
    }
    TakeChoices(choices, settings_);
    std::string reason;
    if (!SaveSettings(settings_, &reason)) {
        // The dialog stays open with every entry in place, so the user can free
        // the file or its folder and press OK again.
        ShowMessage(this, QMessageBox::Critical, SaveFailedTitle, SaveFailedText(reason));
        return;
    }
    accept();
}
