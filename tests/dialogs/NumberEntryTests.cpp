// Typing into the number boxes and moving their scroll bars.

#include "DialogTestSupport.h"

#include <QScrollBar>

class NumberEntryTests : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OpenOptions> open_;
    QWidget* dialog() const { return open_->dialog.get(); }
    QScrollBar* bar(const char* name) const { return Control<QScrollBar>(dialog(), QLatin1String(name)); }
    QLineEdit* box(const char* name) const { return Box(dialog(), QLatin1String(name)); }

    // Ends the edit of the focused box the way a user does, by moving to another control.
    void leaveBox() const { Button(dialog(), QStringLiteral("cmdVersion"))->setFocus(); }

private slots:
    void init() { open_ = std::make_unique<OpenOptions>(SaverSettings{}); }
    void cleanup() { open_.reset(); }

    void aircraftCountTooLargeResetsToOne()
    {
        TypeInto(box("txtBlueNum"), QStringLiteral("250"));
        QCOMPARE(box("txtBlueNum")->text(), QStringLiteral("1"));
        QCOMPARE(bar("hsbBlueNum")->value(), 1);
    }

    void aircraftCountIgnoresZeroAndLetters()
    {
        TypeInto(box("txtBlueNum"), QStringLiteral("40"));
        QCOMPARE(bar("hsbBlueNum")->value(), 40);
        TypeInto(box("txtBlueNum"), QStringLiteral("0"));
        QCOMPARE(box("txtBlueNum")->text(), QStringLiteral("0"));
        QCOMPARE(bar("hsbBlueNum")->value(), 40);
        TypeInto(box("txtBlueNum"), QStringLiteral("abc"));
        leaveBox();
        QCOMPARE(bar("hsbBlueNum")->value(), 40);
    }

    void clearedWaitMeansNoWait()
    {
        TypeInto(box("txtSpeed"), QStringLiteral("20"));
        QCOMPARE(bar("hsbSpeed")->value(), 20);
        TypeInto(box("txtSpeed"), QString());
        QCOMPARE(bar("hsbSpeed")->value(), 0);
    }

    void clearedStepChangesNothing()
    {
        TypeInto(box("txtStep"), QString());
        leaveBox();
        QCOMPARE(box("txtStep")->text(), QString());
        QCOMPARE(bar("hsbStep")->value(), 27);
    }

    void clearedSmokeLengthResetsWhenTheEditEnds()
    {
        TypeInto(box("txtSmokeOnCount"), QString());
        leaveBox();
        QCOMPARE(box("txtSmokeOnCount")->text(), QStringLiteral("50"));
        QCOMPARE(bar("hsbSmokeOnCount")->value(), 50);
    }

    // The first digits of 120 read as 1 and 12, below the minimum of 50.
    void smokeLengthCanBeTypedDigitByDigit()
    {
        TypeInto(box("txtSmokeOnCount"), QStringLiteral("120"));
        QCOMPARE(box("txtSmokeOnCount")->text(), QStringLiteral("120"));
        QCOMPARE(bar("hsbSmokeOnCount")->value(), 120);
    }

    void volumeTooLargeResetsToMiddle()
    {
        TypeInto(box("txtVolume"), QStringLiteral("5000"));
        QCOMPARE(box("txtVolume")->text(), QStringLiteral("1500"));
        QCOMPARE(bar("hsbVolume")->value(), 1500);
    }

    // The number at the start of the text counts, halves rounding to even.
    void leadingNumberIsRead_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::newRow("trailing letters") << "12abc" << 12;
        QTest::newRow("half down to even") << "12.5" << 12;
        QTest::newRow("half up to even") << "13.5" << 14;
        QTest::newRow("exponent") << "2e1" << 20;
        QTest::newRow("leading blank") << " 7" << 7;
    }
    void leadingNumberIsRead()
    {
        QFETCH(QString, typed);
        QFETCH(int, value);
        TypeInto(box("txtComplementCount"), typed);
        QCOMPARE(bar("hsbComplementCount")->value(), value);
    }

    void scrollBarStepsShowInTheBox()
    {
        bar("hsbBlueNum")->setValue(55);
        QCOMPARE(box("txtBlueNum")->text(), QStringLiteral("55"));
        bar("hsbSmokeOnCount")->setValue(100);
        bar("hsbSmokeOnCount")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(box("txtSmokeOnCount")->text(), QStringLiteral("150"));
        bar("hsbVolume")->setValue(0);
        bar("hsbVolume")->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(box("txtVolume")->text(), QStringLiteral("300"));
    }

    void storedValuesOutsideTheRangesOpenWithTheResetValues()
    {
        SaverSettings stored;
        stored.BlueCount = 150;
        stored.BlueStep = 31;
        stored.SmokeLength = 20;
        stored.ComplementCount = -5;
        stored.SoundVolume = 4000;
        stored.BlueWait = 51;
        open_ = std::make_unique<OpenOptions>(stored);
        const std::pair<const char*, int> expected[] = {{"BlueNum", 1},      {"Step", 1},
                                                        {"SmokeOnCount", 50}, {"ComplementCount", 0},
                                                        {"Volume", 1500},     {"Speed", 0}};
        for (const auto& [name, value] : expected) {
            QCOMPARE(box(qPrintable(QStringLiteral("txt") + QLatin1String(name)))->text(), QString::number(value));
            QCOMPARE(bar(qPrintable(QStringLiteral("hsb") + QLatin1String(name)))->value(), value);
        }
    }
};

DIALOG_TEST_MAIN(NumberEntryTests)
#include "NumberEntryTests.moc"
