#include "frmVersion.h"

#include "JapaneseFont.h"
#include "LinkLabel.h"
#include "QtPictures.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int IconSize = 64;

QLabel* AddLabel(QWidget* parent, QLayout* layout, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    layout->addWidget(label);
    return label;
}

}  // namespace

frmVersion::frmVersion(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVersion"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    UseJapaneseFont(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(4);

    auto* heading = new QHBoxLayout;
    heading->setSpacing(16);
    auto* Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    // The picture is drawn at twice the shown size so it stays sharp at 200 % scaling.
    QPixmap icon = QPixmap::fromImage(ImageOfAsset("icon/version.png"));
    icon.setDevicePixelRatio(static_cast<qreal>(icon.width()) / IconSize);
    Image1->setPixmap(icon);
    Image1->setFixedSize(IconSize, IconSize);
    heading->addWidget(Image1, 0, Qt::AlignTop);

    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    QLabel* Label1 = AddLabel(this, names, "Label1", QStringLiteral("Kestrova"));
    QFont title = Label1->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    Label1->setFont(title);
    AddLabel(this, names, "Label2", QStringLiteral("スクリーンセイバー"));
    AddLabel(this, names, "Label3", QStringLiteral("Version " KESTROVA_VERSION));
    heading->addLayout(names);
    heading->addStretch();
    layout->addLayout(heading);

    layout->addSpacing(12);
    AddLabel(this, layout, "Label6", QStringLiteral("© 2026 Kestrova Saver developers"));
    layout->addSpacing(12);
    AddLabel(this, layout, "Label11", QStringLiteral("このプログラムは次のライブラリを使っています。"));

    struct Credit {
        const char* lineName;
        QString line;
        const char* linkName;
        QString address;
    };
    const Credit credits[] = {
        {"Label10", QStringLiteral("画面とダイアログ：Qt"), "lblCreditA", QStringLiteral("https://www.qt.io/")},
        {"Label4", QStringLiteral("音楽の再生：SDL2_mixer"), "lblCreditB",
         QStringLiteral("https://github.com/libsdl-org/SDL_mixer")},
    };
    for (const Credit& credit : credits) {
        layout->addSpacing(6);
        AddLabel(this, layout, credit.lineName, credit.line);
        auto* link = new LinkLabel(credit.address, this);
        link->setObjectName(QLatin1String(credit.linkName));
        link->setContentsMargins(16, 0, 0, 0);
        layout->addWidget(link);
    }

    layout->addSpacing(16);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    buttons->addWidget(cmdOK);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
