#include "testmain.h"

#include "print/imagesurface.h"
#include "print/paintersurface.h"
#include "print/pdfwriter/pdfdocumentsurface.h"
#include "print/pdfwriter/pdfsyntax.h"
#include "print/pdfwriter/sfntfont.h"

#include <QBuffer>
#include <QScopeGuard>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>

#include <array>
#include <cmath>
#include <limits>

using namespace lvx::print;
using namespace Qt::StringLiterals;

namespace {

using lvx::test::Run;
using lvx::test::run;

bool havePoppler()
{
    return !QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty();
}

// A word as drawn: where its top-left went and how wide the surface said it was, in points.
struct DrawnWord
{
    QString text;
    double x, y, width;
    bool ownFace;  // false when a stand-in face draws it (its top differs)
};

struct Font
{
    QString name;
    double size;
    bool bold, italic;
};

// Prints a phrase at (x, y) twips and notes each of its words.
void phrase(PdfDocumentSurface& pdf, QList<DrawnWord>& words, const Font& font, double x, double y, const QString& text,
            bool ownFace = true)
{
    pdf.FontName = font.name;
    pdf.FontSize = font.size;
    pdf.FontBold = font.bold;
    pdf.FontItalic = font.italic;
    pdf.CurrentX = x;
    pdf.CurrentY = y;
    pdf.Print(text);
    qsizetype start = 0;
    for (const QString& word : text.split(u' ')) {
        const double left = x + pdf.TextWidth(text.left(start));
        words.append({word, left / 20, y / 20, pdf.TextWidth(word) / 20, ownFace});
        start += word.size() + 1;
    }
}

const Font Title{u"Comic Sans MS"_s, 20, true, false};
const Font Lyrics{u"Comic Sans MS"_s, 10, false, false};
const Font ChordFont{u"Arial"_s, 8, false, true};
const Font Serif{u"Times New Roman"_s, 12.5, false, false};
const Font Tablature{u"Courier New"_s, 9, true, false};

// Two pages with what a song page holds: a title, lyrics with accents and
// Cyrillic (which Comic Neue lacks), coloured chords, lines, dots, a filled
// key; the second page in two more faces. Numbered pages may follow.
QByteArray sampleDocument(QList<DrawnWord>& words, int compression = 0, int numberedPages = 0)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PdfDocumentSurface pdf(&buffer, Paper::A4, Orientation::Portrait);
    pdf.setDocumentInfo(u"Canción de prueba"_s, {});
    pdf.setPageCompression(compression);
    phrase(pdf, words, Title, 1440, 1440, u"Amazing Grace"_s);
    pdf.ForeColor = 0x0000FF;  // red
    phrase(pdf, words, ChordFont, 1440, 2200, u"Am7 D/F#"_s);
    pdf.ForeColor = 0;
    phrase(pdf, words, Lyrics, 1440, 2400, u"Ñandú été señor"_s);
    phrase(pdf, words, Lyrics, 1440, 2800, u"Привет"_s, false);
    pdf.Line(1440, 3200, 6000, 3200);
    pdf.FillColor = 0xFF0000;  // blue
    pdf.Circle(2000, 4000, 200, true);
    pdf.ForeColor = 0x00C000;  // green
    pdf.Circle(3000, 4000, 200, false);
    // The same corner twice, placed as one figure: green, then black.
    const std::array<LineSegment, 2> corner{{{0, 0, 600, 0}, {0, 0, 0, 600}}};
    pdf.Lines(5000, 5000, corner);
    pdf.ForeColor = 0;
    pdf.Lines(7000, 5000, corner);
    pdf.FillColor = 0;
    pdf.FillRect(4000, 3800, 4200, 4400);
    // A drawing that comes back is placed again once it has come back often
    // enough; half a twip off, it is another. Placed, it leaves pen and font
    // as drawing it did: a word printed after it lands where it did the first
    // time. Its black line stays black after a red one on the page, and its
    // words show whole, the one a stand-in face draws too.
    QPointF penMoved;
    QList<DrawnWord> placedWords;  // from the drawing's origin
    double spaceWidth = 0;
    double afterWidth = 0;
    for (const double y : {6000.0, 7000.0}) {
        for (int place = 0; place < 5; ++place) {
            const QPointF at(1440 + place * 2000 + (y == 7000 ? 0.5 : 0), y);
            pdf.CurrentX = at.x();
            pdf.CurrentY = at.y();
            pdf.FontSize = 30;
            pdf.ForeColor = 0x0000FF;
            pdf.Line(at.x(), at.y() - 300, at.x() + 800, at.y() - 300);
            const qsizetype drawnBefore = words.size();
            drawRecurring(pdf, "line, dot and word", [&] {
                pdf.ForeColor = 0;
                pdf.Line(at.x() + 1000, at.y() + 900, at.x() + 1800, at.y() + 900);
                pdf.ForeColor = 0x0000FF;
                pdf.FillColor = 0xFF0000;
                pdf.Circle(at.x() + 1200, at.y() + 600, 150, true);
                phrase(pdf, words, Lyrics, at.x(), at.y(), u"Placed Ж"_s, false);
            });
            if (words.size() == drawnBefore) {
                for (const DrawnWord& word : std::as_const(placedWords))
                    words.append({word.text, word.x + at.x() / 20, word.y + at.y() / 20, word.width, false});
            } else if (penMoved.isNull()) {
                penMoved = QPointF(pdf.CurrentX, pdf.CurrentY) - at;
                for (qsizetype i = drawnBefore; i < words.size(); ++i)
                    placedWords.append({words[i].text, words[i].x - at.x() / 20, words[i].y - at.y() / 20, words[i].width, false});
                spaceWidth = pdf.TextWidth(u" "_s);
                afterWidth = pdf.TextWidth(u"after"_s);
            }
            const QPointF after = at + penMoved + QPointF(spaceWidth, 0);
            words.append({u"after"_s, after.x() / 20, after.y() / 20, afterWidth / 20, true});
            pdf.Print(u" after"_s);
        }
    }
    pdf.ForeColor = 0;
    pdf.NewPage();
    phrase(pdf, words, Serif, 2000, 1500, u"Second page"_s);
    phrase(pdf, words, Tablature, 2000, 2000, u"e|--3--|"_s);
    phrase(pdf, words, Lyrics, 2000, 2500, u"Grace"_s);
    for (int page = 1; page <= numberedPages; ++page) {
        pdf.NewPage();
        phrase(pdf, words, Serif, 2000, 1500, u"Numbered %1"_s.arg(page));
    }
    pdf.end();
    return buffer.data();
}

