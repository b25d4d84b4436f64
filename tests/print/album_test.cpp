#include "testmain.h"

#include "base/messages.h"
#include "print/album.h"

#include <QFile>

using namespace lvx;
using namespace lvx::print;
using namespace Qt::StringLiterals;

class AlbumTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString song(const QString& name)
    {
        QFile file(m_dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write("{t:x}\r\n");
        return file.fileName();
    }

private slots:
    void openKeepsExistingSongsInOrder()
    {
        const QString a = song(u"a.cho"_s);
        const QString b = song(u"b.cho"_s);
        const QString gone = m_dir.filePath(u"gone.cho"_s);
        QFile file(m_dir.filePath(u"book.abm"_s));
        file.open(QIODevice::WriteOnly);
        // a.cho is named relative to the album, not to the current folder.
        file.write((b + u"\r\n\r\n" + gone + u"\na.cho\r\n").toUtf8());
        file.close();
        RecordingMessages messages;
        Album album;
        album.AlbumChanged = true;
        QVERIFY(album.OpenAlbum(file.fileName(), messages));
        QCOMPARE(album.AlbumFiles, (QStringList{b, a}));
        QCOMPARE(messages.texts(), QStringList{gone + u" file not found"});
        QCOMPARE(album.AlbumPath, file.fileName());
        QVERIFY(!album.AlbumChanged);
    }

    void savedAlbumReopensTheSame()
    {
        RecordingMessages messages;
        Album album;
        album.addSong(song(u"one.cho"_s));
        album.addSong(song(u"two.cho"_s));
        album.addSong(song(u"three.cho"_s));
        QVERIFY(album.moveUp(2));
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

    void editing()
    {
        Album album;
        album.AlbumFiles = {u"a"_s, u"b"_s, u"c"_s};
        QVERIFY(!album.moveUp(0));
        QVERIFY(!album.moveDown(2));
        QVERIFY(!album.AlbumChanged);
        QVERIFY(album.moveDown(0));
        QCOMPARE(album.AlbumFiles, (QStringList{u"b"_s, u"a"_s, u"c"_s}));
        QCOMPARE(album.deleteSong(0), 0);   // the first removed: the new first is selected
        QCOMPARE(album.deleteSong(1), 0);   // the entry above is selected
        QCOMPARE(album.deleteSong(0), -1);  // the only song gone: an empty album
        QVERIFY(album.AlbumFiles.isEmpty());
        QVERIFY(album.AlbumChanged);
    }

    void savingWithoutAPathOrToAnUnwritablePlaceFails()
    {
        RecordingMessages messages;
        Album album;
        album.addSong(u"x"_s);
        QVERIFY(!album.SaveAlbum(messages));
        album.AlbumPath = u"/nonexistent/folder/book.abm"_s;
        QVERIFY(!album.SaveAlbum(messages));
        QVERIFY(album.AlbumChanged);
        QVERIFY(messages.texts().last().startsWith(u"Cannot save file /nonexistent/folder/book.abm: "_s));
    }
};

LIRAVOX_TEST_MAIN(AlbumTest)
#include "album_test.moc"
