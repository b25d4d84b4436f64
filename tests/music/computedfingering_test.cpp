#include "testmain.h"

#include "music/chordsymbol.h"
#include "music/computedfingering.h"
#include "music/modos.h"

using namespace lvx::music;
using namespace Qt::StringLiterals;

namespace {

Modos chordType(std::initializer_list<qint16> intervals)
{
    QList<qint16> v(intervals);
    v.resize(Modos::MaxIntervals, -1);
    Modos type;
    type.Create(u"t"_s, {}, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
    return type;
}

const Modos Major = chordType({0, 4, 7});

// "p [s1 s2 s3 s4 s5 s6]" or "none".
QString shapeText(const std::optional<ComputedFingering>& shape)
{
    if (!shape)
        return u"none"_s;
    QStringList strings;
    for (int string = 1; string <= 6; ++string)
        strings.append(QString::number(shape->strings[string]));
    return QString::number(shape->baseFret) + u" ["_s + strings.join(u' ') + u']';
}

} // namespace

class ComputedFingeringTest final : public QObject
{
    Q_OBJECT

private slots:
    void shapes_data()
    {
        QTest::addColumn<QString>("chord");
        QTest::addColumn<Modos>("type");
        QTest::addColumn<QString>("expected");
        // C: no C on string 6 within frets 0..3, so the bass goes to string 5 and
        // string 6 still takes a chord tone (G) below it; string 1 takes the open E
        // over the G at fret 3; four fingers are allowed at the first position.
        QTest::addRow("bass on string 5, open string 1 wins a tie, four fingers at the nut")
            << u"C"_s << Major << u"0 [0 1 0 2 19 3]"_s;
        // G7 on string 4: F at fret 3 is found first, but F already sounds on string 1.
        QTest::addRow("a tone used less often wins") << u"G7"_s << chordType({0, 4, 7, 10}) << u"0 [1 0 0 0 2 19]"_s;
        QTest::addRow("bass on string 6 first") << u"C/E"_s << Major << u"0 [0 1 0 2 3 16]"_s;
        QTest::addRow("no low string reaches the bass: the window moves up")
            << u"G#"_s << Major << u"1 [3 0 0 0 2 19]"_s;
        QTest::addRow("four fingers beside a barre: stopped string 6 is muted")
            << u"C#"_s << Major << u"1 [0 1 0 2 19 -1]"_s;
        QTest::addRow("five fingers with the bass on 6: stopped string 5 is muted")
            << u"F#"_s << Major << u"0 [2 2 3 -1 -1 18]"_s;
        QTest::addRow("strings 1 to 3 never share a single tone") << u"C"_s << chordType({0}) << u"none"_s;
        QTest::addRow("a type without intervals has no shape") << u"E"_s << chordType({}) << u"none"_s;
        QTest::addRow("not a chord") << u"N.C."_s << Major << u"none"_s;
    }
    void shapes()
    {
        QFETCH(QString, chord);
        QFETCH(Modos, type);
        QFETCH(QString, expected);
        const std::optional<ComputedFingering> shape = computeFingering(ParseChord(chord), type);
        QCOMPARE(shapeText(shape), expected);
        if (shape)
            QCOMPARE(shape->barre, shape->baseFret >= 1);
    }
};

LIRAVOX_TEST_MAIN(ComputedFingeringTest)
#include "computedfingering_test.moc"
