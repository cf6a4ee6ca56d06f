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
    void showsNameVersionAndIcon()
    {
        frmVersion dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(Control<QLabel>(&dialog, QStringLiteral("Label1"))->text(), QStringLiteral("Kestrova"));
        QCOMPARE(Control<QLabel>(&dialog, QStringLiteral("Label2"))->text(), QStringLiteral("スクリーンセイバー"));
        QCOMPARE(Control<QLabel>(&dialog, QStringLiteral("Label3"))->text(), QStringLiteral("Version 1.21"));
        QVERIFY(!Control<QLabel>(&dialog, QStringLiteral("Image1"))->pixmap().isNull());
    }

    void creditLinksOpenTheirOwnAddress()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        frmVersion dialog;
        dialog.show();
        QStringList addresses;
        for (const char* name : {"lblCreditA", "lblCreditB", "lblCreditC"}) {
            auto* link = Control<QLabel>(&dialog, QLatin1String(name));
            QVERIFY(link->font().underline());
            QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
            QTest::mouseClick(link, Qt::LeftButton);
            addresses << link->text();
        }
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(addresses, (QStringList{QStringLiteral("https://www.qt.io/"),
                                         QStringLiteral("https://github.com/libsdl-org/SDL_mixer"),
                                         QStringLiteral("https://www.assimp.org/")}));
        QCOMPARE(catcher.opened.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(catcher.opened[i], QUrl(addresses[i]));
    }

    void openedFromTheOptionsDialogAndClosedByOk()
    {
        OpenOptions open(SaverSettings{});
        QString title;
        ModalWatcher watcher([&title](QWidget* version) {
            title = version->windowTitle();
            Button(version, QStringLiteral("cmdOK"))->click();
        });
        Button(open.dialog.get(), QStringLiteral("cmdVersion"))->click();
        QCOMPARE(title, QStringLiteral("バージョン情報"));
        QVERIFY(open.dialog->isVisible());
    }
};

DIALOG_TEST_MAIN(VersionDialogTests)
#include "VersionDialogTests.moc"
