#include "pagesfixture.h"
#include "widgetsmain.h"

#include "print/ui/frmalbum.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace lvx;
using namespace lvx::print;
using namespace Qt::StringLiterals;

namespace {

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QStringList shown(frmAlbum& album)
{
    auto* list = album.findChild<QListWidget*>(u"Lista"_s);
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names.append(list->item(row)->text());
    return names;
}

int selectedRow(frmAlbum& album)
{
    return album.findChild<QListWidget*>(u"Lista"_s)->currentRow();
}

void press(frmAlbum& album, const QString& name)
{
    album.findChild<QPushButton*>(name)->click();
}

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

class AlbumTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void editingKeepsTheOrder_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("changed");
        QTest::addRow("up swaps with the song above") << 2 << u"bUp"_s << QStringList{u"a.cho"_s, u"c.cho"_s, u"b.cho"_s} << 1 << true;
        QTest::addRow("the first song cannot go up") << 0 << u"bUp"_s << QStringList{u"a.cho"_s, u"b.cho"_s, u"c.cho"_s} << 0 << false;
        QTest::addRow("delete selects the song above") << 2 << u"bDelete"_s << QStringList{u"a.cho"_s, u"b.cho"_s} << 1 << true;
    }
    void editingKeepsTheOrder()
    {
        QFETCH(int, row);
        QFETCH(QString, button);
        QFETCH(QStringList, order);
        AlbumFixture f;
        frmAlbum album(f.desktop, f.albumFile);
        QCOMPARE(album.windowTitle(), u"Album"_s);
        QVERIFY(!album.album().AlbumChanged);
        album.findChild<QListWidget*>(u"Lista"_s)->setCurrentRow(row);
        press(album, button);
        QCOMPARE(shown(album), order);
        QCOMPARE(album.album().AlbumFiles.size(), order.size());
        for (qsizetype index = 0; index < order.size(); ++index)
            QCOMPARE(album.album().AlbumFiles.at(index), f.path(order.at(index)));
        QTEST(selectedRow(album), "selected");
        QTEST(album.album().AlbumChanged, "changed");
    }

    void savedAlbumReopensInTheSameOrder()
    {
        AlbumFixture f;
        const QString saved = f.path(u"new.abm"_s);
        {
            frmAlbum album(f.desktop, QString());
            for (const QString& name : {u"c.cho"_s, u"a.cho"_s})
                f.messages.scriptText(f.path(name));
            press(album, u"bAdd"_s);
            press(album, u"bAdd"_s);
            f.messages.scriptText(std::nullopt);   // the third add is cancelled
            press(album, u"bAdd"_s);
            QCOMPARE(shown(album), (QStringList{u"c.cho"_s, u"a.cho"_s}));
            QCOMPARE(selectedRow(album), 1);
            f.messages.scriptText(saved);
            QVERIFY(album.SaveAlbum());
            QVERIFY(!album.album().AlbumChanged);
        }
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), (f.path(u"c.cho"_s) + u"\r\n" + f.path(u"a.cho"_s) + u"\r\n").toUtf8());
        frmAlbum reopened(f.desktop, saved);
        QCOMPARE(shown(reopened), (QStringList{u"c.cho"_s, u"a.cho"_s}));
        QCOMPARE(selectedRow(reopened), 0);
        reopened.show();
        saveShot(reopened, u"album"_s);
    }

    void unreadableEntriesAreReportedAndLeftOut_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("songs");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("keepsPath");
        QTest::addRow("missing songs and empty lines")
            << QByteArray("A\r\n\r\nmissing.cho\r\nC\r\n\r\n") << QStringList{u"a.cho"_s, u"c.cho"_s}
            << QStringList{u"missing.cho file not found"_s} << true;
        QTest::addRow("binary content opens as a new album")
            << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << QStringList() << QStringList{u"ALBUM is not an album file."_s}
            << false;
        QTest::addRow("binary content without a NUL byte")
            << QByteArray("\x89PNG\r\n\x1a\n\x01\x02\x84\x84IHDR\x7f") << QStringList()
            << QStringList{u"ALBUM is not an album file."_s} << false;
    }
    void unreadableEntriesAreReportedAndLeftOut()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, messages);
        AlbumFixture f;
        const QString albumFile = f.path(u"mixed.abm"_s);
        content.replace("A\r\n", QByteArray(f.path(u"a.cho"_s).toUtf8() + "\r\n"));
        content.replace("C\r\n", QByteArray(f.path(u"c.cho"_s).toUtf8() + "\r\n"));
        writeFile(albumFile, content);
        messages.replaceInStrings(u"ALBUM"_s, albumFile);
        frmAlbum album(f.desktop, albumFile);
        QTEST(shown(album), "songs");
        QCOMPARE(f.messages.texts(), messages);
        QTEST(album.album().AlbumPath == albumFile, "keepsPath");
    }

    void closingAChangedAlbumAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::addRow("cancel keeps the window open") << int(Answer::Cancel) << false << false;
        QTest::addRow("no closes without saving") << int(Answer::No) << true << false;
        QTest::addRow("yes saves, then closes") << int(Answer::Yes) << true << true;
    }
    void closingAChangedAlbumAsks()
    {
        QFETCH(int, answer);
        AlbumFixture f;
        frmAlbum album(f.desktop, f.albumFile);
        album.show();
        album.findChild<QListWidget*>(u"Lista"_s)->setCurrentRow(0);
        press(album, u"bDelete"_s);
        f.messages.scriptAnswer(Answer(answer));
        album.findChild<QAction*>(u"mnuAClose"_s)->trigger();
        QCOMPARE(f.messages.texts(),
                 QStringList{u"The text in [" + f.albumFile + u"] has changed.\r\nDo you want to save the changes?"});
        QTEST(!album.isVisible(), "closed");
        QFile file(f.albumFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTEST(!file.readAll().contains("a.cho"), "saved");
    }

    void printsTheSongsAsOneJobWithRunningPageNumbers_data()
    {
        QTest::addColumn<bool>("contents");
        QTest::addRow("one song after the other") << false;
        QTest::addRow("a contents page first, ticked for the next album too") << true;
    }
    void printsTheSongsAsOneJobWithRunningPageNumbers()
    {
        QFETCH(bool, contents);
        AlbumFixture f;
        QFile::remove(f.path(u"b.cho"_s));
        writeFile(f.path(u"a.cho"_s), longSong(80).toUtf8());
        frmAlbum album(f.desktop, QString());
        auto* sorted = album.findChild<QCheckBox*>(u"chkContentsSorted"_s);
        QVERIFY(!sorted->isEnabled());
        album.findChild<QCheckBox*>(u"chkContents"_s)->setChecked(contents);
        QCOMPARE(sorted->isEnabled(), contents);
        for (const QString& name : {u"a.cho"_s, u"b.cho"_s, u"c.cho"_s}) {
            f.messages.scriptText(f.path(name));
            press(album, u"bAdd"_s);
        }
        album.setChoosePrinter(f.toPdf(u"album.pdf"_s));
        press(album, u"bPrint"_s);
        QCOMPARE(f.messages.texts().filter(u"not found"_s), QStringList{f.path(u"b.cho"_s) + u" file not found"});
        const QString pdf = f.path(u"album.pdf"_s);
        const int pages = pdfPages(pdf);
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
        // The last song starts on a page of its own and counts on from the first.
        const QString last = pdfText(pdf, pages);
        QVERIFY2(last.contains(u"c.cho"_s), qPrintable(last));
        QVERIFY2(last.contains(u"Page " + QString::number(pages)), qPrintable(last));
        const QString first = pdfText(pdf, 1);
        QCOMPARE(first.contains(u"Contents"_s), contents);
        if (contents) {
            // The last song is listed with the page it starts on.
            QVERIFY2(first.contains(u"Long Song"_s) && first.contains(u"c.cho"_s), qPrintable(first));
            QVERIFY2(first.split(QRegularExpression(u"\\s+"_s)).contains(QString::number(pages)), qPrintable(first));
        }
        frmAlbum next(f.desktop, QString());
        QCOMPARE(next.findChild<QCheckBox*>(u"chkContents"_s)->isChecked(), contents);
    }

    void anEmptyAlbumPrintsNothing()
    {
        PagesFixture f;
        frmAlbum album(f.desktop, QString());
        bool asked = false;
        album.setChoosePrinter([&asked](QPrinter&, QWidget*) { return asked = true; });
        press(album, u"bPrint"_s);
        QVERIFY(!asked);
        press(album, u"bDelete"_s);
        QVERIFY(shown(album).isEmpty());
        QVERIFY(!album.album().AlbumChanged);
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(AlbumTest)

#include "album_test.moc"
