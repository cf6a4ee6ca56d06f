#pragma once

#include <QDialog>

// The version dialog "バージョン情報": product name, version, rights line and the
// credits for the libraries the program is built on, each with a clickable address.
class frmVersion : public QDialog {
    Q_OBJECT
public:
    explicit frmVersion(QWidget* parent = nullptr);
};
