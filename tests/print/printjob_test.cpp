#include "recordingsurface.h"
#include "testmain.h"

#include "../song/songfixture.h"

#include "print/album.h"
#include "print/chorddiagram.h"
#include "print/contentspage.h"
#include "print/pagemargins.h"
#include "print/previewscale.h"
#include "print/printjob.h"
#include "song/globaldictionary.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>

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
    return int(surface.calls.filter(u"[Page "_s).size());
}

// The texts drawn on each page, in order.
QList<QStringList> pageTexts(const RecordingSurface& surface)
{
    static const QRegularExpression text(u"^text \\S+ \\S+ \\S+ \\[(.*)\\]$"_s);
    QList<QStringList> pages(1);
    for (const QString& call : surface.calls) {
        if (call == u"newpage")
            pages.append(QStringList());
        else if (const QRegularExpressionMatch match = text.match(call); match.hasMatch())
            pages.last().append(match.captured(1));
    }
    return pages;
}

// The page each song starts on, by its bookmarks.
QMap<QString, int> bookmarkedPages(const RecordingSurface& surface)
{
    static const QRegularExpression bookmark(u"^bookmark (\\d+) \\[(.*)\\]$"_s);
    QMap<QString, int> pages;
    for (const QString& call : surface.calls) {
        if (const QRegularExpressionMatch match = bookmark.match(call); match.hasMatch())
            pages.insert(match.captured(2), match.captured(1).toInt());
    }
    return pages;
}

// The contents lines as drawn: "title page" for a song (a title, a leader of
// dots, a page number), "[name]" for a heading; captions and footers left out.
QStringList contentsLines(const QStringList& texts)
{
    static const QRegularExpression skipped(u"^(Contents|Contents by artist|Contents - Book|Page \\d+)$"_s);
    QStringList lines;
    for (qsizetype index = 0; index < texts.size(); ++index) {
        bool isNumber = false;
        if (index + 2 < texts.size())
            texts[index + 2].toInt(&isNumber);
        if (isNumber && texts[index + 1].startsWith(u'.') && QString(texts[index + 1]).remove(u". "_s) == u".") {
            lines.append(texts[index] + u' ' + texts[index + 2]);
            index += 2;
        } else if (!skipped.match(texts[index]).hasMatch()) {
            lines.append(u'[' + texts[index] + u']');
        }
    }
    return lines;
}

} // namespace

class PrintJobTest final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString song(const QString& name, const QString& text = u"{t:x}\r\n"_s)
    {
        QFile file(m_dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text.toUtf8());
        return file.fileName();
    }

