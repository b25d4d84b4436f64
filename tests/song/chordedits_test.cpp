#include "songfixture.h"
#include "testmain.h"

#include "song/sourceconversions.h"

using namespace lvx;
using namespace lvx::song;
using namespace Qt::StringLiterals;

namespace {

QString chordNames(const Song& song)
{
    QStringList names;
    for (const SongLine& line : song.lines) {
        for (const ChordPlacement& chord : line.chords)
            names.append(chord.name);
    }
    return names.join(u' ');
}

} // namespace

class ChordEditsTest : public QObject
{
    Q_OBJECT

private slots:
    void transpose_data()
    {
        QTest::addColumn<QString>("chords");
        QTest::addColumn<int>("semitones");
        QTest::addColumn<QString>("expected");
        QTest::addRow("sharp up one") << u"F#m7/C#"_s << 1 << u"Gm7/D"_s;
        QTest::addRow("flat down one") << u"Dbmaj7"_s << -1 << u"Cmaj7"_s;
        QTest::addRow("an octave changes nothing") << u"A"_s << 12 << u"A"_s;
        QTest::addRow("flat keeps flat spelling") << u"Bb Eb"_s << 2 << u"C F"_s;
        QTest::addRow("labels are normalised") << u"CM7 C/C"_s << 2 << u"Dmaj7 D"_s;
        QTest::addRow("text labels and non-chords stay") << u"'Intro N.C. x"_s << 3 << u"'Intro N.C. x"_s;
        QTest::addRow("each note keeps its own style") << u"Db/F#"_s << 1 << u"D/G"_s;
    }
    void transpose()
    {
        QFETCH(QString, chords);
        QFETCH(int, semitones);
        QFETCH(QString, expected);
        QString line;
        for (const QString& chord : chords.split(u' '))
            line += u'[' + chord + u"]la ";
        const auto f = SongFixture::read(line);
        f->song.Transpose(semitones);
        QCOMPARE(chordNames(f->song), expected);
        QVERIFY(f->song.Modificada);
        QVERIFY(f->messages.texts().isEmpty());
    }

    void transposeLeavesCommentsAndTabsAlone()
    {
        const auto f = SongFixture::read(u"{c:[C] intro}\r\n{sot}\r\n[C]-0-\r\n{eot}\r\n{chord: C -1 3 2 0 1 0 1}\r\n[C]x"_s);
        f->song.Transpose(2);
        QCOMPARE(f->song.lines[0].text, u"[C] intro"_s);
        QCOMPARE(f->song.lines[2].text, u"[C]-0-"_s);
        QCOMPARE(f->song.chordDefs[0].name, u"C"_s);
        QCOMPARE(chordNames(f->song), u"D"_s);
    }

    void emptyChordIsReported()
    {
        const auto f = SongFixture::read(u"[]la"_s);
        f->song.Transpose(1);
        QCOMPARE(f->messages.texts(), QStringList{u"Invalid Chord: "_s});
    }

    void replace_data()
    {
        QTest::addColumn<QString>("notation");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        QTest::addRow("found as shown, with maj") << u"C"_s << u"Cmaj7"_s << u"D"_s << u"G7 Am G7 'x D"_s;
        QTest::addRow("solfege find and replacement") << u"Do"_s << u"Sol7"_s << u"La7"_s << u"A7 Am A7 'x"_s;
        QTest::addRow("text label loses its apostrophe") << u"C"_s << u"x"_s << u"E"_s << u"G7 Am G7 E"_s;
        QTest::addRow("a replacement that is no chord is stored as typed") << u"C"_s << u"Am"_s << u"hm"_s << u"G7 hm G7 'x"_s;
        QTest::addRow("unknown solfege gives an empty label") << u"Do"_s << u"Lam"_s << u"Xy"_s << u"G7  G7 'x"_s;
    }
    void replace()
    {
        QFETCH(QString, notation);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        const bool withMaj = find == u"Cmaj7";
        const auto f = SongFixture::read(u"[G7]a [Am]b [G7]c ['x]d"_s + (withMaj ? u" [CM7]e"_s : QString()));
        f->context.app.notation = notation;
        f->song.ReplaceChords(find, replacement);
        QCOMPARE(chordNames(f->song), expected);
        QVERIFY(f->song.Modificada);
    }

    // Bars are bracketed first, as letters: only syllables starting with a note
    // letter (Do, Fa) become chords there, the others text labels.
    void solfegeConversion()
    {
        RecordingMessages messages;
        // A "|" inside a lyric is lyric, and tablature stays as it was written.
        const QString text = u"[Do]la [Sol7/Si]la [Xy]z ['Fin]\n# [Re] stays\n{c:[Re]}\n| Do  Fa Re |\n[Re\n"
                             u"[Do]la | li\n{sot}\n|-[Re]-0-|\n{eot}"_s;
        QCOMPARE(ConvertSolfegeChords(text, messages),
                 u"[C]la [G7/B]la [Xy]z ['Fin]\r\n# [Re] stays\r\n{c:[Re]}\r\n['|] [C]  [F] ['Re] ['|]\r\n[Re\r\n"
                 u"[C]la | li\r\n{sot}\r\n|-[Re]-0-|\r\n{eot}\r\n"_s);
        QCOMPARE(messages.texts(), QStringList{u"Invalid Chord: Xy"_s});
    }

};

LIRAVOX_TEST_MAIN(ChordEditsTest)
#include "chordedits_test.moc"
