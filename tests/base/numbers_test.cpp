#include "testmain.h"

#include "base/numbers.h"
#include "base/text.h"

#include <limits>

using namespace lvx;
using namespace Qt::StringLiterals;

class NumbersTest : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addRow("plain digits") << u"300"_s << 300.0;
        QTest::addRow("trailing text is ignored") << u"300ms"_s << 300.0;
        QTest::addRow("sign and fraction") << u"-12.75x"_s << -12.75;
        QTest::addRow("text first reads as zero") << u"abc12"_s << 0.0;
        QTest::addRow("a dot without digits ends the number") << u"7."_s << 7.0;
        QTest::addRow("no exponent") << u"1e5"_s << 1.0;
        QTest::addRow("a tab is not a blank") << u"\t5"_s << 0.0;
        QTest::addRow("comma is not a decimal point") << u"2,5"_s << 2.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(lvx::leadingNumber(text), expected);
    }

    void roundingHalvesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::addRow("0.5 goes down to 0") << 0.5 << 0.0;
        QTest::addRow("1.5 goes up to 2") << 1.5 << 2.0;
        QTest::addRow("-2.5 goes to -2") << -2.5 << -2.0;
        QTest::addRow("-3.5 goes to -4") << -3.5 << -4.0;
    }
    void roundingHalvesToEven()
    {
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(roundHalfEven(value), expected);
    }

    void hugeNumbersClampToSixteenBits()
    {
        QCOMPARE(toInt16(lvx::leadingNumber(QString(10000, u'9'))), std::numeric_limits<qint16>::max());
        QCOMPARE(toInt16(lvx::leadingNumber(u"-99999999"_s)), std::numeric_limits<qint16>::min());
        QCOMPARE(toInt32(1e300), std::numeric_limits<qint32>::max());
        QVERIFY(!fitInt16(32767.6).has_value());
        QCOMPARE(fitInt16(-32768.0).value(), qint16(-32768));
    }

    void wholeIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");   // -99999 for "not a number"
        QTest::addRow("digits") << u"24"_s << 24;
        QTest::addRow("fraction rounds half to even") << u"2.5"_s << 2;
        QTest::addRow("trailing text refuses") << u"12abc"_s << -99999;
        QTest::addRow("text refuses") << u"mapper"_s << -99999;
        QTest::addRow("too large clamps") << u"70000"_s << 32767;
    }
    void wholeIntegers()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto parsed = parseInt16(text);
        QCOMPARE(parsed ? int(*parsed) : -99999, expected);
    }

    void blanksAreSpacesOnly()
    {
        QCOMPARE(trimBlanks(u"  a b  "_s), u"a b"_s);
        QCOMPARE(trimBlanks(u"\ta\t"_s), u"\ta\t"_s);
        QCOMPARE(trimBlanks(u"\u00a0x"_s), u"\u00a0x"_s);
    }
};

LIRAVOX_TEST_MAIN(NumbersTest)
#include "numbers_test.moc"
