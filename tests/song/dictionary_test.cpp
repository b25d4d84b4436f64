#include "songfixture.h"
#include "testmain.h"

#include "music/chordsearch.h"
#include "music/chordsymbol.h"
#include "song/globaldictionary.h"

#include <QDir>
#include <QFile>

using namespace lvx;
using namespace lvx::song;
using namespace lvx::music;
using namespace Qt::StringLiterals;

namespace {

GuitarChordDef shape(const QString& name, qint16 base, std::array<qint16, 6> lowToHigh)
{
    GuitarChordDef def;
    def.name = name;
    def.baseFret = base;
    for (int string = 6; string >= 1; --string)
        def.frets[string] = lowToHigh[6 - string];
    return def;
}

const GuitarChordDef G = shape(u"G"_s, 0, {3, 2, 0, 0, 0, 3});
const GuitarChordDef GHigh = shape(u"G"_s, 9, {-1, -1, 1, 0, 1, 2});   // no B on the low strings

QString found(const FingeringMatch& match)
{
    if (match.def == nullptr)
        return u"none"_s;
    return match.def->name + (match.source == FingeringSource::Song ? u"@song" : u"@global");
}

} // namespace

class DictionaryTest : public QObject
{
    Q_OBJECT

private slots:
    void lookupOrder_data()
    {
        QTest::addColumn<QString>("chord");
        QTest::addColumn<QList<GuitarChordDef>>("song");
        QTest::addColumn<QList<GuitarChordDef>>("global");
        QTest::addColumn<QString>("expected");
        const GuitarChordDef songG = shape(u"G"_s, 2, {1, 0, 0, 0, 0, 1});
        QTest::addRow("song before global") << u"G"_s << QList{songG} << QList{G} << u"G@song"_s;
        QTest::addRow("global when the song lacks it") << u"G"_s << QList<GuitarChordDef>{} << QList{G} << u"G@global"_s;
        QTest::addRow("slash chord uses the plain shape sounding its bass") << u"G/B"_s << QList<GuitarChordDef>{} << QList{G} << u"G@global"_s;
        QTest::addRow("plain shape without the bass low is refused") << u"G/B"_s << QList{GHigh} << QList<GuitarChordDef>{} << u"none"_s;
        QTest::addRow("song's plain shape before global's exact one") << u"G/B"_s << QList{G} << QList{shape(u"G/B"_s, 0, {-1, 2, 0, 0, 0, 3})} << u"G@song"_s;
    }
    void lookupOrder()
    {
        QFETCH(QString, chord);
        QFETCH(QList<GuitarChordDef>, song);
        QFETCH(QList<GuitarChordDef>, global);
        QFETCH(QString, expected);
        QCOMPARE(found(findFingering(ParseChord(chord), song, global)), expected);
    }

    void globalDictionaryIsInstalledAndSavedAsTypesAndShapes()
    {
        QFile::remove(globalDictionaryPath());
        SongFixture f;
        loadGlobalDictionary(f.song);
        QVERIFY(f.context.music.chordTypes.size() >= 30 && f.song.chordDefs.size() >= 84);
        QVERIFY(f.song.lines.isEmpty() && f.messages.texts().isEmpty());
        QVERIFY(f.context.fonts.publicSet != f.song.fonts);
        const QByteArray installed = readBytes(globalDictionaryPath());
        QVERIFY(saveGlobalDictionary(f.song));
        QVERIFY(f.context.app.WriteSongText && f.context.app.WriteFormat && !f.context.app.WriteModes);
        QCOMPARE(readBytes(globalDictionaryPath()), installed);
    }

    // A dictionary the program could not read whole is never written over at exit.
    void dictionaryReadInPartIsKept()
    {
        QByteArray bytes;
        for (int i = 0; bytes.size() <= 70000; ++i)
            bytes += "{chord: X" + QByteArray::number(i) + " 0 2 2 1 0 0 1}\r\n";
        writeBytes(globalDictionaryPath(), bytes);
        SongFixture f;
        loadGlobalDictionary(f.song);
        QVERIFY(f.messages.texts().first().startsWith(u"File to Large, read first 60000 bytes\n" + globalDictionaryPath()));
        QVERIFY(!saveGlobalDictionary(f.song));
        QVERIFY(f.messages.texts().last().startsWith(globalDictionaryPath()));
        QCOMPARE(readBytes(globalDictionaryPath()), bytes);
    }

    void badLinesOfChordsDatSayWhereTheyAre()
    {
        writeBytes(globalDictionaryPath(), "{mode: \"x\" \"X\" 1 15}\r\n{chord: Am 1 2}\r\n");
        SongFixture f;
        loadGlobalDictionary(f.song);
        // All of them in one box, which says once where they come from.
        const QString from = u"(in Chords.dat: "_s + QDir::toNativeSeparators(globalDictionaryPath()) + u')';
        QCOMPARE(f.messages.texts(), QStringList{u"Invalid Mode: \"x\" \"X\" 1 15\nInvalid Define: Am 1 2\n"_s + from});
        // A song read afterwards speaks for itself.
        f.messages.clear();
        f.song.StringToLinesRec(u"{chord: Am 1 2}"_s);
        QCOMPARE(f.messages.texts(), QStringList{u"Invalid Define: Am 1 2"_s});
        QFile::remove(globalDictionaryPath());
    }

};

LIRAVOX_TEST_MAIN(DictionaryTest)
#include "dictionary_test.moc"
