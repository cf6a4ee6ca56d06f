#include "frmOption.h"

#include "CenterOnScreen.h"
#include "DialogTexts.h"
#include "FileChoice.h"
#include "frmDefaultSet.h"
#include "frmVersion.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>
#include <QWidget>

namespace {

// The chooser's filters for the shared pairs. "*.*" of the other system's choosers
// means every file; here it would ask for a dot. A filter for programs also lets
// through files the user may execute, since programs here seldom carry ".exe".
QList<FileFilter> ChooserFilters(const std::vector<FilterPair>& pairs)
{
    QList<FileFilter> filters;
    for (const FilterPair& pair : pairs) {
        const QString patterns = QString::fromUtf8(pair.patterns);
        FileFilter filter{QString::fromUtf8(pair.caption), patterns.split(QLatin1Char(';'))};
        if (patterns == QLatin1String("*.*"))
            filter.patterns = {QStringLiteral("*")};
        filter.executables = patterns == QLatin1String("*.exe");
        filters.append(filter);
    }
    return filters;
}

void ChooseInto(QWidget* owner, QLineEdit* box, const std::vector<FilterPair>& pairs)
{
    const QString chosen = SelectFile(owner, ChooserFilters(pairs), box->text());
    if (!chosen.isEmpty())
        box->setText(chosen);
}

}  // namespace

void frmOption::ConnectOptionButtons()
{
    for (QButtonGroup* group : {OptFormation_, optSmoke_, optSound_, optSoundPlayer_, optBgMode_}) {
        connect(group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
            if (checked)
                ShowSubFrames();
        });
    }
}

void frmOption::ShowSubFrames()
{
    const SubFrames shown = ShownSubFrames(ReadChoices());
    fraBlueCount_->setVisible(shown.BlueCount);
    fraComplement_->setVisible(shown.Complement);
    fraPlaySetting_->setVisible(shown.PlaySetting);
    fraVolume_->setVisible(shown.Volume);
    fraPlayerFile_->setVisible(shown.PlayerFile);
    fraPicture_->setVisible(shown.Picture);
    fraBgColor_->setVisible(shown.BgColor);
}

void frmOption::ChooseMusicFile()
{
    ChooseInto(this, txtPlayFile_, MusicFileFilters(optSoundPlayer_->checkedId()));
}

void frmOption::ChoosePlayer()
{
    ChooseInto(this, txtPlayer_, PlayerFileFilters());
}

void frmOption::ChooseBackgroundFile()
{
    ChooseInto(this, txtBackGroundFile_, PictureFileFilters());
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