private slots:
    void init() { test::clearSettings(); }

    void previewShowsOnePageAndKnowsTheLast()
    {
        SongFixture f;
        f.song.LoadFile();
        f.song.StringToLinesRec(u"{t:Short}\r\n[C]one [G]line"_s);
        RecordingSurface shortSong;
        PrintJob first(f.context, nullptr);
        first.PrintSongPages(shortSong, f.song);
        QCOMPARE(shortSong.page, 1);
        QCOMPARE(footers(shortSong), 1);
        QCOMPARE(first.state.UsedChords.size(), 2);

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

        // The last page, and one asked for beyond it, show the last page.
        for (int asked : {pages, pages + 5}) {
            RecordingSurface lastPicture;
            QVERIFY(job.RenderPreviewPage(lastPicture, reference, f.song, asked));
            QCOMPARE(asked, pages);
        }
    }

    void bookFindsEverySongAtItsFirstPage_data()
    {
        QTest::addColumn<bool>("contents");
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<bool>("byArtist");
        QTest::addColumn<int>("moreSongs");
        QTest::addColumn<int>("contentsPages");
        QTest::addRow("bookmarks alone, no contents") << false << false << false << 0 << 0;
        QTest::addRow("contents in album order") << true << false << false << 0 << 1;
        QTest::addRow("contents by title, numbers by value") << true << true << false << 12 << 1;
        QTest::addRow("contents running onto a second page") << true << false << false << 60 << 2;
        QTest::addRow("by artist after the titles, both sorted") << true << true << true << 0 << 2;
        QTest::addRow("by artist in album order, both running on") << true << false << true << 60 << 4;
    }
    void bookFindsEverySongAtItsFirstPage()
    {
        QFETCH(bool, contents);
        QFETCH(bool, sorted);
        QFETCH(bool, byArtist);
        QFETCH(int, moreSongs);
        QStringList files{song(u"z.cho"_s, longSong(150).replace(u"{t:Long}"_s, u"{t:Zebra}\r\n{artist: Zed}"_s)),
                          song(u"b.cho"_s, u"{title: Banana}\r\n{meta: artist Ann}\r\n[C]b\r\n"_s),
                          song(u"a.cho"_s, u"{t:apple}\r\n{artist: Ann}\r\n[C]a\r\n"_s), m_dir.filePath(u"gone.cho"_s),
                          song(u"untitled.cho"_s, u"[G]no title\r\n"_s),
                          song(u"m.cho"_s, u"{meta: title The Meadow}\r\n{sorttitle: Meadow, The}\r\n{artist: Bob}\r\n"
                                           u"{sortartist: Able}\r\n[D]m\r\n"_s)};
        QStringList titles{u"Zebra"_s, u"Banana"_s, u"apple"_s, u"untitled"_s, u"The Meadow"_s};
        const QMap<QString, QString> artists{
            {u"Zebra"_s, u"Zed"_s}, {u"Banana"_s, u"Ann"_s}, {u"apple"_s, u"Ann"_s}, {u"The Meadow"_s, u"Bob"_s}};
        for (int number = 1; number <= moreSongs; ++number) {
            titles.append(u"Song " + QString::number(number));
            files.append(song(u"s" + QString::number(number) + u".cho", u"{t:" + titles.last() + u"}\r\n[D]x\r\n"));
        }
        SongFixture f;
        RecordingSurface printer;
        PrintJob job(f.context, nullptr);
        job.PrintAlbum(printer, files, {contents, sorted, byArtist, u"Book"_s});

        // Songs are read once, though contents lay them out twice.
        QCOMPARE(f.messages.texts(), QStringList{m_dir.filePath(u"gone.cho"_s) + u" file not found"});
        const QList<QStringList> pages = pageTexts(printer);
        const QMap<QString, int> bookmarks = bookmarkedPages(printer);
        QCOMPARE(bookmarks.size(), titles.size());
        QTEST(bookmarks.value(u"Zebra"_s) - 1, "contentsPages");
        // A song without a title is found by its lyric.
        for (const QString& title : std::as_const(titles)) {
            const QString shown = title == u"untitled" ? u"no title"_s : title;
            QVERIFY2(pages.value(bookmarks.value(title) - 1).contains(shown), qPrintable(title));
        }

        QStringList listed;
        for (int page = 0; page < bookmarks.value(u"Zebra"_s) - 1; ++page) {
            QCOMPARE(pages[page].last(), u"Page " + QString::number(page + 1));
            QVERIFY(pages[page].contains(u"Contents - Book"_s));
            listed += contentsLines(pages[page]);
        }
        if (sorted) {
            // Case aside, by sort title where a song gives one, numbers by value.
            titles = QStringList{u"apple"_s, u"Banana"_s, u"The Meadow"_s} + titles.mid(5);
            titles.append({u"untitled"_s, u"Zebra"_s});
        }
        const auto line = [&bookmarks](const QString& title) -> QString { return title + u' ' + QString::number(bookmarks.value(title)); };
        QStringList expected;
        for (const QString& title : std::as_const(titles))
            expected.append(line(title));
        // By sort name (Bob sorts as Able), each artist's songs as the first list has them, the unknown last.
        for (const QString& artist : {u"Bob"_s, u"Ann"_s, u"Zed"_s, QString()}) {
            if (!byArtist)
                break;
            expected.append(u'[' + (artist.isEmpty() ? u"Unknown artist"_s : artist) + u']');
            for (const QString& title : std::as_const(titles)) {
                if (artists.value(title) == artist)
                    expected.append(line(title));
            }
        }
        QCOMPARE(listed, contents ? expected : QStringList());
        QCOMPARE(printer.callsOf(u"info"_s), QStringList{u"info [Book] []"_s});
    }

    // 240 twips a line from 1720 (caption and a blank line below the 1000 top
    // margin) to 14840: after 53 songs a heading has room for itself alone.
    void headingNeverEndsAPageAlone_data()
    {
        QTest::addColumn<int>("songsBefore");
        QTest::addColumn<int>("headingPage");
        QTest::addRow("room for the heading and its song") << 52 << 1;
        QTest::addRow("room for the heading alone") << 53 << 2;
    }
    void headingNeverEndsAPageAlone()
    {
        QFETCH(int, songsBefore);
        QList<ContentsLine> lines(songsBefore, ContentsLine{u"Song"_s, 3, false});
        lines.append({{u"Last artist"_s, 0, true}, {u"Final"_s, 9, false}});
        SongFixture f;
        song::Song look(f.context);
        look.resetForLoad();
        PrintState state;
        RecordingSurface page;
        const int pages = DrawContentsPages(page, state, look, f.messages, u"Contents by artist"_s, lines);
        QTEST(pages, "headingPage");
        const QList<QStringList> texts = pageTexts(page);
        QCOMPARE(texts.size(), pages);
        QVERIFY(texts.last().contains(u"Last artist"_s) && texts.last().contains(u"Final"_s));
    }

    void documentTellsTitleAndAuthor_data()
    {
        QTest::addColumn<QStringList>("songs");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("contents");
        QTest::addColumn<QString>("info");
        const QString ann = u"{t:apple}\r\n{artist: Ann}\r\n[C]a\r\n"_s;
        const QString annAgain = u"{meta: title Banana}\r\n{meta: artist Ann}\r\n[C]b\r\n"_s;
        const QString zed = u"{t:Zebra}\r\n{artist: Zed}\r\n[C]z\r\n"_s;
        const QString nobody = u"[G]no title\r\n"_s;
        QTest::addRow("one song: its title and artist") << QStringList{ann} << QString() << false << u"[apple] [Ann]"_s;
        QTest::addRow("one song titled by meta") << QStringList{annAgain} << QString() << false << u"[Banana] [Ann]"_s;
        QTest::addRow("one untitled song: its file name") << QStringList{nobody} << QString() << false << u"[song0] []"_s;
        QTest::addRow("an album of one song: the album's name") << QStringList{ann} << u"Book"_s << false << u"[Book] [Ann]"_s;
        QTest::addRow("a book of one artist") << QStringList{ann, annAgain} << u"Book"_s << false << u"[Book] [Ann]"_s;
        QTest::addRow("a book with contents, one artist") << QStringList{ann, annAgain} << u"Book"_s << true << u"[Book] [Ann]"_s;
        QTest::addRow("a book of two artists names none") << QStringList{ann, zed} << u"Book"_s << true << u"[Book] []"_s;
        QTest::addRow("a song without an artist names none") << QStringList{ann, nobody} << u"Book"_s << false << u"[Book] []"_s;
        QTest::addRow("songs without a book's name") << QStringList{ann, annAgain} << QString() << false << u"[] [Ann]"_s;
    }
    void documentTellsTitleAndAuthor()
    {
        QFETCH(QStringList, songs);
        QFETCH(QString, name);
        QFETCH(bool, contents);
        QStringList files;
        for (const QString& text : std::as_const(songs))
            files.append(song(u"song" + QString::number(files.size()) + u".cho", text));
        SongFixture f;
        RecordingSurface printer;
        PrintJob job(f.context, nullptr);
        job.PrintAlbum(printer, files, {contents, false, false, name});
        QFETCH(QString, info);
        // Told once, whatever the pages.
        QCOMPARE(printer.callsOf(u"info"_s), QStringList{u"info " + info});
    }

    // A book reuses the fingerings it chose for songs without their own, but a
    // song that defines its chord draws its own shape.
    void bookDiagramsFollowEachSongsOwnFingering()
    {
        const QStringList files{song(u"a.cho"_s, u"{t:A}\r\n[Cm7]la\r\n"_s),
                                song(u"b.cho"_s, u"{t:B}\r\n{define: Cm7 base-fret 8 frets 1 3 1 1 1 1}\r\n[Cm7]la\r\n"_s),
                                song(u"c.cho"_s, u"{t:C}\r\n[Cm7]la\r\n"_s)};
        SongFixture f;
        song::Song dictionary(f.context);
        song::loadGlobalDictionary(dictionary);
        RecordingSurface printer;
        PrintJob job(f.context, &dictionary);
        job.PrintAlbum(printer, files);
        QList<QStringList> dots(1);
        for (const QString& call : std::as_const(printer.calls)) {
            if (call == u"newpage")
                dots.append(QStringList());
            else if (call.startsWith(u"circle "))
                dots.last().append(call);
        }
        QCOMPARE(dots.size(), 3);
        QVERIFY(!dots[0].isEmpty());
        QCOMPARE(dots[2], dots[0]);
        QVERIFY(dots[1] != dots[0]);
    }

    void hostileLayoutsEndWithoutLooping_data()
    {
        QTest::addColumn<QString>("text");
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
            // Diagrams sized for the instrument that plays them.
            QCOMPARE(job.state.diagram.cellWidth, SetDiagramSize(f.song.ChordSize, instrument == u"Piano").cellWidth);
        }
    }

    void albumOpenKeepsExistingSongsInOrder()
    {
        const QString a = song(u"a.cho"_s);
        const QString b = song(u"b.cho"_s);
        const QString gone = m_dir.filePath(u"gone.cho"_s);
        // a.cho is named relative to the album, not to the current folder.
        const QString path = song(u"book.abm"_s, b + u"\r\n\r\n" + gone + u"\na.cho\r\n");
        RecordingMessages messages;
        Album album;
        album.AlbumChanged = true;
        QVERIFY(album.OpenAlbum(path, messages));
        QCOMPARE(album.AlbumFiles, (QStringList{b, a}));
        QCOMPARE(messages.texts(), QStringList{gone + u" file not found"});
        QCOMPARE(album.AlbumPath, path);
        QVERIFY(!album.AlbumChanged);
    }

    // A book of thousands is read whole, however long its paths, and the songs
    // that are gone make one message, not one each.
    void albumOfThousandsIsReadWhole()
    {
        const QString folder = u"a-folder-name-long-enough-to-pass-sixty-thousand-bytes-in-a-few-thousand-lines"_s;
        QDir(m_dir.path()).mkpath(folder);
        QString text;
        QStringList present;
        for (int i = 0; i < 3000; ++i) {
            const QString name = folder + u"/song-"_s + QString::number(i) + u".cho"_s;
            text += name + u"\r\n"_s;
            if (i % 100 != 99)   // thirty songs gone
                present.append(song(name));
        }
        QVERIFY(text.size() > 2 * song::MaxReadBytes);
        RecordingMessages messages;
        Album album;
        QVERIFY(album.OpenAlbum(song(u"big.abm"_s, text), messages));
        QCOMPARE(album.AlbumFiles, present);
        QCOMPARE(messages.texts().size(), 1);
        const QStringList said = messages.texts().first().split(u'\n');
        QCOMPARE(said.size(), 11);
        QCOMPARE(said.first(), folder + u"/song-99.cho file not found"_s);
        QCOMPARE(said.last(), u"... and 20 more"_s);

        // Past its own limit an album is refused whole, never read in part.
        QFile huge(m_dir.filePath(u"huge.abm"_s));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(MaxAlbumBytes + 1));
        huge.close();
        messages.clear();
        Album refused;
        QVERIFY(!refused.OpenAlbum(huge.fileName(), messages));
        QVERIFY(refused.AlbumFiles.isEmpty());
        QCOMPARE(messages.texts(), QStringList{u"Cannot open file "_s + huge.fileName() + u": it is larger than 16 MiB"_s});
    }

    void albumSavesAndReopensTheSame()
    {
        RecordingMessages messages;
        Album album;
        album.addSong(song(u"one.cho"_s));
        album.addSong(song(u"two.cho"_s));
        album.addSong(song(u"three.cho"_s));
        QVERIFY(album.moveUp(2));
        QVERIFY(!album.SaveAlbum(messages));   // no path yet
        album.AlbumPath = u"/nonexistent/folder/book.abm"_s;
        QVERIFY(!album.SaveAlbum(messages));
        QVERIFY(album.AlbumChanged);
        QVERIFY(messages.texts().last().startsWith(u"Cannot save file /nonexistent/folder/book.abm: "_s));
        messages.clear();
        album.AlbumPath = m_dir.filePath(u"saved.abm"_s);
        QVERIFY(album.SaveAlbum(messages));
        QVERIFY(!album.AlbumChanged);
        QFile file(album.AlbumPath);
        file.open(QIODevice::ReadOnly);
        QVERIFY(file.readAll().endsWith(".cho\r\n"));
        Album reopened;
        QVERIFY(reopened.OpenAlbum(album.AlbumPath, messages));
        QCOMPARE(reopened.AlbumFiles, album.AlbumFiles);
        QVERIFY(messages.texts().isEmpty());
    }

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

LIRAVOX_TEST_MAIN(PrintJobTest)
#include "printjob_test.moc"
