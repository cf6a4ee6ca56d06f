#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QBoxLayout;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QScrollBar;
class QWidget;

// Builders for the caption-and-control rows of the options dialog.

// The captions at the left of one group's rows, all as wide as the widest, so the
// controls of the group and of its sub-frames line up.
class CaptionColumn {
public:
    QLabel* Add(QWidget* parent, const QString& text);
    void Align() const;

private:
    QList<QLabel*> labels_;
};

// A borderless part of a group that is shown and hidden as a whole. It keeps its
// place when hidden so the window does not change size.
QWidget* MakeSubFrame(QWidget* parent, const char* name);

// Adds one option button per caption to `into`; the buttons are named
// <arrayName>_<index> and the group's ids are the indexes.
QButtonGroup* AddOptionButtons(QWidget* parent, QBoxLayout* into, const char* arrayName, const QStringList& captions);

// Makes the group one stop of the Tab key, at its checked button (the first while none
// is), so Tab and Space cannot change a setting unseen; the arrow keys move within it.
void TabToCheckedButton(QButtonGroup* group);

// A scroll bar and the text box showing its value, added to `row`.
struct NumberControls {
    QScrollBar* bar;
    QLineEdit* box;
};
NumberControls AddNumberControls(QWidget* parent, QBoxLayout* row, const char* barName, const char* boxName);

// A text box for a path, added to `row`.
QLineEdit* AddPathBox(QWidget* parent, QBoxLayout* row, const char* name);
