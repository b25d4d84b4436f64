#include "recordingsurface.h"
#include "testmain.h"

#include "../song/songfixture.h"

#include "print/printjob.h"
#include "song/globaldictionary.h"

using namespace lvx;
using namespace lvx::print;
using namespace Qt::StringLiterals;

namespace {

QString longSong(int lines)
{
    QString text = u"{t:Long}\r\n"_s;
    for (int i = 0; i < lines; ++i)
        text += u"[C]line [G7]number [Am]" + QString::number(i) + u"\r\n";
    return text;
}

int footers(const RecordingSurface& surface)
{
    int count = 0;
    for (const QString& call : surface.calls)
        count += call.contains(u"[Page "_s) ? 1 : 0;
    return count;
}

} // namespace

class PrintJobTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void oneSongOnePage()
    {
        SongFixture f;
        f.song.LoadFile();
        f.song.StringToLinesRec(u"{t:Short}\r\n[C]one [G]line"_s);
        RecordingSurface printer;
        PrintJob job(f.context, nullptr);
        job.PrintSongPages(printer, f.song);
        QCOMPARE(printer.page, 1);
        QCOMPARE(footers(printer), 1);
        QCOMPARE(job.state.UsedChords.size(), 2);
    }

    void previewShowsOnePageAndKnowsTheLast()
    {
        SongFixture f;
        f.song.LoadFile();
        f.song.StringToLinesRec(longSong(150));
        RecordingSurface printer;
        PrintJob job(f.context, nullptr);
        job.PrintSongPages(printer, f.song);
        const int pages = printer.page;
        QVERIFY(pages >= 3);

        RecordingSurface picture;
        RecordingSurface reference;
        int page = 2;
        QVERIFY(!job.RenderPreviewPage(picture, reference, f.song, page));
        QCOMPARE(page, 2);
        // The picture holds page 2 alone; the printer only measured.
        QCOMPARE(footers(picture), 1);
        QCOMPARE(picture.callsOf(u"text"_s).filter(u"[Page 2]"_s).size(), 1);
        QVERIFY(reference.callsOf(u"text"_s).isEmpty());
        QVERIFY(reference.calls.contains(u"discard"_s));

        int last = pages;
        RecordingSurface lastPicture;
        QVERIFY(job.RenderPreviewPage(lastPicture, reference, f.song, last));
        QCOMPARE(last, pages);
        int beyond = pages + 5;
        RecordingSurface beyondPicture;
        QVERIFY(job.RenderPreviewPage(beyondPicture, reference, f.song, beyond));
        QCOMPARE(beyond, pages);
    }

    void hostileLayoutsEndWithoutLooping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addRow("margins of zero") << u"{left_margin:0}\r\n{top_margin:0}\r\n{botton_margin:0}\r\n[C]x"_s;
        QTest::addRow("negative margins") << u"{left_margin:-5000}\r\n{botton_margin:-9000}\r\n[C]x"_s;
        QTest::addRow("margins larger than the page") << u"{top_margin:30000}\r\n{botton_margin:30000}\r\n[C]x\r\n[G]y"_s;
        QTest::addRow("font sizes 0 and 500") << u"{font:Lyric,Arial,0,0,false,false}\r\n{font:Chord,Arial,500,0,false,false}\r\n[C]x [G]y"_s;
        QTest::addRow("unknown chord types") << u"[Cxyz]a [Q7]b [H]c [C/Z]d"_s;
        QTest::addRow("angle brackets in lyrics") << u"a < b\r\n<LF:99999>\r\n<FS:99999>x"_s;
        QTest::addRow("five thousand lines") << longSong(5000);
    }
    void hostileLayoutsEndWithoutLooping()
    {
        QFETCH(QString, text);
        SongFixture f;
        f.song.LoadFile();
        f.song.StringToLinesRec(text);
        song::Song dictionary(f.context);
        song::loadGlobalDictionary(dictionary);
        for (const QString& instrument : {u"Guitar"_s, u"Piano"_s}) {
            f.context.app.instrument = instrument;
            RecordingSurface printer;
            PrintJob job(f.context, &dictionary);
            job.PrintSongPages(printer, f.song);
            // At worst a page a markup line, the page the last break opens, and one for diagrams.
            QVERIFY(printer.page <= job.state.MarkupLines.size() + 2);
            QCOMPARE(footers(printer), printer.page);
        }
    }
};

LIRAVOX_TEST_MAIN(PrintJobTest)
#include "printjob_test.moc"
