// Opening from the store, the file checks of OK, and what OK, Enter, Esc and Cancel store.

#include "DialogTestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>

class OptionsOkTests : public QObject {
    Q_OBJECT
private:
    QTemporaryDir files_;
    QString existing_;  // a file that exists
    QString missing_;   // a path where no file is

    void pressOk(QWidget* dialog) { Button(dialog, QStringLiteral("cmdOK"))->click(); }

private slots:
    void initTestCase()
    {
        existing_ = files_.filePath(QStringLiteral("曲 one.mid"));
        QFile file(existing_);
        QVERIFY(file.open(QIODevice::WriteOnly));
        missing_ = files_.filePath(QStringLiteral("missing.wav"));
    }

    void opensShowingTheStoredChoices()
    {
        SaverSettings stored;
        stored.FlightMode = 1;
        stored.SmokeMode = 0;
        stored.AirplaneKind = 201;
        stored.MusicMode = 2;
        stored.DisplayMode = 2;
        stored.BackgroundMode = 10;
        OpenOptions open(stored);
        QWidget* d = open.dialog.get();
        QVERIFY(Button(d, QStringLiteral("OptFormation_0"))->isChecked());
        QVERIFY(Control<QWidget>(d, QStringLiteral("fraBlueCount"))->isHidden());
        QVERIFY(Button(d, QStringLiteral("optSmoke_0"))->isChecked());
        QVERIFY(Control<QWidget>(d, QStringLiteral("fraComplement"))->isHidden());
        QCOMPARE(Control<QComboBox>(d, QStringLiteral("cmbAirPlane"))->currentText(),
                 QStringLiteral("T-4 第13飛行教育団ﾆｭｰｽｷｰﾑ"));
        QVERIFY(Button(d, QStringLiteral("optSoundPlayer_1"))->isChecked());
        QVERIFY(!Control<QWidget>(d, QStringLiteral("fraPlayerFile"))->isHidden());
        QVERIFY(Control<QWidget>(d, QStringLiteral("fraVolume"))->isHidden());
        QCOMPARE(Control<QComboBox>(d, QStringLiteral("cmbDisplayMode"))->currentIndex(), 2);
        QVERIFY(Button(d, QStringLiteral("optPictureSize_1"))->isChecked());
        QVERIFY(!Control<QWidget>(d, QStringLiteral("fraPicture"))->isHidden());
        QVERIFY(Control<QWidget>(d, QStringLiteral("fraBgColor"))->isHidden());
    }

    // Values the lists do not hold select nothing, and OK then keeps them.
    void unknownStoredValuesSurviveOk()
    {
        SaverSettings stored;
        stored.AirplaneKind = 150;
        stored.DisplayMode = 7;
        stored.MusicMode = 9;
        stored.BackgroundMode = 11;
        OpenOptions open(stored);
        QVERIFY(Control<QWidget>(open.dialog.get(), QStringLiteral("fraPicture"))->isHidden());
        QVERIFY(Control<QWidget>(open.dialog.get(), QStringLiteral("fraBgColor"))->isHidden());
        QCOMPARE(Control<QComboBox>(open.dialog.get(), QStringLiteral("cmbAirPlane"))->currentIndex(), -1);
        QCOMPARE(Control<QComboBox>(open.dialog.get(), QStringLiteral("cmbDisplayMode"))->currentIndex(), -1);
        stored.MusicMode = 1;  // music stays on; the player chosen at opening is the first
        stored.PlayFile = existing_.toStdString();
        Box(open.dialog.get(), QStringLiteral("txtPlayFile"))->setText(existing_);
        pressOk(open.dialog.get());
        QCOMPARE(Stored(), stored);
    }

