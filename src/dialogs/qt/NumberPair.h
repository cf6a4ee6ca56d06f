#pragma once

#include <QObject>

class QLineEdit;
class QScrollBar;
class QString;

// When a change of the text box is taken up by its scroll bar.
enum class ActOn {
    NonZero,   // only when the text reads as a number other than 0
    Always,    // every change, an empty text reading as 0
    NotEmpty,  // only when the text is not empty
};

struct NumberRange {
    int minimum;
    int maximum;
    int pageStep;
    int singleStep;
    ActOn actOn;
    int resetValue;  // what both controls show after an out-of-range entry
};

// Ties a scroll bar to a text box showing its value. The scroll bar's value is the
// one that counts; the text box only ever moves it to a value inside the range.
//
// A number typed above the maximum is reset at once. One typed below the minimum
// is reset only when the edit ends (Enter or focus leaving the box): typing "100"
// into a box whose range starts at 50 passes through "1" and "10" on the way.
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
