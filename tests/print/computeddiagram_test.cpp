// Every chord type of the installed Chords.dat on every tonic and bass: a
// computed guitar shape only ever sounds the chord's own notes, keeps its bass on
// one of the three low strings and fits a hand.

#include "diagramfixture.h"
#include "testmain.h"

#include "music/chordsymbol.h"
#include "music/computedfingering.h"
#include "music/notetables.h"
#include "song/globaldictionary.h"

#include <QRegularExpression>
#include <QSet>

using namespace lvx;
using namespace lvx::print;
using music::ChordSymbol;
using music::ComputedFingering;
using namespace Qt::StringLiterals;

namespace {

ChordSymbol chordOn(int tone, int bass, const QString& mode)
{
    ChordSymbol chord;
    chord.tone = qint16(tone);
    chord.toneSharp = true;
    chord.bass = qint16(bass);
    chord.bassSharp = true;
    chord.mode = mode;
    return chord;
}

// What is wrong with the shape, or empty.
QString shapeFault(const ComputedFingering& shape, const ChordSymbol& chord, const music::Modos& type)
{
    QSet<int> allowed{chord.bass};
    for (int slot = 0; slot < type.GetNumInv(); ++slot)
        allowed.insert((chord.tone + type.GetInv(slot)) % 12);
    if (shape.baseFret < 0 || shape.baseFret >= 15 || shape.barre != (shape.baseFret >= 1))
        return u"position"_s;
    int fingers = 0;
    QList<int> bassStrings;
    for (int string = 1; string <= 6; ++string) {
        const int value = shape.strings[string];
        const int fret = music::fretOf(value);
        if (fret == -1) {
            if (string <= 3)
                return u"string %1 muted"_s.arg(string);
            continue;
        }
        if (fret < 0 || fret > 3)
            return u"string %1 outside the window"_s.arg(string);
        const int pitchClass = (music::OpenStringPitches[string] + shape.baseFret + fret) % 12;
        if (!allowed.contains(pitchClass))
            return u"string %1 sounds %2"_s.arg(string).arg(pitchClass);
        if (music::hasBassMark(value)) {
            if (pitchClass != chord.bass)
                return u"bass string does not sound the bass"_s;
            bassStrings.append(string);
        }
        if (fret > 0)
            ++fingers;
    }
    if (bassStrings.size() != 1 || bassStrings.first() < 4)
        return u"bass not on string 6, 5 or 4"_s;
    if (fingers > 4 || (fingers == 4 && shape.barre))
        return u"%1 fingers"_s.arg(fingers);
    return {};
}

} // namespace

class ComputedDiagramTest final : public QObject
{
    Q_OBJECT

    DiagramFixture m_fixture;
    QStringList m_unplaced;
    QStringList m_unplacedSlash;

private slots:
    void initTestCase()
    {
        m_fixture.context.music.chordTypes.clear();
        song::loadGlobalDictionary(m_fixture.song);
        QVERIFY(m_fixture.context.music.chordTypes.size() > 0);
    }

    void everyTypeOnEveryRoot_data()
    {
        QTest::addColumn<QString>("typeName");
        for (const music::Modos& type : m_fixture.context.music.chordTypes)
            QTest::newRow(qPrintable(type.Nombre)) << type.Nombre;
    }
    void everyTypeOnEveryRoot()
    {
        QFETCH(QString, typeName);
        const music::Modos& type = *m_fixture.context.music.chordTypes.find(typeName);
        // No dictionary: every diagram below is a computed one.
        const QList<music::GuitarChordDef> none;
        const DiagramSources sources{m_fixture.context.app, m_fixture.context.music.chordTypes, none, none};
        for (int tone = 0; tone < 12; ++tone) {
            for (int bass = 0; bass < 12; ++bass) {
                const ChordSymbol chord = chordOn(tone, bass, typeName);
                const QString name = music::FormatChord(chord, u"C"_s);
                const std::optional<ComputedFingering> shape = music::computeFingering(chord, type);
                RecordingSurface target;
                DrawChordDiagram(target, chord, sources, m_fixture.state, m_fixture.notes);
                if (!shape) {
                    (tone == bass ? m_unplaced : m_unplacedSlash).append(name);
                    QVERIFY2(target.calls.isEmpty(), qPrintable(name));
                    QVERIFY2(m_fixture.notes.notes().isEmpty(), qPrintable(name));
                    continue;
                }
                const QString fault = shapeFault(*shape, chord, type);
                QVERIFY2(fault.isEmpty(), qPrintable(name + u": "_s + fault));
                QCOMPARE(m_fixture.notes.notes(), music::computedNotes(*shape));
                QVERIFY2(target.calls.contains(u"text 200 893 8 ["_s + name + u']'), qPrintable(name));
            }
        }
    }

    // The common chords must always get a shape; the rest is reported.
    void commonChordsAlwaysPlace()
    {
        for (const QString& name : std::as_const(m_unplaced))
            QVERIFY2(!name.contains(QRegularExpression(u"^[A-G]#?(m|7)?$"_s)), qPrintable(name));
        qInfo("%lld plain chords without a computed shape: %s", qlonglong(m_unplaced.size()),
              qPrintable(m_unplaced.join(u' ')));
        qInfo("%lld slash chords without a computed shape: %s", qlonglong(m_unplacedSlash.size()),
              qPrintable(m_unplacedSlash.join(u' ')));
    }
};

LIRAVOX_TEST_MAIN(ComputedDiagramTest)
#include "computeddiagram_test.moc"
