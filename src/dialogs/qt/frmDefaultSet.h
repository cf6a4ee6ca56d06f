#pragma once

#include "SaverSettings.h"

#include <QDialog>

class QButtonGroup;

// The presets dialog "デフォルト値選択". OK writes the chosen preset into the
// settings in memory only; Cancel and closing change nothing.
// The option buttons are named optDefault_0 .. optDefault_4, top to bottom.
class frmDefaultSet : public QDialog {
    Q_OBJECT
public:
    explicit frmDefaultSet(SaverSettings& settings, QWidget* parent = nullptr);

private:
    void ApplyChoice();

    SaverSettings& settings_;
    QButtonGroup* optDefault_;
};
