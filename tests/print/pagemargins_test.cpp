#include "testmain.h"

#include "print/pagemargins.h"
#include "print/previewscale.h"

using namespace lvx::print;
using namespace Qt::StringLiterals;

class PageMarginsTest : public QObject
{
    Q_OBJECT

private slots:
    void marginBoxesReadInches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("twips");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("shown");
        QTest::addRow("decimal comma reads as a point") << u"0,5"_s << 720 << true << u"0.50 inch."_s;
        QTest::addRow("the unit after the number is ignored") << u"1.00 inch."_s << 1440 << true << u"1.00 inch."_s;
        QTest::addRow("a quarter inch is too small") << u"0.25"_s << 360 << false << QString();
        QTest::addRow("just over a quarter inch is enough") << u"0.26"_s << 374 << true << u"0.26 inch."_s;
        QTest::addRow("4000 twips is too large") << u"2.7778"_s << 4000 << false << QString();
        QTest::addRow("text that is no number reads as zero") << u"wide"_s << 0 << false << QString();
        QTest::addRow("a negative margin is refused") << u"-1"_s << -1440 << false << QString();
        QTest::addRow("a huge number stays within 16 bits") << u"99999"_s << 32767 << false << QString();
    }
    void marginBoxesReadInches()
    {
        QFETCH(QString, text);
        QFETCH(int, twips);
        QFETCH(bool, accepted);
        QFETCH(QString, shown);
        const qint16 value = marginTwips(text);
        QCOMPARE(int(value), twips);
        QCOMPARE(marginInRange(value), accepted);
        if (accepted)
            QCOMPARE(formatMargin(value), shown);
    }

    void previewFitsThePageAndZoomsAroundTheClick_data()
    {
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<int>("height");
        QTest::addColumn<QSize>("base");
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<QPoint>("scroll");
        QTest::addColumn<QPoint>("zoomedScroll");
        // Letter: 12240 x 15840 twips.
        QTest::addRow("letter fitted to 792 pixels, click at the centre")
            << QSizeF(12240, 15840) << 792 << QSize(612, 792) << QPoint(306, 396) << QPoint(0, 0) << QPoint(306, 396);
        QTest::addRow("landscape page is wider than high")
            << QSizeF(15840, 12240) << 612 << QSize(792, 612) << QPoint(100, 50) << QPoint(0, 0) << QPoint(100, 50);
        QTest::addRow("a page of no size still gives a picture")
            << QSizeF(0, 0) << 0 << QSize(1, 1) << QPoint(0, 0) << QPoint(0, 0) << QPoint(0, 0);
    }
    void previewFitsThePageAndZoomsAroundTheClick()
    {
        QFETCH(QSizeF, page);
        QFETCH(int, height);
        QFETCH(QSize, base);
        QFETCH(QPoint, click);
        QFETCH(QPoint, scroll);
        QFETCH(QPoint, zoomedScroll);
        PreviewScale scale = PreviewScale::fit(page, height);
        QCOMPARE(scale.pictureSize(), base);
        QCOMPARE(scale.ScaleNum(), 1);

        QCOMPARE(scale.toggle(click, click - scroll), zoomedScroll);
        QCOMPARE(scale.ScaleNum(), 2);
        QCOMPARE(scale.pictureSize(), base * 2);
        // The clicked spot of the page stays where the pointer is.
        QCOMPARE(click * 2 - zoomedScroll, click - scroll);

        QCOMPARE(scale.toggle(click * 2, click * 2 - zoomedScroll), QPoint(0, 0));
        QCOMPARE(scale.ScaleNum(), 1);
        QCOMPARE(scale.pictureSize(), base);
    }
};

LIRAVOX_TEST_MAIN(PageMarginsTest)

#include "pagemargins_test.moc"
