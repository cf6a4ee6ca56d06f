#include "DialogTestSupport.h"
#include "frmVersion.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPalette>
#include <QUrl>

// Stands in for the browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class VersionDialogTests : public QObject {
    Q_OBJECT
private slots:
    void creditLinksOpenTheirOwnAddress()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        frmVersion dialog;
        dialog.show();
        QVERIFY(!Control<QLabel>(&dialog, QStringLiteral("Image1"))->pixmap().isNull());
        QStringList addresses;
        for (const char* name : {"lblCreditA", "lblCreditB"}) {
            auto* link = Control<QLabel>(&dialog, QLatin1String(name));
            QVERIFY(link->font().underline());
            QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
            QTest::mouseClick(link, Qt::LeftButton);
            addresses << link->text();
        }
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(addresses, (QStringList{QStringLiteral("https://www.qt.io/"),
                                         QStringLiteral("https://github.com/libsdl-org/SDL_mixer")}));
        QCOMPARE(catcher.opened.size(), 2);
        for (int i = 0; i < 2; ++i)
            QCOMPARE(catcher.opened[i], QUrl(addresses[i]));
    }
};

DIALOG_TEST_MAIN(VersionDialogTests)
#include "VersionDialogTests.moc"
