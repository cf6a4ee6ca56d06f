#include "NumberPair.h"

#include "LeadingNumber.h"

#include <QLineEdit>
#include <QScrollBar>

NumberPair::NumberPair(QScrollBar* bar, QLineEdit* box, const NumberRange& range, QObject* parent)
    : QObject(parent), bar_(bar), box_(box), range_(range)
{
    bar_->setRange(range.minimum, range.maximum);
    bar_->setPageStep(range.pageStep);
    bar_->setSingleStep(range.singleStep);
    connect(bar_, &QScrollBar::valueChanged, this, &NumberPair::ShowBarValue);
    // The line edit marks text the user typed as modified; setText clears the mark.
    connect(box_, &QLineEdit::textChanged, this, [this](const QString& text) { TakeText(text, box_->isModified()); });
    connect(box_, &QLineEdit::editingFinished, this, &NumberPair::FinishEdit);
}

int NumberPair::Value() const
{
    return bar_->value();
}

void NumberPair::ShowBarValue(int value)
{
    resetPending_ = false;
    box_->setText(QString::number(value));
}

void NumberPair::TakeText(const QString& text, bool typing)
{
    resetPending_ = false;
    const double read = ReadLeadingNumber(text);
    switch (range_.actOn) {
    case ActOn::NonZero:
        if (read == 0.0)
            return;
        break;
    case ActOn::NotEmpty:
        if (text.isEmpty())
            return;
        break;
    case ActOn::Always:
        break;
    }
    const double value = RoundHalfEven(read);
    if (value < range_.minimum && typing) {
        resetPending_ = true;
        return;
    }
    if (value < range_.minimum || value > range_.maximum) {
        box_->setText(QString::number(range_.resetValue));
        bar_->setValue(range_.resetValue);
        return;
    }
    bar_->setValue(static_cast<int>(value));
}

void NumberPair::FinishEdit()
{
    if (resetPending_)
        TakeText(box_->text(), false);
}
