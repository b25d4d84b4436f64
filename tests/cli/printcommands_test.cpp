#include "testmain.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

using lvx::test::Run;
using lvx::test::run;

Run runLvx(const QStringList& arguments)
{
    return run(QStringLiteral(LVX_PATH), arguments);
}

// The PDF's text with its layout, one string per page.
QStringList pdfPages(const QString& pdf)
{
    const Run text = run(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    QStringList pages = text.out.split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

struct PlacedWord
{
    QString text;
    double x;
    double y;
};

// The words of the PDF with their positions, in points.
QList<PlacedWord> pdfWords(const QString& pdf)
{
    const Run html = run(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
    static const QRegularExpression word(uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"_s);
    QList<PlacedWord> words;
    for (const QRegularExpressionMatch& match : word.globalMatch(html.out))
        words.append({match.captured(3), match.captured(1).toDouble(), match.captured(2).toDouble()});
    return words;
}

// The titles of the PDF's bookmarks, as a PDF tool reads them.
QStringList bookmarks(const QString& pdf)
{
    const Run json = run(u"qpdf"_s, {u"--json"_s, u"--json-key=outlines"_s, pdf});
    QStringList titles;
    for (const QJsonValue& item : QJsonDocument::fromJson(json.out.toUtf8())[u"outlines"_s].toArray())
        titles.append(item[u"title"_s].toString());
    return titles;
}

// The PDF's document information, "Title: ..." one a line, as pdfinfo reads it.
QString pdfInfo(const QString& pdf)
{
    return run(u"pdfinfo"_s, {pdf}).out;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class PrintCommandsTest final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty() || QStandardPaths::findExecutable(u"qpdf"_s).isEmpty())
            QSKIP("pdftotext (poppler-utils) or qpdf is not installed");
    }

    void songPrintsWithChordsOverSyllables()
    {
        const QString pdf = m_dir.filePath(u"song.pdf"_s);
        QCOMPARE(runLvx({u"pdf"_s, u"--page-size"_s, u"A4"_s, u"-o"_s, pdf, lvx::test::dataFile(u"example.cho"_s)}).exitCode, 0);
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages.first().contains(u"Example - Walkthrough"_s));
        QVERIFY(pages.first().contains(QRegularExpression(u"Page 1\\s*$"_s)));
        // Each chord stands just above its syllable, at most one blank before it.
        const QList<PlacedWord> words = pdfWords(pdf);
        const auto find = [&words](const QString& text) {
            return *std::find_if(words.begin(), words.end(), [&text](const PlacedWord& w) { return w.text == text; });
        };
        const PlacedWord hello = find(u"Hello"_s), world = find(u"world"_s), c = find(u"C"_s), g = find(u"G"_s);
        QVERIFY(c.y < hello.y && hello.y - c.y < 12);
        QCOMPARE(c.x, hello.x);
        // The classic faces songs name come out in their free look-alikes, never a script face.
        const QString fonts = run(u"pdffonts"_s, {pdf}).out;
        QVERIFY2(fonts.contains(u"ComicNeue"_s) && fonts.contains(u"LiberationSans"_s), qPrintable(fonts));
        QVERIFY2(g.x <= world.x + 0.5 && g.x >= world.x - 3, qPrintable(QString::number(g.x) + u' ' + QString::number(world.x)));
        QCOMPARE(bookmarks(pdf), QStringList{u"Example"_s});
        const QString info = pdfInfo(pdf);
        QVERIFY2(info.contains(QRegularExpression(u"^Title: +Example *\n"_s, QRegularExpression::MultilineOption))
                     && info.contains(QRegularExpression(u"^Author: +Someone\n"_s, QRegularExpression::MultilineOption)),
                 qPrintable(info));
    }

    // A missing entry and a blank line in the album are skipped, the missing one with a message.
    void bookOpensWithContentsAndBookmarks_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("contents");   // its lines, leaders left out; none: as contents-ref.txt
        QTest::addRow("contents by title") << QStringList{u"--contents-sorted"_s} << QStringList();
        QTest::addRow("by artist alone: album order, then by artist")
            << QStringList{u"--contents-by-artist"_s}
            << QStringList{u"Contents"_s, u"Zebra 3"_s, u"apple 5"_s, u"No Title 6"_s, u"Contents - Songbook Page 1"_s,
                           u"Contents by artist"_s, u"Ann"_s, u"apple 5"_s, u"Zed"_s, u"Zebra 3"_s, u"Unknown artist"_s,
                           u"No Title 6"_s, u"Contents - Songbook Page 2"_s};
    }
    void bookOpensWithContentsAndBookmarks()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, contents);
        QString songs = m_dir.filePath(u"gone.cho"_s) + u"\r\n\r\n";
        for (const auto& [name, text] : {std::pair{"z.cho", "{t:Zebra}\r\n{artist: Zed}\r\n{np}\r\n[C]two pages\r\n"},
                                         std::pair{"a.cho", "{t:apple}\r\n{meta: artist Ann}\r\n[G]one page\r\n"},
                                         std::pair{"No Title.cho", "[D]no title\r\n"}}) {
            writeFile(m_dir.filePath(QString::fromUtf8(name)), text);
            songs += m_dir.filePath(QString::fromUtf8(name)) + u"\r\n";
        }
    const QString album = m_dir.filePath(u"Songbook.abm"_s);
        writeFile(album, songs.toUtf8());
        const QString pdf = m_dir.filePath(u"songbook.pdf"_s);
        const Run printed = runLvx(QStringList{u"pdf"_s} + options + QStringList{u"--page-size"_s, u"A4"_s, u"-o"_s, pdf, album});
        QCOMPARE(printed.exitCode, 0);
        QCOMPARE(printed.error, m_dir.filePath(u"gone.cho"_s) + u" file not found\n");
        QStringList pages = pdfPages(pdf);
        const qsizetype total = pages.size();
        if (contents.isEmpty()) {
            QCOMPARE(total, 5);
            QFile golden(lvx::test::dataFile(u"contents-ref.txt"_s));
            QVERIFY(golden.open(QIODevice::ReadOnly));
            QCOMPARE(pages.takeFirst(), QString::fromUtf8(golden.readAll()));
        } else {
            QCOMPARE(total, 6);
            static const QRegularExpression leader(u"(\\s+\\.)+\\s+|\\s{2,}"_s);
            const QString byTitle = pages.takeFirst();
            QStringList lines = QString(byTitle + pages.takeFirst()).split(u'\n', Qt::SkipEmptyParts);
            lines.replaceInStrings(leader, u" "_s).replaceInStrings(QRegularExpression(u"^ | $"_s), QString());
            QCOMPARE(lines, contents);
        }
        QVERIFY(pages[0].contains(u"Zebra"_s) && pages[2].contains(u"apple"_s)
                && pages[3].contains(u"Page " + QString::number(total)));
        QCOMPARE(bookmarks(pdf), (QStringList{u"Zebra"_s, u"apple"_s, u"No Title"_s}));
        // A book's title is its name; its songs have no one artist.
        const QString info = pdfInfo(pdf);
        QVERIFY2(info.contains(u"Title:           Songbook\n"_s) && !info.contains(u"Author:"_s), qPrintable(info));
    }

    // "lvx pdf -o songs/*.cho" names a song where the book goes: it is refused,
    // while a PDF there is replaced.
    void pdfReplacesOnlyAPdf()
    {
        const QString song = m_dir.filePath(u"kept.cho"_s);
        const QByteArray text = "{t:Kept}\r\n[C]la\r\n";
        writeFile(song, text);
        const Run refused = runLvx({u"pdf"_s, u"-o"_s, song, song});
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(refused.error, u"Cannot save file "_s + song + u": it is not a PDF file, and saving would replace what it holds\n"_s);
        QFile kept(song);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), text);
        const QString pdf = m_dir.filePath(u"again.pdf"_s);
        for (int run = 0; run < 2; ++run)
            QCOMPARE(runLvx({u"pdf"_s, u"-o"_s, pdf, song}).exitCode, 0);
        QVERIFY(pdfPages(pdf).first().contains(u"Kept"_s));
    }

};

} // namespace

LIRAVOX_TEST_MAIN(PrintCommandsTest)
#include "printcommands_test.moc"
