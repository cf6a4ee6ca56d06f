#pragma once

#include "SaverSettings.h"

#include <QDialog>

// The options dialog "Kestrova Saver Option": edits every setting; OK saves them.
class frmOption : public QDialog {
    Q_OBJECT
public:
    explicit frmOption(SaverSettings& settings, QWidget* parent = nullptr);

private:
    SaverSettings& settings_;
};
