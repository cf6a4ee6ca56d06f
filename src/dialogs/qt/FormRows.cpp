#include "FormRows.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>

QLabel* CaptionColumn::Add(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    labels_ << label;
    return label;
}

void CaptionColumn::Align() const
{
    int width = 0;
    for (const QLabel* label : labels_)
        width = std::max(width, label->sizeHint().width());
    for (QLabel* label : labels_)
        label->setFixedWidth(width);
}

QWidget* MakeSubFrame(QWidget* parent, const char* name)
{
    auto* frame = new QWidget(parent);
    frame->setObjectName(QLatin1String(name));
    QSizePolicy policy = frame->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    frame->setSizePolicy(policy);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    return frame;
}

QButtonGroup* AddOptionButtons(QWidget* parent, QBoxLayout* into, const char* arrayName, const QStringList& captions)
{
    auto* group = new QButtonGroup(parent);
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], parent);
        button->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(arrayName)).arg(i));
        group->addButton(button, i);
        into->addWidget(button);
    }
    TabToCheckedButton(group);
    return group;
}

void TabToCheckedButton(QButtonGroup* group)
{
    const auto placeStop = [group] {
        const QList<QAbstractButton*> buttons = group->buttons();
        QAbstractButton* stop = group->checkedButton() ? group->checkedButton() : buttons.value(0);
        for (QAbstractButton* button : buttons)
            button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
    };
    QObject::connect(group, &QButtonGroup::buttonToggled, group, placeStop);
    placeStop();
}

NumberControls AddNumberControls(QWidget* parent, QBoxLayout* row, const char* barName, const char* boxName)
{
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(QLatin1String(barName));
    bar->setMinimumWidth(bar->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(boxName));
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    box->setAlignment(Qt::AlignRight);
    row->addWidget(bar, 1, Qt::AlignVCenter);
    row->addWidget(box);
    return {bar, box};
}

QLineEdit* AddPathBox(QWidget* parent, QBoxLayout* row, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 30);
    row->addWidget(box, 1);
    return box;
}
