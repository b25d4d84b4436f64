#include "music/mergechordline.h"

#include "testmain.h"

#include <QTest>

using namespace lvx::music;
using namespace Qt::StringLiterals;

class MergeChordLineTest final : public QObject
{
    Q_OBJECT

private slots:
    void merge_data();
    void merge();
};

void MergeChordLineTest::merge_data()
{
    QTest::addColumn<QString>("chordLine");
    QTest::addColumn<QString>("lyricLine");
    QTest::addColumn<QString>("merged");

    QTest::addRow("chord goes before the lyric under its first letter")
        << u"G   D7"_s << u"Hello world"_s << u"[G]Hell[D7]o world"_s;
    QTest::addRow("chords one blank apart") << u"C D"_s << u"abcdef"_s << u"[C]ab[D]cdef"_s;
    QTest::addRow("leading blanks of the lyric stay") << u"  G"_s << u"  la la"_s << u"  [G]la la"_s;
    QTest::addRow("chords past the lyric keep their spacing")
        << u"C   G   Am"_s << u"Hi"_s << u"[C]Hi  [G]    [Am]"_s;
    QTest::addRow("chords over an empty lyric") << u"Am  G"_s << QString() << u"[Am]    [G]"_s;
    QTest::addRow("no chords leave the lyric") << QString() << u"Hello  "_s << u"Hello"_s;
    QTest::addRow("only blanks are separators") << u"C\tD"_s << u"abcd"_s << u"[C\tD]abcd"_s;
    QTest::addRow("chord in the last column") << u"   E"_s << u"word"_s << u"wor[E]d"_s;

    const QString longLyric = u"abcdefghij"_s.repeated(30);
    QTest::addRow("lyric beyond the chord line and its padding is kept")
        << u"C"_s << longLyric << u"[C]"_s + longLyric;
    QTest::addRow("lyric beyond a late chord is kept")
        << QString(120, u' ') + u"F"_s << longLyric
        << longLyric.left(120) + u"[F]"_s + longLyric.mid(120);
}

void MergeChordLineTest::merge()
{
    QFETCH(QString, chordLine);
    QFETCH(QString, lyricLine);
    QFETCH(QString, merged);
    QCOMPARE(MergeChordLine(chordLine, lyricLine), merged);
}

LIRAVOX_TEST_MAIN(MergeChordLineTest)
#include "mergechordline_test.moc"
