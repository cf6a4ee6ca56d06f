#include "JapaneseFont.h"

#include <QApplication>
#include <QFont>
#include <QWidget>

void UseJapaneseFont(QWidget* window)
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
                      QStringLiteral("IPAGothic"), font.family()});
    window->setFont(font);
}