    void okStoresEveryControl()
    {
        OpenOptions open(SaverSettings{});
        QWidget* d = open.dialog.get();
        Button(d, QStringLiteral("OptFormation_0"))->click();
        TypeInto(Box(d, QStringLiteral("txtBlueNum")), QStringLiteral("42"));
        TypeInto(Box(d, QStringLiteral("txtSpeed")), QStringLiteral("3"));
        TypeInto(Box(d, QStringLiteral("txtStep")), QStringLiteral("12"));
        Button(d, QStringLiteral("optSmoke_0"))->click();
        Control<QComboBox>(d, QStringLiteral("cmbAirPlane"))->setCurrentIndex(6);
        Button(d, QStringLiteral("optSound_1"))->click();
        Button(d, QStringLiteral("optSoundPlayer_2"))->click();
        Box(d, QStringLiteral("txtPlayFile"))->setText(existing_);
        TypeInto(Box(d, QStringLiteral("txtVolume")), QStringLiteral("2500"));
        Box(d, QStringLiteral("txtPlayer"))->setText(missing_);
        Control<QComboBox>(d, QStringLiteral("cmbDisplayMode"))->setCurrentIndex(1);
        Button(d, QStringLiteral("optBgMode_2"))->click();
        Control<QComboBox>(d, QStringLiteral("cmbBackGroundMode"))->setCurrentIndex(5);
        Box(d, QStringLiteral("txtBackGroundFile"))->setText(missing_);
        pressOk(d);

        QVERIFY(!d->isVisible());
        const SaverSettings s = Stored();
        QCOMPARE(s.FlightMode, 1);
        QCOMPARE(s.BlueCount, 42);
        QCOMPARE(s.BlueWait, 3);
        QCOMPARE(s.BlueStep, 12);
        QCOMPARE(s.SmokeMode, 0);
        QCOMPARE(s.AirplaneKind, 101);
        QCOMPARE(s.MusicMode, 3);
        QCOMPARE(QString::fromStdString(s.PlayFile), existing_);
        QCOMPARE(s.SoundVolume, 2500);
        QCOMPARE(QString::fromStdString(s.PlayerApp), missing_);
        QCOMPARE(s.DisplayMode, 1);
        QCOMPARE(s.BackgroundMode, 6);  // "シアン"
        QCOMPARE(QString::fromStdString(s.BackgroundFile), missing_);
    }

    void musicFileIsCheckedFirst_data()
    {
        QTest::addColumn<int>("player");
        QTest::addColumn<bool>("empty");
        QTest::newRow("external player present, music missing") << 1 << false;
        QTest::newRow("no file chosen") << 0 << true;
    }
    void musicFileIsCheckedFirst()
    {
        QFETCH(int, player);
        QFETCH(bool, empty);
        OpenOptions open(SaverSettings{});
        QWidget* d = open.dialog.get();
        Button(d, QStringLiteral("optSound_1"))->click();
        Button(d, QStringLiteral("optSoundPlayer_%1").arg(player))->click();
        Box(d, QStringLiteral("txtPlayFile"))->setText(empty ? QString() : missing_);
        Box(d, QStringLiteral("txtPlayer"))->setText(existing_);
        Button(d, QStringLiteral("optBgMode_1"))->click();
        Box(d, QStringLiteral("txtBackGroundFile"))->setText(missing_);

        SeenMessage seen;
        ModalWatcher watcher(RecordMessage(seen));
        pressOk(d);
        QCOMPARE(watcher.Seen(), 1);
        QCOMPARE(seen.title, QStringLiteral("曲ファイルの指定エラー"));
        QCOMPARE(seen.text, QStringLiteral("曲ファイルが存在しません。\nファイルを再指定して下さい。"));
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QVERIFY(d->isVisible());
        QVERIFY(!QFile::exists(SettingsFilePath()) || Stored() == SaverSettings{});
    }

    void playerThenPictureAreChecked()
    {
        OpenOptions open(SaverSettings{});
        QWidget* d = open.dialog.get();
        Button(d, QStringLiteral("optSound_1"))->click();
        Button(d, QStringLiteral("optSoundPlayer_1"))->click();
        Box(d, QStringLiteral("txtPlayFile"))->setText(existing_);
        Box(d, QStringLiteral("txtPlayer"))->setText(missing_);
        Button(d, QStringLiteral("optBgMode_1"))->click();
        Box(d, QStringLiteral("txtBackGroundFile"))->setText(files_.path());  // a folder is no picture

        SeenMessage seen;
        {
            ModalWatcher watcher(RecordMessage(seen));
            pressOk(d);
        }
        QCOMPARE(seen.title, QStringLiteral("外部プレイヤーの指定エラー"));
        QCOMPARE(seen.text, QStringLiteral("外部プレイヤーが存在しません。\nファイルを再指定して下さい。"));

        Box(d, QStringLiteral("txtPlayer"))->setText(existing_);
        {
            ModalWatcher watcher(RecordMessage(seen));
            pressOk(d);
        }
        QCOMPARE(seen.title, QStringLiteral("画像ファイルの指定エラー"));
        QCOMPARE(seen.text, QStringLiteral("画像ファイルが存在しません。\nファイルを再指定して下さい。"));
        QCOMPARE(Stored(), SaverSettings{});
    }

