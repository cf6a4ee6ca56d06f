#pragma once

#include "NumberEntry.h"

#include <QObject>

class QLineEdit;
class QScrollBar;
class QString;

// Ties a scroll bar to a text box showing its value, by the row's rule
// (TakeNumberText). The scroll bar's value is the one that counts; the text box only
// ever moves it to a value inside the range.
class NumberPair : public QObject {
    Q_OBJECT
public:
    NumberPair(QScrollBar* bar, QLineEdit* box, const NumberRange& range, QObject* parent);

    int Value() const;

private:
    void ShowBarValue(int value);
    void TakeText(const QString& text, bool typing);
    void FinishEdit();

    QScrollBar* bar_;
    QLineEdit* box_;
    NumberRange range_;
    bool resetPending_ = false;
};
