#include "music/solfege.h"

#include "testmain.h"

#include <QTest>

using namespace lvx::music;
using namespace Qt::StringLiterals;

class SolfegeTest final : public QObject
{
    Q_OBJECT

private slots:
    void toLetters_data();
    void toLetters();
    void explicitConversionIgnoresNotation();
};

void SolfegeTest::toLetters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("notation");
    QTest::addColumn<QString>("letters");

    const QString solfege = u"Do"_s;
    QTest::addRow("chord and bass") << u"Sol7/Si"_s << solfege << u"G7/B"_s;
    QTest::addRow("text after the syllable is kept") << u"Sol#m7"_s << solfege << u"G#m7"_s;
    QTest::addRow("flat after the syllable") << u"Sib"_s << solfege << u"Bb"_s;
    QTest::addRow("do") << u"Do"_s << solfege << u"C"_s;
    QTest::addRow("re") << u"Re"_s << solfege << u"D"_s;
    QTest::addRow("mi") << u"Mi"_s << solfege << u"E"_s;
    QTest::addRow("fa") << u"Fa"_s << solfege << u"F"_s;
    QTest::addRow("la") << u"Lam"_s << solfege << u"Am"_s;
    QTest::addRow("syllables ignore case") << u"sOL7/lA"_s << solfege << u"G7/A"_s;
    QTest::addRow("no syllable gives nothing") << u"Xy7"_s << solfege << QString();
    QTest::addRow("no syllable gives nothing, whatever the bass") << u"Xy/Sol"_s << solfege << QString();
    QTest::addRow("letter name is no syllable") << u"Em"_s << solfege << QString();
    QTest::addRow("syllable must start at a syllable") << u"Ol7"_s << solfege << QString();
    QTest::addRow("only the first slash splits") << u"Do6/9"_s << solfege << u"C6"_s;
    QTest::addRow("bass without a syllable is dropped") << u"Re7/Xx"_s << solfege << u"D7"_s;
    QTest::addRow("empty bass is dropped") << u"Fa/"_s << solfege << u"F"_s;
    QTest::addRow("empty name holds no syllable") << QString() << solfege << QString();
    QTest::addRow("bass alone holds no syllable") << u"/Sol"_s << solfege << QString();
    QTest::addRow("sol takes three characters, also spelled so") << u"So7"_s << solfege << u"G"_s;
    QTest::addRow("a lone first letter reads as its syllable") << u"R/S"_s << solfege << u"D/G"_s;
    QTest::addRow("any notation but C converts") << u"La/Do#"_s << u"X"_s << u"A/C#"_s;
    QTest::addRow("letter notation returns the name as typed") << u"Sol7/Si"_s << u"C"_s << u"Sol7/Si"_s;
    QTest::addRow("letter notation keeps even a non-chord") << u"Xy7"_s << u"C"_s << u"Xy7"_s;
}

void SolfegeTest::toLetters()
{
    QFETCH(QString, name);
    QFETCH(QString, notation);
    QFETCH(QString, letters);
    QCOMPARE(SolfegeToLetters(name, notation), letters);
}

void SolfegeTest::explicitConversionIgnoresNotation()
{
    QCOMPARE(solfegeChordToLetters(u"Sol7/Si"_s), u"G7/B"_s);
    QCOMPARE(solfegeChordToLetters(u"Xy7"_s), QString());
}

LIRAVOX_TEST_MAIN(SolfegeTest)
#include "solfege_test.moc"