QString faceFile(const QString& family)
{
    return run(u"fc-match"_s, {u"-f"_s, u"%{file}"_s, family}).out;
}

const QSizeF Letter(12240, 15840);

class PdfWriterTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QList<DrawnWord> m_words;
    QString m_pdf;

    QString saved(const QByteArray& bytes, const QString& name)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

private slots:
    void initTestCase()
    {
        installFontSubstitutions();
        m_pdf = saved(sampleDocument(m_words), u"sample.pdf"_s);
    }

    // --- Numbers and strings as content streams hold them ---

    void numbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::addRow("whole") << 1440.0 << QByteArray("1440");
        QTest::addRow("rounded to hundredths") << 12.346 << QByteArray("12.35");
        QTest::addRow("negative") << -3.25 << QByteArray("-3.25");
        QTest::addRow("no negative zero") << -0.001 << QByteArray("0");
        QTest::addRow("huge clamped") << 1e15 << QByteArray("1000000000");
        QTest::addRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QByteArray("0");
    }
    void numbers()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        QByteArray out;
        pdf::appendNumber(out, value);
        QCOMPARE(out, text);
    }

    void glyphStringsEscapeOnlyWhatLiteralsCannotHold()
    {
        // '(' and ')' and '\' would end or escape the string; a bare CR would be read as LF.
        const quint16 glyphs[] = {0x0028, 0x5C29, 0x0D41, 0x0102};
        QByteArray out;
        pdf::appendGlyphString(out, glyphs, 4);
        QCOMPARE(out, QByteArray("(\0\\(\\\\\\)\\rA\x01\x02)", 14));
    }

    // --- Faces ---

    // Layout must not move when printing switches surfaces: widths and line
    // heights agree with Qt's unkerned metrics at the same pixel size.
    void facesMeasureAsQtDoes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addRow("lyrics") << u"Comic Sans MS"_s << 10.0 << false << false;
        QTest::addRow("chords") << u"Arial"_s << 8.0 << false << true;
        QTest::addRow("old dialog face") << u"MS Sans Serif"_s << 8.0 << true << true;
        QTest::addRow("serif") << u"Times New Roman"_s << 14.0 << true << true;
    }
    void facesMeasureAsQtDoes()
    {
        QFETCH(QString, name);
        QFETCH(double, size);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        PdfDocumentSurface pdf(&buffer, Paper::A4, Orientation::Portrait);
        pdf.setFont(name, qint16(size), bold, italic);
        QFont font(name, -1, bold ? QFont::Bold : QFont::Normal, italic);
        font.setPixelSize(int(size * 20));
        font.setKerning(false);
        const QFontMetricsF metrics(font);
        const QString text = u"Swing low, sweet chariot (Ñandú) 1234567890"_s;
        QVERIFY(qAbs(pdf.TextWidth(text) - metrics.horizontalAdvance(text)) < metrics.horizontalAdvance(text) * 0.001);
        QVERIFY(qAbs(pdf.TextHeight(text) - metrics.height()) < 1);
    }

    // Whatever the settings, measuring and drawing give finite numbers and a
    // file every page of which renders.
    void oddInputsNeitherCrashNorSpoilTheFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("text");
        QTest::addRow("size zero") << u"Arial"_s << 0.0 << u"tiny"_s;
        QTest::addRow("size 500") << u"Comic Sans MS"_s << 500.0 << u"Big"_s;
        QTest::addRow("no such face") << u"No Such Face 123"_s << 10.0 << u"fallback"_s;
        QTest::addRow("lone surrogate") << u"Arial"_s << 10.0 << QString(QChar(0xD800)) + u"x";
        QTest::addRow("bytes that need escaping") << u"Courier New"_s << 10.0 << u"(\\)"_s;
    }
    void oddInputsNeitherCrashNorSpoilTheFile()
    {
        QFETCH(QString, name);
        QFETCH(double, size);
        QFETCH(QString, text);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            PdfDocumentSurface pdf(&buffer, Paper::A4, Orientation::Portrait);
            pdf.FontName = name;
            pdf.FontSize = size;
            QVERIFY(std::isfinite(pdf.TextWidth(text)) && pdf.TextWidth(text) >= 0);
            QVERIFY(std::isfinite(pdf.TextHeight(text)) && pdf.TextHeight(text) > 0);
            pdf.CurrentX = pdf.CurrentY = 1440;
            pdf.Print(text);
            // Text after the odd one still comes out.
            pdf.setFont(u"Arial"_s, 10, false, false);
            pdf.CurrentX = pdf.CurrentY = 100;
            pdf.Print(u"end"_s);
            pdf.Circle(1000, 1000, -5, true);
            pdf.end();
            pdf.Print(u"after the end"_s);
            pdf.NewPage();
            QCOMPARE(pdf.Page(), 1);
        }
        // The preview picture takes the same settings.
        ImageSurface picture(QSize(100, 100), Letter);
        picture.FontName = name;
        picture.FontSize = size;
        picture.Print(text);
        QVERIFY(std::isfinite(picture.TextWidth(text)) && picture.TextHeight(text) > 0);
        if (!havePoppler())
            QSKIP("poppler-utils is not installed");
        const QString file = saved(buffer.data(), u"odd.pdf"_s);
        const Run rendered = run(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"20"_s, file, m_dir.filePath(u"odd"_s)});
        QCOMPARE(rendered.exitCode, 0);
        QVERIFY2(rendered.error.isEmpty(), qPrintable(rendered.error));
        QVERIFY(run(u"pdftotext"_s, {file, u"-"_s}).out.contains(u"end"_s));
    }

    // Damaged or cut-off font files give no face or a face that measures,
    // never a crash.
    void damagedFontFiles_data()
    {
        QTest::addColumn<int>("keep");           // bytes kept of a real face file
        QTest::addColumn<QByteArray>("madeUp");  // or these instead
        QTest::addRow("empty") << 0 << QByteArray();
        QTest::addRow("cut in the glyph data") << 200000 << QByteArray();
        QTest::addRow("collection claiming a thousand faces")
            << 0 << QByteArray("ttcf\0\1\0\0\0\0\3\xE8", 12) + QByteArray(64, '\xFF');
        QTest::addRow("table directory pointing past the end")
            << 0 << QByteArray("\0\1\0\0\0\3\0\0\0\0\0\0" "glyf\0\0\0\0\x7F\xFF\xFF\xFF\x7F\xFF\xFF\xFF"
                              "loca\0\0\0\0\0\0\0\0\x7F\xFF\xFF\xFF" "cmap\0\0\0\0\0\0\0\0\xFF\xFF\xFF\xFF", 60);
    }
    void damagedFontFiles()
    {
        QFETCH(int, keep);
        QFETCH(QByteArray, madeUp);
        QFile file(faceFile(u"Liberation Sans"_s));
        if (!file.open(QIODevice::ReadOnly))
            QSKIP("Liberation Sans is not installed");
        const QByteArray bytes = madeUp.isEmpty() ? file.readAll().left(keep) : madeUp;
        const auto face = pdf::SfntFont::read(bytes, 0);
        if (face != nullptr) {
            for (const char32_t c : {U'A', U'é', U'Я', U'\U0001F600'})
                QVERIFY(face->advance(face->glyph(c)) >= 0);
        }
    }

    // --- The document, read back by the real tools ---

    // Every cross-reference entry points at its object, and the trailer at the table.
    void crossReferencesPointAtTheirObjects_data()
    {
        QTest::addColumn<int>("compression");
        QTest::addColumn<int>("numberedPages");
        QTest::addRow("plain pages") << 0 << 0;
        QTest::addRow("deflated pages") << 1 << 0;
        // Pages deflated beside the drawing come back to their own page.
        QTest::addRow("deflated book") << 1 << 60;
    }
    void crossReferencesPointAtTheirObjects()
    {
        QFETCH(int, compression);
        QFETCH(int, numberedPages);
        QList<DrawnWord> words;
        const QByteArray pdf = sampleDocument(words, compression, numberedPages);
        QVERIFY(pdf.startsWith("%PDF-1.4\n"));
        // Five times in each of two rows, half a twip apart: two forms.
        static const QRegularExpression drawingForm(u"/Form /BBox \\[[^\\]]*\\] /Resources"_s);
        int made = 0;
        for (auto match = drawingForm.globalMatch(QString::fromLatin1(pdf)); match.hasNext(); match.next())
            ++made;
        QCOMPARE(made, 2);
        QVERIFY(pdf.endsWith("%%EOF\n"));
        const qsizetype startxref = pdf.lastIndexOf("startxref\n");
        const qsizetype table = pdf.mid(startxref + 10).split('\n').first().toLongLong();
        QVERIFY(pdf.mid(table).startsWith("xref\n0 "));
        const QList<QByteArray> lines = pdf.mid(table).split('\n');
        const int count = lines[1].split(' ')[1].toInt();
        QVERIFY(pdf.contains(QByteArray("/Size " + QByteArray::number(count) + ' ')));
        QVERIFY(lines[2].startsWith("0000000000 65535 f"));
        for (int number = 1; number < count; ++number) {
            const QByteArray& entry = lines[2 + number];
            QCOMPARE(entry.size(), 19);  // and its line feed: 20 bytes each
            QVERIFY2(entry.endsWith(" 00000 n "), entry.constData());
            const QByteArray object = QByteArray::number(number).append(" 0 obj\n");
            QCOMPARE(pdf.mid(entry.left(10).toLongLong(), object.size()), object);
        }
        if (!havePoppler())
            return;
        const Run text = run(u"pdftotext"_s, {saved(pdf, u"structure.pdf"_s), u"-"_s});
        QVERIFY2(text.error.isEmpty(), qPrintable(text.error));
        QVERIFY(text.out.contains(u"Amazing Grace"_s));
        const QStringList pages = text.out.split(u'\f');
        QCOMPARE(pages.size(), 2 + numberedPages + 1);  // a form feed ends every page
        for (int page = 1; page <= numberedPages; ++page)
            QCOMPARE(pages[1 + page].trimmed(), u"Numbered %1"_s.arg(page));
    }

    void pagesSizeAndInformation()
    {
        // A date asked for by SOURCE_DATE_EPOCH, the way reproducible builds ask.
        qputenv("SOURCE_DATE_EPOCH", "1700000000");
        const auto unset = qScopeGuard([] { qunsetenv("SOURCE_DATE_EPOCH"); });
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            PdfDocumentSurface pdf(&buffer, Paper::Letter, Orientation::Landscape);
            pdf.setDocumentInfo(u"Songs – Песни"_s, u"Los (Paréntesis)"_s);
            QCOMPARE(QSizeF(pdf.ScaleWidth(), pdf.ScaleHeight()), QSizeF(15840, 12240));
            pdf.NewPage();
            pdf.NewPage();
            QCOMPARE(pdf.Page(), 3);
        }
        if (!havePoppler())
            QSKIP("poppler-utils is not installed");
        const QString info = run(u"pdfinfo"_s, {saved(buffer.data(), u"info.pdf"_s)}).out;
        for (const QString& line : {u"Pages:\\s+3"_s, u"Page size:\\s+792 x 612 pts"_s, u"Title:\\s+Songs – Песни"_s,
                                    u"Author:\\s+Los \\(Paréntesis\\)"_s,
                                    u"Creator:\\s+Liravox"_s, u"PDF version:\\s+1.4"_s, u"CreationDate:.* 2023"_s})
            QVERIFY2(info.contains(QRegularExpression(line + u"\\s"_s)), qPrintable(line + u" in\n"_s + info));
    }

    // Each face goes in once, cut down to the glyphs drawn, however many pages and names use it.
    void facesAreEmbeddedOnce()
    {
        if (!havePoppler())
            QSKIP("poppler-utils is not installed");
        const QStringList rows = run(u"pdffonts"_s, {m_pdf}).out.split(u'\n', Qt::SkipEmptyParts).mid(2);
        QStringList names;
        for (const QString& row : rows) {
            const QStringList columns = row.split(u' ', Qt::SkipEmptyParts);
            QVERIFY2(columns.contains(u"Identity-H"_s) && columns[columns.size() - 5] == u"yes"
                         && columns[columns.size() - 4] == u"yes",
                     qPrintable(row));
            names.append(columns.first());
        }
        for (const QString& face : {u"ComicNeue-Bold"_s, u"ComicNeue-Regular"_s, u"LiberationSans-Italic"_s,
                                    u"LiberationSerif"_s, u"LiberationMono-Bold"_s}) {
            QCOMPARE(names.filter(QRegularExpression(u"^[A-Z]{6}\\+"_s + face + u"(-Identity-H)?$"_s)).size(), 1);
        }
        // Plus the stand-in for the Cyrillic, and nothing else.
        QCOMPARE(names.size(), 6);
    }

    // Text lands where it was drawn, top at the pen, and reaches exactly as
    // far as TextWidth said.
    void wordsLandWhereDrawnAsWideAsMeasured()
    {
        if (!havePoppler())
            QSKIP("poppler-utils is not installed");
        const QString html = run(u"pdftotext"_s, {u"-bbox"_s, m_pdf, u"-"_s}).out;
        static const QRegularExpression pattern(
            uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"_s);
        QList<DrawnWord> found;
        for (const QRegularExpressionMatch& match : pattern.globalMatch(html)) {
            found.append({match.captured(4).replace(u"&amp;"_s, u"&"_s), match.captured(1).toDouble(),
                          match.captured(2).toDouble(), match.captured(3).toDouble() - match.captured(1).toDouble(),
                          true});
        }
        QCOMPARE(found.size(), m_words.size());
        for (qsizetype i = 0; i < found.size(); ++i) {
            const DrawnWord& drawn = m_words[i];
            const DrawnWord& read = found[i];
            QCOMPARE(read.text, drawn.text);
            QVERIFY2(qAbs(read.x - drawn.x) < 0.05 && (!drawn.ownFace || qAbs(read.y - drawn.y) < 0.05)
                         && qAbs(read.width - drawn.width) < drawn.width * 0.01,
                     qPrintable(drawn.text));
        }
    }

    // The page renders upright, each shape where it was drawn, in its colour
    // (red in the low byte).
    void shapesRenderInPlaceAndColour()
    {
        if (QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
            QSKIP("pdftoppm is not installed");
        const QString prefix = m_dir.filePath(u"page"_s);
        const Run rendered = run(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"144"_s, u"-f"_s, u"1"_s, u"-singlefile"_s, m_pdf, prefix});
        QCOMPARE(rendered.exitCode, 0);
        QVERIFY2(rendered.error.isEmpty(), qPrintable(rendered.error));
        const QImage page(prefix + u".png");
        QCOMPARE(page.size(), QSize(1190, 1684));
        // 144 dots per inch: a pixel is ten twips.
        const auto at = [&page](double x, double y) { return page.pixelColor(int(x / 10), int(y / 10)); };
        // Inside the filled circle, inside the hollow one, the filled key, just
        // above it, and the dot of the first and last drawing of each row.
        QCOMPARE((QList<QColor>{at(2000, 4000), at(3000, 4000), at(4100, 4100), at(4100, 3700), at(2640, 6600),
                                at(10640, 6600), at(2641, 7600), at(10641, 7600)}),
                 (QList<QColor>{QColor(0, 0, 255), Qt::white, Qt::black, Qt::white, QColor(0, 0, 255),
                                QColor(0, 0, 255), QColor(0, 0, 255), QColor(0, 0, 255)}));
        const auto near = [&](double x, double y, auto test) {
            bool found = false;
            for (int d = 0; d < 25; ++d)
                found = found || test(page.pixelColor(int(x / 10) + d % 5 - 2, int(y / 10) + d / 5 - 2));
            return found;
        };
        // The hollow circle's green outline, and the line across the page.
        const auto green = [](QColor c) { return c.green() < 230 && c.green() > c.red() + 40; };
        const auto dark = [](QColor c) { return c.lightness() < 200; };
        QVERIFY(near(3200, 4000, green));
        QVERIFY(near(3000, 3200, dark));
        // The corner figure in place both times, each in its own colour, not beyond its lines.
        QVERIFY(near(5300, 5000, green) && near(5000, 5300, green));
        QVERIFY(near(7300, 5000, dark) && near(7000, 5300, dark) && !near(7000, 5000, green));
        QVERIFY(!near(5300, 5300, dark) && !near(7300, 5300, dark));
        // Each placed drawing's black line, and its word as whole as where it was drawn.
        const auto black = [](QColor c) { return c.red() < 90 && c.green() < 90 && c.blue() < 90; };
        QVERIFY(near(2840, 6900, black) && near(10840, 6900, black) && near(10841, 7900, black));
        const auto inked = [&](double left) {
            int count = 0;
            for (int x = int(left / 10); x < int((left + 700) / 10); ++x) {
                for (int y = 600; y < 625; ++y)
                    count += page.pixelColor(x, y).lightness() < 200 ? 1 : 0;
            }
            return count;
        };
        QVERIFY(inked(1440) > 50);
        QCOMPARE(inked(9440), inked(1440));
        // Red chords in the top half of their line, not mirrored to below it.
        bool red = false;
        for (int y = 2200; y < 2320; y += 10)
            red = red || near(1600, y, [](QColor c) { return c.red() > 150 && c.green() < 120 && c.blue() < 120; });
        QVERIFY(red);
        QVERIFY(!near(1600, 2100, [](QColor c) { return c.lightness() < 250; }));
    }
};

} // namespace

LIRAVOX_TEST_MAIN_IMPL(PdfWriterTest, QGuiApplication)
#include "pdfwriter_test.moc"
