#include "LeadingNumber.h"

#include <QTest>

#include <cmath>

class LeadingNumberTests : public QObject {
    Q_OBJECT
private slots:
    void readsTheNumberAtTheStart_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("digits") << "250" << 250.0;
        QTest::newRow("trailing letters") << "12abc" << 12.0;
        QTest::newRow("leading blanks") << "  7" << 7.0;
        QTest::newRow("letters only") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("decimal") << "2.5" << 2.5;
        QTest::newRow("decimal without integer part") << ".5" << 0.5;
        QTest::newRow("point only") << "." << 0.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("exponent without digits") << "12e" << 12.0;
        QTest::newRow("blank inside stops") << "1 5" << 1.0;
    }
    void readsTheNumberAtTheStart()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(ReadLeadingNumber(text), expected);
    }

    void hugeNumbersStayOrdered()
    {
        QVERIFY(ReadLeadingNumber(u"1e999") > 3000);
        QVERIFY(ReadLeadingNumber(u"99999999999999999999") > 3000);
        QVERIFY(ReadLeadingNumber(u"-1e999") < 0);
    }

    void roundsHalvesToEven()
    {
        QCOMPARE(RoundHalfEven(2.5), 2.0);
        QCOMPARE(RoundHalfEven(3.5), 4.0);
        QCOMPARE(RoundHalfEven(-2.5), -2.0);
        QCOMPARE(RoundHalfEven(0.49), 0.0);
        QCOMPARE(RoundHalfEven(100.51), 101.0);
    }
};

QTEST_APPLESS_MAIN(LeadingNumberTests)
#include "LeadingNumberTests.moc"
