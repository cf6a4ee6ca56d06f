#include "frmDefaultSet.h"

#include "FormRows.h"
#include "JapaneseFont.h"
#include "Presets.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmDefaultSet::frmDefaultSet(SaverSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), optDefault_(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("frmDefaultSet"));
    setWindowTitle(QStringLiteral("デフォルト値選択"));
    UseJapaneseFont(this);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(8);
    for (int i = 0; i < PresetCount; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(PresetCaption(i)), this);
        option->setObjectName(QStringLiteral("optDefault_%1").arg(i));
        optDefault_->addButton(option, i);
        layout->addWidget(option);
    }
    optDefault_->button(0)->setChecked(true);
    TabToCheckedButton(optDefault_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmDefaultSet::ApplyChoice);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmDefaultSet::ApplyChoice()
{
    const int index = optDefault_->checkedId();
    if (index >= 0)
        ApplyPreset(index, settings_);
    accept();
}
