#include "testmain.h"

#include "print/imagesurface.h"
#include "print/pdfsurface.h"

#include <QBuffer>

using namespace lvx::print;
using namespace Qt::StringLiterals;

namespace {

const QSizeF Letter(12240, 15840);

int darkPixels(const QImage& image)
{
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    }
    return dark;
}

} // namespace

class SurfacesTest : public QObject
{
    Q_OBJECT

private slots:
    void pdfPagesAndSize()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            PdfSurface pdf(&buffer, QPageSize(QPageSize::Letter), Orientation::Landscape, u"Book"_s);
            QCOMPARE(pdf.ScaleWidth(), 15840.0);
            QCOMPARE(pdf.ScaleHeight(), 12240.0);
            pdf.Print(u"one"_s);
            pdf.NewPage();
            pdf.Print(u"two"_s);
            QCOMPARE(pdf.Page(), 2);
        }
        const QByteArray bytes = buffer.data();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2);
    }

    // The preview picture and the PDF lay text out alike, so the preview shows
    // the printed page.
    void pictureAndPaperMeasureAlike_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<double>("size");
        QTest::addRow("lyrics") << u"Comic Sans MS"_s << 10.0;
        QTest::addRow("chords") << u"Arial"_s << 8.0;
        QTest::addRow("tablature") << u"Courier New"_s << 10.0;
        QTest::addRow("title") << u"Comic Sans MS"_s << 20.0;
    }
    void pictureAndPaperMeasureAlike()
    {
        QFETCH(QString, face);
        QFETCH(double, size);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        PdfSurface pdf(&buffer, QPageSize(QPageSize::Letter), Orientation::Portrait);
        ImageSurface picture(QSize(612, 792), Letter);
        for (Surface* surface : {static_cast<Surface*>(&pdf), static_cast<Surface*>(&picture)}) {
            surface->FontName = face;
            surface->FontSize = size;
        }
        const QString text = u"Swing low, sweet chariot"_s;
        QVERIFY(qAbs(pdf.TextWidth(text) - picture.TextWidth(text)) < pdf.TextWidth(text) * 0.01);
        QVERIFY(qAbs(pdf.TextHeight(text) - picture.TextHeight(text)) < 2);
        // A 10-point line is about 14 points tall: 280 twips.
        QVERIFY(pdf.TextHeight(text) > size * 20 && pdf.TextHeight(text) < size * 20 * 1.6);
    }

    void pictureDrawsAndClears()
    {
        ImageSurface picture(QSize(612, 792), Letter);
        QCOMPARE(darkPixels(picture.image()), 0);
        picture.FontSize = 20;
        picture.CurrentX = 1440;
        picture.CurrentY = 1440;
        picture.Print(u"Amazing grace"_s);
        picture.Line(1440, 3000, 10000, 3000);
        picture.FillColor = 0;
        picture.Circle(5000, 5000, 200, true);
        QVERIFY(picture.CurrentX > 1440 + 2000);
        QVERIFY(darkPixels(picture.image()) > 200);
        picture.Clear();
        QCOMPARE(darkPixels(picture.image()), 0);
    }

    void hostileFontSizes()
    {
        ImageSurface picture(QSize(100, 100), Letter);
        for (const double size : {0.0, -4.0, 500.0}) {
            picture.FontSize = size;
            picture.Print(u"x"_s);
            QVERIFY(picture.TextHeight(u"x"_s) > 0);
        }
    }
};

LIRAVOX_GUI_TEST_MAIN(SurfacesTest)
#include "surfaces_test.moc"
