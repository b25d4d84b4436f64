// Page setup, the print preview and the full-screen preview over one song, and
// the album window with its list, its questions and its printing as one job.

#include "desktopfixture.h"
#include "widgetsmain.h"

#include "print/ui/frmalbum.h"
#include "print/ui/frmpagesetup.h"
#include "print/ui/frmpreview.h"
#include "print/ui/frmprintpreview.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace lvx;
using namespace lvx::print;
using namespace Qt::StringLiterals;
using lvx::test::control;

namespace {

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// The list as shown, the selected row starred.
QStringList shown(frmAlbum& album)
{
    auto* list = album.findChild<QListWidget*>(u"Lista"_s);
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names.append(list->item(row)->text() + (row == list->currentRow() ? u"*"_s : u""_s));
    return names;
}

void press(frmAlbum& album, const QString& name) { control<QPushButton>(album, name)->click(); }

// An album file of three songs a, b, c in the test's folder.
struct AlbumFixture : PagesFixture
{
    QString albumFile;

    AlbumFixture()
    {
        QByteArray lines;
        for (const QString& name : {u"a.cho"_s, u"b.cho"_s, u"c.cho"_s})
            lines += writeFile(path(name), "{t:" + name.toUtf8() + "}\r\n[C]la la\r\n").toUtf8() + "\r\n";
        albumFile = writeFile(path(u"three.abm"_s), lines);
    }
};

} // namespace

class PagesTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void pageSetupWritesWhatItShows_data()
    {
        QTest::addColumn<QStringList>("typed");   // left, right, top, bottom; empty: untouched
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("song");   // margins, orientation, colour printing
        // Boxes left untouched keep their exact twips, not the rounded inches shown.
        QTest::addRow("comma decimal, inches and a unit typed, Apply writes them")
            << QStringList{u"1,5"_s, u"0.75"_s, u"2 inch."_s, QString()} << u"bApply"_s << QStringList{}
            << u"2160 1080 2880 1000 1 0"_s;
        QTest::addRow("an out-of-range bottom says so and is still applied")
            << QStringList{QString(), QString(), QString(), u"0.1"_s} << u"bApply"_s << QStringList{u"Invalid Value"_s}
            << u"800 600 1000 144 1 0"_s;
        QTest::addRow("OK applies landscape and colour") << QStringList{u"landscape"_s} << u"bOK"_s << QStringList{}
                                                         << u"800 600 1000 1000 2 1"_s;
        QTest::addRow("Cancel cancels") << QStringList{u"landscape"_s, u"2"_s} << u"bCancel"_s << QStringList{}
                                        << u"800 600 1000 1000 1 0"_s;
    }
    void pageSetupWritesWhatItShows()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, button);
        PagesFixture f;
        f.song.MargenL = 800;
        f.song.MargenR = 600;
        f.song.MargenT = 1000;
        f.song.MargenB = 1000;
        frmPageSetup dialog(f.desktop, f.song);
        const QStringList boxes{u"tLeft"_s, u"tRight"_s, u"tTop"_s, u"tBottom"_s};
        QStringList shown;
        for (const QString& name : boxes)
            shown.append(control<QLineEdit>(dialog, name)->text());
        QCOMPARE(shown.join(u'|'), u"0.56 inch.|0.42 inch.|0.69 inch.|0.69 inch."_s);
        if (typed.value(0) == u"landscape") {
            typed.removeFirst();
            control<QRadioButton>(dialog, u"oLandscape"_s)->setChecked(true);
            control<QCheckBox>(dialog, u"chkColor"_s)->setChecked(true);
        }
        for (qsizetype index = 0; index < typed.size(); ++index) {
            if (typed.at(index).isEmpty())
                continue;
            auto* edit = control<QLineEdit>(dialog, boxes.at(index));
            edit->selectAll();
            QTest::keyClicks(edit, typed.at(index));
            Q_EMIT edit->editingFinished();
        }
        control<QPushButton>(dialog, button)->click();
        QTEST(f.messages.texts(), "messages");
        QTEST(u"%1 %2 %3 %4 %5 %6"_s.arg(f.song.MargenL).arg(f.song.MargenR).arg(f.song.MargenT).arg(f.song.MargenB)
                  .arg(f.song.PrintOrientation).arg(int(f.desktop.app.colorPrinting)), "song");
        QCOMPARE(f.song.Modificada, button != u"bCancel");
    }

    void printPreviewPagesStopAtBothEnds()
    {
        PagesFixture f(longSong(150));
        frmPrintPreview preview(f.desktop, f.song);
        control<QPushButton>(preview, u"bPgUp"_s)->click();
        QCOMPARE(preview.PreviewPage(), 1);
        int pages = 1;
        while (!preview.isLastPage() && pages < 50) {
            preview.PageDown();
            QCOMPARE(preview.PreviewPage(), ++pages);
        }
        preview.PageDown();
        QCOMPARE(preview.PreviewPage(), pages);
        QVERIFY(pages > 2 && !control<QPushButton>(preview, u"bPgDown"_s)->isEnabled());
        // The preview shows the pages the printer gets.
        preview.setChoosePrinter(f.toPdf(u"song.pdf"_s));
        control<QPushButton>(preview, u"bPrint"_s)->click();
        QCOMPARE(pdfPageTexts(f.path(u"song.pdf"_s)).size(), pages);
    }

    void fullScreenPreviewScrollsByMarkupLines()
    {
        PagesFixture f(longSong(60));
        frmPreview preview(f.desktop, f.song);
        auto* scroll = control<QScrollBar>(preview, u"VS"_s);
        QCOMPARE(scroll->maximum(), int(preview.MarkupLines().size()) - 1);
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QCOMPARE(preview.firstLine(), scroll->pageStep());
        QTest::keyClick(&preview, Qt::Key_End);
        QCOMPARE(preview.firstLine(), scroll->maximum());
        // Painting the last lines alone must not trip over an open section.
        preview.resize(600, 400);
        QVERIFY(!preview.grab().isNull());
    }

    void buttonsEditTheList_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("order");
        QTest::addRow("up swaps with the song above") << 2 << u"bUp"_s
                                                      << QStringList{u"a.cho"_s, u"c.cho*"_s, u"b.cho"_s};
        QTest::addRow("the first song cannot go up") << 0 << u"bUp"_s << QStringList{u"a.cho*"_s, u"b.cho"_s, u"c.cho"_s};
        QTest::addRow("delete selects the song above") << 2 << u"bDelete"_s << QStringList{u"a.cho"_s, u"b.cho*"_s};
    }
    void buttonsEditTheList()
    {
        QFETCH(int, row);
        QFETCH(QStringList, order);
        QFETCH(QString, button);
        AlbumFixture f;
        frmAlbum album(f.desktop, f.albumFile);
        album.findChild<QListWidget*>(u"Lista"_s)->setCurrentRow(row);
        press(album, button);
        QCOMPARE(shown(album), order);
        QCOMPARE(album.album().AlbumChanged, order.size() < 3 || row > 0);
    }

    void aFileThatIsNoAlbumOpensAsANewOne()
    {
        // So that saving never writes over it.
        PagesFixture f;
        const QString file = writeFile(f.path(u"picture.abm"_s), "\x89PNG\r\n\x1a\n\x01\x02\x84\x84IHDR\x7f");
        frmAlbum album(f.desktop, file);
        QVERIFY(shown(album).isEmpty());
        QCOMPARE(f.messages.texts(), QStringList{file + u" is not an album file."_s});
        QVERIFY(album.album().AlbumPath != file);
    }

    void closingAChangedAlbumAsks()
    {
        AlbumFixture f;
        frmAlbum album(f.desktop, f.albumFile);
        album.show();
        album.findChild<QListWidget*>(u"Lista"_s)->setCurrentRow(0);
        press(album, u"bDelete"_s);
        // Cancel keeps the window open; Yes saves, then closes.
        for (const Answer answer : {Answer::Cancel, Answer::Yes}) {
            f.messages.scriptAnswer(answer);
            album.findChild<QAction*>(u"mnuAClose"_s)->trigger();
            QCOMPARE(album.isVisible(), answer == Answer::Cancel);
        }
        QCOMPARE(f.messages.texts().constFirst(),
                 u"The text in [" + f.albumFile + u"] has changed.\r\nDo you want to save the changes?");
        QFile file(f.albumFile);
        QVERIFY(file.open(QIODevice::ReadOnly) && !file.readAll().contains("a.cho"));
    }

    void printsTheSongsAsOneJob()
    {
        AlbumFixture f;
        QFile::remove(f.path(u"b.cho"_s));
        writeFile(f.path(u"a.cho"_s), longSong(80).toUtf8());
        frmAlbum album(f.desktop, QString());
        auto* sorted = album.findChild<QCheckBox*>(u"chkContentsSorted"_s);
        auto* byArtist = album.findChild<QCheckBox*>(u"chkContentsByArtist"_s);
        QVERIFY(!sorted->isEnabled() && !byArtist->isEnabled());
        album.findChild<QCheckBox*>(u"chkContents"_s)->setChecked(true);
        QVERIFY(sorted->isEnabled() && byArtist->isEnabled());
        byArtist->setChecked(true);
        // Songs are added through the file dialog; a cancelled one adds nothing.
        for (const QString& name : {u"a.cho"_s, u"b.cho"_s, u"c.cho"_s})
            f.messages.scriptText(f.path(name));
        f.messages.scriptText(std::nullopt);
        for (int add = 0; add < 4; ++add)
            press(album, u"bAdd"_s);
        QCOMPARE(shown(album), (QStringList{u"a.cho"_s, u"b.cho"_s, u"c.cho*"_s}));
        album.setChoosePrinter(f.toPdf(u"album.pdf"_s));
        press(album, u"bPrint"_s);
        QCOMPARE(f.messages.texts().filter(u"not found"_s), QStringList{f.path(u"b.cho"_s) + u" file not found"});
        // Contents first, then by artist; the last song starts on a page of its own and counts on from the first.
        const QStringList pages = pdfPageTexts(f.path(u"album.pdf"_s));
        QVERIFY2(pages.size() >= 4 && pages.constLast().contains(u"c.cho"_s)
                     && pages.constLast().contains(u"Page " + QString::number(pages.size())) && pages[0].contains(u"Contents"_s)
                     && pages[1].contains(u"Contents by artist"_s) && pages[1].contains(u"Unknown artist"_s),
                 qPrintable(pages.join(u"\n----\n")));
        // The choices hold for the next album, which, empty, asks for no printer.
        frmAlbum next(f.desktop, QString());
        QVERIFY(next.findChild<QCheckBox*>(u"chkContents"_s)->isChecked());
        QVERIFY(next.findChild<QCheckBox*>(u"chkContentsByArtist"_s)->isChecked());
        bool asked = false;
        next.setChoosePrinter([&asked](QPrinter&, QWidget*) { return asked = true; });
        press(next, u"bPrint"_s);
        QVERIFY(!asked);
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(PagesTest)
#include "pages_test.moc"
