// The file buttons: their type lists, what the chooser lists, and what a choice writes.

#include "DialogTestSupport.h"
#include "FileChoice.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListView>

namespace {

void MakeFile(const QString& path, bool executable = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot make %s", qPrintable(path));
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

QStringList TypeCaptions(QFileDialog* chooser)
{
    auto* types = Control<QComboBox>(chooser, QStringLiteral("fileTypeCombo"));
    QStringList captions;
    for (int i = 0; i < types->count(); ++i)
        captions << types->itemText(i);
    return captions;
}

QStringList Listed(QFileDialog* chooser)
{
    auto* view = Control<QListView>(chooser, QStringLiteral("listView"));
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
    names.sort();
    return names;
}

// The chooser reads its folder in the background: wait until it lists `expected`.
QStringList ListedOnceLoaded(QFileDialog* chooser, const QStringList& expected)
{
    // On a timeout the caller's comparison shows what was listed instead.
    static_cast<void>(QTest::qWaitFor([&] { return Listed(chooser) == expected; }, 3000));
    return Listed(chooser);
}

}  // namespace

class FileChoiceTests : public QObject {
    Q_OBJECT
private:
    QTemporaryDir folder_;

private slots:
    void initTestCase()
    {
        MakeFile(folder_.filePath(QStringLiteral("a.exe")));
        MakeFile(folder_.filePath(QStringLiteral("player")), true);
        MakeFile(folder_.filePath(QStringLiteral("notes.txt")));
        MakeFile(folder_.filePath(QStringLiteral("song.MID")));
        QVERIFY(QDir(folder_.path()).mkdir(QStringLiteral("folder")));
    }

    void programFiles()
    {
        QVERIFY(IsProgramFile(QFileInfo(folder_.filePath(QStringLiteral("a.exe")))));
        QVERIFY(IsProgramFile(QFileInfo(folder_.filePath(QStringLiteral("player")))));
        QVERIFY(!IsProgramFile(QFileInfo(folder_.filePath(QStringLiteral("notes.txt")))));
        QVERIFY(!IsProgramFile(QFileInfo(folder_.filePath(QStringLiteral("folder")))));
    }

    void musicTypesFollowThePlayer_data()
    {
        QTest::addColumn<int>("player");
        QTest::addColumn<QString>("caption");
        QTest::newRow("system") << 0 << QStringLiteral("音楽ファイル(*.mid,*.wav)");
        QTest::newRow("external") << 1 << QStringLiteral("音楽ファイル(*.mid,*.wav,*.mp3)");
        QTest::newRow("media player") << 2 << QStringLiteral("音楽ファイル(*.mid,*.wav,*.mp3)");
    }
    void musicTypesFollowThePlayer()
    {
        QFETCH(int, player);
        QFETCH(QString, caption);
        OpenOptions open(SaverSettings{});
        QWidget* d = open.dialog.get();
        Button(d, QStringLiteral("optSound_1"))->click();
        Button(d, QStringLiteral("optSoundPlayer_%1").arg(player))->click();
        Box(d, QStringLiteral("txtPlayFile"))->setText(folder_.path());
        QStringList captions, listed;
        ModalWatcher watcher([&](QWidget* modal) {
            auto* chooser = qobject_cast<QFileDialog*>(modal);
            captions = TypeCaptions(chooser);
            listed = ListedOnceLoaded(chooser, {QStringLiteral("folder"), QStringLiteral("song.MID")});
            Box(chooser, QStringLiteral("fileNameEdit"))->setText(folder_.filePath(QStringLiteral("song.MID")));
            QMetaObject::invokeMethod(chooser, "accept");
            if (chooser->isVisible())  // a failed choice must fail the test, not hang it
                chooser->reject();
        });
        Button(d, QStringLiteral("cmdFileSelect"))->click();
        QCOMPARE(captions, (QStringList{caption, QStringLiteral("全てのファイル(*.*)")}));
        QCOMPARE(listed, (QStringList{QStringLiteral("folder"), QStringLiteral("song.MID")}));
        QCOMPARE(Box(d, QStringLiteral("txtPlayFile"))->text(), folder_.filePath(QStringLiteral("song.MID")));
    }

    void playerListShowsProgramsThenEverything()
    {
        OpenOptions open(SaverSettings{});
        QWidget* d = open.dialog.get();
        Button(d, QStringLiteral("optSound_1"))->click();
        Button(d, QStringLiteral("optSoundPlayer_1"))->click();
        Box(d, QStringLiteral("txtPlayer"))->setText(folder_.filePath(QStringLiteral("notes.txt")));
        const QStringList programs{QStringLiteral("a.exe"), QStringLiteral("folder"), QStringLiteral("player")};
        const QStringList everything{QStringLiteral("a.exe"), QStringLiteral("folder"), QStringLiteral("notes.txt"),
                                     QStringLiteral("player"), QStringLiteral("song.MID")};
        QStringList captions, listedPrograms, listedAll;
        ModalWatcher watcher([&](QWidget* modal) {
            auto* chooser = qobject_cast<QFileDialog*>(modal);
            captions = TypeCaptions(chooser);
            listedPrograms = ListedOnceLoaded(chooser, programs);
            auto* types = Control<QComboBox>(chooser, QStringLiteral("fileTypeCombo"));
            QTest::keyClick(types, Qt::Key_Down);
            listedAll = ListedOnceLoaded(chooser, everything);
            chooser->reject();
        });
        Button(d, QStringLiteral("cmdPlayerSelect"))->click();
        QCOMPARE(captions, (QStringList{QStringLiteral("外部プレイヤー(*.exe)"), QStringLiteral("全てのファイル(*.*)")}));
        QCOMPARE(listedPrograms, programs);
        QCOMPARE(listedAll, everything);
        // Cancelling leaves the box as it was.
        QCOMPARE(Box(d, QStringLiteral("txtPlayer"))->text(), folder_.filePath(QStringLiteral("notes.txt")));
    }

    // Qt's own texts are Japanese like the rest, whatever the locale.
    void chooserAndEditMenusAreJapanese()
    {
        OpenOptions open(SaverSettings{});
        QWidget* d = open.dialog.get();
        Button(d, QStringLiteral("optBgMode_1"))->click();
        QString title, lookIn, cancel;
        ModalWatcher watcher([&](QWidget* modal) {
            title = modal->windowTitle();
            lookIn = Control<QLabel>(modal, QStringLiteral("lookInLabel"))->text();
            cancel = Control<QDialogButtonBox>(modal, QStringLiteral("buttonBox"))
                         ->button(QDialogButtonBox::Cancel)
                         ->text();
            modal->close();
        });
        Button(d, QStringLiteral("cmdBGFSelect"))->click();
        QCOMPARE(title, QStringLiteral("開く"));
        QCOMPARE(lookIn, QStringLiteral("アドレス:"));
        QCOMPARE(cancel, QStringLiteral("キャンセル"));
        std::unique_ptr<QMenu> menu(Box(d, QStringLiteral("txtBlueNum"))->createStandardContextMenu());
        QVERIFY(menu->actions().first()->text().startsWith(QStringLiteral("元に戻す")));
    }
};

DIALOG_TEST_MAIN(FileChoiceTests)
#include "FileChoiceTests.moc"
