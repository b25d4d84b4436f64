#include "music/chordsymbol.h"
#include "music/notetables.h"

#include "testmain.h"

#include <QTest>

using namespace lvx::music;
using namespace Qt::StringLiterals;

class NoteTablesTest final : public QObject
{
    Q_OBJECT

private slots:
    void solfegeListMatchesNoteNames();
    void openStrings_data();
    void openStrings();
};

// The piano drawing takes names and key colours from the list, the rest of the
// program from the note-name tables: they must agree.
void NoteTablesTest::solfegeListMatchesNoteNames()
{
    for (int pitch = 0; pitch < 12; ++pitch) {
        const SolfegeNote& note = SolfegeNotes[pitch];
        QCOMPARE(note.name.toString(), NoteName(pitch, u"Do"_s, SharpRow));
        QCOMPARE(note.natural, NoteName(pitch, u"C"_s, SharpRow).size() == 1);
    }
}

void NoteTablesTest::openStrings_data()
{
    QTest::addColumn<int>("string");
    QTest::addColumn<QString>("note");

    QTest::addRow("string 1 is E") << 1 << u"E"_s;
    QTest::addRow("string 2 is B") << 2 << u"B"_s;
    QTest::addRow("string 3 is G") << 3 << u"G"_s;
    QTest::addRow("string 4 is D") << 4 << u"D"_s;
    QTest::addRow("string 5 is A") << 5 << u"A"_s;
    QTest::addRow("string 6 is E") << 6 << u"E"_s;
}

void NoteTablesTest::openStrings()
{
    QFETCH(int, string);
    QFETCH(QString, note);

    const int pitch = OpenStringPitches[string];
    QCOMPARE(NoteName(pitch % 12, u"C"_s, SharpRow), note);
    // Standard tuning: a fourth between neighbours, a major third from G to B.
    if (string < GuitarStrings)
        QCOMPARE(pitch - OpenStringPitches[string + 1], string == 2 ? 4 : 5);
}

LIRAVOX_TEST_MAIN(NoteTablesTest)
#include "notetables_test.moc"