    // Paths of routes not in use are stored as typed, without a check.
    void unusedPathsAreStoredUnchecked()
    {
        OpenOptions open(SaverSettings{});
        QWidget* d = open.dialog.get();
        Button(d, QStringLiteral("optSound_0"))->click();
        Box(d, QStringLiteral("txtPlayFile"))->setText(missing_);
        Box(d, QStringLiteral("txtPlayer"))->setText(missing_ + QStringLiteral(".exe"));
        Button(d, QStringLiteral("optBgMode_2"))->click();
        Control<QComboBox>(d, QStringLiteral("cmbBackGroundMode"))->setCurrentIndex(7);
        Box(d, QStringLiteral("txtBackGroundFile"))->setText(missing_);
        SeenMessage seen;
        ModalWatcher watcher(RecordMessage(seen));
        pressOk(d);
        QCOMPARE(watcher.Seen(), 0);
        const SaverSettings s = Stored();
        QCOMPARE(s.MusicMode, 0);
        QCOMPARE(QString::fromStdString(s.PlayFile), missing_);
        QCOMPARE(QString::fromStdString(s.PlayerApp), missing_ + QStringLiteral(".exe"));
        QCOMPARE(s.BackgroundMode, 8);
        QCOMPARE(QString::fromStdString(s.BackgroundFile), missing_);
    }

    void pictureSizeGivesItsMode_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("mode");
        QTest::newRow("原寸大") << 0 << 9;
        QTest::newRow("画面のサイズに合わせる") << 1 << 10;
    }
    void pictureSizeGivesItsMode()
    {
        QFETCH(int, size);
        QFETCH(int, mode);
        OpenOptions open(SaverSettings{});
        QWidget* d = open.dialog.get();
        Button(d, QStringLiteral("optBgMode_1"))->click();
        Button(d, QStringLiteral("optPictureSize_%1").arg(size))->click();
        Box(d, QStringLiteral("txtBackGroundFile"))->setText(existing_);
        pressOk(d);
        QCOMPARE(Stored().BackgroundMode, mode);
    }

    void enterSavesEscapeDoesNot()
    {
        {
            OpenOptions open(SaverSettings{});
            TypeInto(Box(open.dialog.get(), QStringLiteral("txtBlueNum")), QStringLiteral("77"));
            QTest::keyClick(Box(open.dialog.get(), QStringLiteral("txtBlueNum")), Qt::Key_Escape);
            QVERIFY(!open.dialog->isVisible());
            QCOMPARE(Stored().BlueCount, 30);
        }
        OpenOptions open(SaverSettings{});
        TypeInto(Box(open.dialog.get(), QStringLiteral("txtBlueNum")), QStringLiteral("77"));
        QTest::keyClick(Box(open.dialog.get(), QStringLiteral("txtBlueNum")), Qt::Key_Return);
        QVERIFY(!open.dialog->isVisible());
        QCOMPARE(Stored().BlueCount, 77);
    }

    // Tab enters an option group at its checked button, so a Space after it changes nothing.
    void tabReachesTheCheckedOptionOnly()
    {
        OpenOptions open(SaverSettings{});
        QWidget* d = open.dialog.get();
        QWidget* first = Button(d, QStringLiteral("optSmoke_0"));
        QWidget* before = first->previousInFocusChain();
        while (!(before->focusPolicy() & Qt::TabFocus) || !before->isVisible() || !before->isEnabled())
            before = before->previousInFocusChain();
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Button(d, QStringLiteral("optSmoke_1")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != first);
        pressOk(d);
        QCOMPARE(Stored().SmokeMode, 1);
    }

    // A settings folder that cannot be written: the user is told and nothing typed is lost.
    void failedSaveKeepsTheDialogOpen()
    {
        OpenOptions open(SaverSettings{});
        const QString path = SettingsFilePath();
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));  // a folder where the file should be
        TypeInto(Box(open.dialog.get(), QStringLiteral("txtBlueNum")), QStringLiteral("64"));
        SeenMessage seen;
        {
            ModalWatcher watcher(RecordMessage(seen));
            pressOk(open.dialog.get());
        }
        QVERIFY(QDir().rmdir(path));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.text, QStringLiteral("設定を保存できませんでした。\n%1 はファイルではありません。").arg(path));
        QVERIFY(open.dialog->isVisible());
        QCOMPARE(Box(open.dialog.get(), QStringLiteral("txtBlueNum"))->text(), QStringLiteral("64"));
        pressOk(open.dialog.get());
        QCOMPARE(Stored().BlueCount, 64);
    }
};

DIALOG_TEST_MAIN(OptionsOkTests)
#include "OptionsOkTests.moc"
