#include "NumberPair.h"

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
    const NumberEntry entry = TakeNumberText(range_, text.toStdString(), typing);
    resetPending_ = entry.action == EntryAction::ResetWhenDone;
    switch (entry.action) {
    case EntryAction::Ignore:
    case EntryAction::ResetWhenDone:
        break;
    case EntryAction::Reset:
        box_->setText(QString::number(entry.value));
        bar_->setValue(entry.value);
        break;
    case EntryAction::Move:
        bar_->setValue(entry.value);
        break;
    }
}

void NumberPair::FinishEdit()
{
    if (resetPending_)
        TakeText(box_->text(), false);
}
