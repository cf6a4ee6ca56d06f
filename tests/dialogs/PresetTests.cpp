// The presets dialog and how the options dialog shows its choice.

#include "DialogTestSupport.h"
#include "frmDefaultSet.h"

#include <QComboBox>
#include <QScrollBar>

class PresetTests : public QObject {
    Q_OBJECT
private slots:
    void everyRowWritesItsValues_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<int>>("values");  // blue count, wait, step, smoke, length, complement, display
        QTest::newRow("0") << 0 << QList<int>{30, 0, 27, 1, 100, 20, 0};
        QTest::newRow("1") << 1 << QList<int>{30, 0, 27, 1, 100, 20, 1};
        QTest::newRow("2") << 2 << QList<int>{60, 0, 10, 0, 100, 30, 1};
        QTest::newRow("3 keeps the display mode") << 3 << QList<int>{15, 0, 29, 1, 60, 5, 2};
        QTest::newRow("4 keeps the display mode") << 4 << QList<int>{30, 0, 28, 0, 60, 5, 2};
    }
    void everyRowWritesItsValues()
    {
        QFETCH(int, index);
        QFETCH(QList<int>, values);
        SaverSettings s;
        s.BlueWait = 9;
        s.DisplayMode = 2;
        s.PlayFile = "kept";
        s.AirplaneKind = 5;
        SaverSettings expected = s;
        expected.BlueCount = values[0];
        expected.BlueWait = values[1];
        expected.BlueStep = values[2];
        expected.SmokeMode = values[3];
        expected.SmokeLength = values[4];
        expected.ComplementCount = values[5];
        expected.DisplayMode = values[6];

        frmDefaultSet dialog(s);
        QVERIFY(Button(&dialog, QStringLiteral("optDefault_0"))->isChecked());
        Button(&dialog, QStringLiteral("optDefault_%1").arg(index))->click();
        Button(&dialog, QStringLiteral("cmdOK"))->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(s, expected);
    }

    void cancelChangesNothing()
    {
        SaverSettings s;
        frmDefaultSet dialog(s);
        Button(&dialog, QStringLiteral("optDefault_2"))->click();
        Button(&dialog, QStringLiteral("cmdCancel"))->click();
        QCOMPARE(s, SaverSettings{});
    }

    // The options dialog shows the preset, hides what no longer applies, keeps the
    // aircraft choice, and saves nothing unless OK is pressed.
    void optionsDialogShowsThePreset()
    {
        OpenOptions open(SaverSettings{});
        QWidget* d = open.dialog.get();
        Control<QComboBox>(d, QStringLiteral("cmbAirPlane"))->setCurrentIndex(4);
        ModalWatcher watcher([](QWidget* presets) {
            Button(presets, QStringLiteral("optDefault_2"))->click();
            Button(presets, QStringLiteral("cmdOK"))->click();
        });
        Button(d, QStringLiteral("cmdDefaultSelect"))->click();
        QCOMPARE(watcher.Seen(), 1);
        QVERIFY(Button(d, QStringLiteral("optSmoke_0"))->isChecked());
        QVERIFY(Control<QWidget>(d, QStringLiteral("fraComplement"))->isHidden());
        QCOMPARE(Control<QScrollBar>(d, QStringLiteral("hsbBlueNum"))->value(), 60);
        QCOMPARE(Control<QComboBox>(d, QStringLiteral("cmbAirPlane"))->currentIndex(), 4);

        Button(d, QStringLiteral("cmdCancel"))->click();
        QCOMPARE(Stored(), SaverSettings{});
    }

    void cancelledPresetsStillDiscardUnsavedEdits()
    {
        SaverSettings stored;
        stored.BlueStep = 20;
        OpenOptions open(stored);
        QWidget* d = open.dialog.get();
        TypeInto(Box(d, QStringLiteral("txtStep")), QStringLiteral("5"));
        Button(d, QStringLiteral("optBgMode_2"))->click();
        Control<QComboBox>(d, QStringLiteral("cmbAirPlane"))->setCurrentIndex(7);
        ModalWatcher watcher([](QWidget* presets) { Button(presets, QStringLiteral("cmdCancel"))->click(); });
        Button(d, QStringLiteral("cmdDefaultSelect"))->click();
        QCOMPARE(watcher.Seen(), 1);
        QCOMPARE(Box(d, QStringLiteral("txtStep"))->text(), QStringLiteral("20"));
        QVERIFY(Button(d, QStringLiteral("optBgMode_0"))->isChecked());
        QCOMPARE(Control<QComboBox>(d, QStringLiteral("cmbAirPlane"))->currentIndex(), 7);
    }
};

DIALOG_TEST_MAIN(PresetTests)
#include "PresetTests.moc"
