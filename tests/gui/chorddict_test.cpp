#include "desktopfixture.h"

#include "music/chordtypetable.h"
#include "music/ui/fretboardview.h"
#include "music/ui/frmchorddef.h"
#include "music/ui/frmchordlist.h"

#include "widgetsmain.h"
#include "controls.h"
#include "musicfixtures.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace lvx;
using namespace lvx::music;
using namespace Qt::StringLiterals;

namespace {

using lvx::test::control;

// Frets from string 6 down to string 1, as a chord line writes them.
using lvx::test::fingering;

const QList<GuitarChordDef> FiveChords{
    fingering(u"C"_s, {-1, 3, 2, 0, 1, 0}), fingering(u"D"_s, {-1, -1, 0, 2, 3, 2}),
    fingering(u"E"_s, {0, 2, 2, 1, 0, 0}),  fingering(u"F"_s, {1, 3, 3, 2, 1, 1}),
    fingering(u"G"_s, {3, 2, 0, 0, 0, 3})};

using lvx::test::chordType;

// Steps as a user takes them in "Custom Guitar Chord": "T5" clicks tone label 5,
// "B6" bass label 6, "M:m" types a chord type, "P6" clicks the dot of string 6,
// "F4,3" clicks the fretboard on string 4 in row 3, "H3" moves the base fret to
// 3, and any other word clicks the button of that name.
void editFingering(QWidget* editor, const QString& steps)
{
    for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
        const QChar kind = step.at(0);
        if ((kind == u'T' || kind == u'B') && step.size() == 2) {
            QTest::mouseClick(control<QWidget>(editor, (kind == u'T' ? u"Tone"_s : u"Bass"_s) + step.mid(1)), Qt::LeftButton);
        } else if (kind == u'M' && step.startsWith(u"M:")) {
            auto* type = control<QLineEdit>(editor, u"tMode"_s);
            type->selectAll();
            QTest::keyClicks(type, step.mid(2));
        } else if (kind == u'P') {
            QTest::mouseClick(control<QWidget>(editor, u"Punto"_s + step.mid(1)), Qt::LeftButton);
        } else if (kind == u'F') {
            const QStringList place = step.mid(1).split(u',');
            const QPoint at((place.at(0).toInt() - 1) * FretboardView::StringSpacing + 3,
                            (place.at(1).toInt() - 1) * FretboardView::FretSpacing + 3);
            QTest::mouseClick(control<QWidget>(editor, u"Fondo"_s), Qt::LeftButton, {}, at);
        } else if (kind == u'H') {
            control<QScrollBar>(editor, u"HS"_s)->setValue(step.mid(1).toInt());
        } else {
            QTest::mouseClick(control<QPushButton>(editor, step), Qt::LeftButton);
        }
    }
}

QStringList listed(QWidget* list)
{
    QStringList lines;
    auto* lista = control<QListWidget>(list, u"Lista"_s);
    for (int row = 0; row < lista->count(); ++row)
        lines.append(lista->item(row)->text());
    return lines;
}

struct ListFixture : DesktopFixture
{
    song::Song owner{desktop->context};
    std::unique_ptr<frmChordList> list;

    explicit ListFixture(const QList<GuitarChordDef>& defs, int selectRow = 0)
    {
        owner.chordDefs = defs;
        list = std::make_unique<frmChordList>(*desktop, owner, u"Song Custom Guitar Chord Dictionary"_s, main.get());
        list->show();
        if (!QTest::qWaitForWindowExposed(list.get()))
            qWarning("chord list not shown");
        auto* lista = control<QListWidget>(list.get(), u"Lista"_s);
        if (selectRow < 0)
            lista->clearSelection();
        else
            lista->setCurrentRow(selectRow);
        messages.clear();
    }

    void click(const QString& name) { QTest::mouseClick(control<QPushButton>(list.get(), name), Qt::LeftButton); }
    // Clicks a list button that opens the fingering editor and edits there.
    void clickAndEdit(const QString& name, const QString& steps)
    {
        onNextModal([steps](QWidget* editor) { editFingering(editor, steps); });
        click(name);
    }
};

struct SearchFixture : DesktopFixture
{
    std::unique_ptr<frmChordDef> search;

    explicit SearchFixture(const GuitarChordDef& start)
    {
        auto& types = desktop->music.chordTypes;
        types.clear();
        types.add(chordType(u"maj"_s, {0, 4, 7}));
        types.add(chordType(u"m"_s, {0, 3, 7}));
        types.add(chordType(u"7"_s, {0, 4, 7, 10}));
        desktop->music.activeChordDef = start;
        search = std::make_unique<frmChordDef>(*desktop, nullptr, main.get());
        search->show();
        if (!QTest::qWaitForWindowExposed(search.get()))
            qWarning("chord search not shown");
        messages.clear();
    }
};

} // namespace

class ChordDictionaryTest final : public QObject
{
    Q_OBJECT

private slots:
    void insertThroughFretboard_data();
    void insertThroughFretboard();
    void editKeepsPlace_data();
    void editKeepsPlace();
    void deleteRemovesSelected_data();
    void deleteRemovesSelected();
    void playsEntry_data();
    void playsEntry();
    void findChordNamesFingering_data();
    void findChordNamesFingering();
    void searchShowsFretboardAlone();
    void everyStringMuted();
    void baseFretMovesFretNumbers();
};

void ChordDictionaryTest::insertThroughFretboard_data()
{
    QTest::addColumn<int>("selectRow");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("insertedAt");    // -1: nothing inserted
    QTest::addColumn<GuitarChordDef>("inserted");
    QTest::addColumn<QStringList>("notes");

    QTest::addRow("new entry goes after the selected second one")
        << 1 << u"T5 M:m P6 F4,3 F3,3 F2,2 bClose"_s << 2 << fingering(u"Am"_s, {-1, 0, 2, 2, 1, 0})
        << QStringList{u"52"_s, u"57"_s, u"60"_s};
    QTest::addRow("nothing selected inserts at the front")
        << -1 << u"T4 B6 H3 F6,4 bClose"_s << 0 << fingering(u"G/B"_s, {3, 0, 0, 0, 0, 0}, 3)
        << QStringList{u"46"_s};
    QTest::addRow("Cancel inserts nothing") << 0 << u"F1,5 bCancel"_s << -1 << GuitarChordDef{} << QStringList{u"68"_s};
}

void ChordDictionaryTest::insertThroughFretboard()
{
    QFETCH(int, selectRow);
    QFETCH(QString, steps);
    QFETCH(int, insertedAt);
    QFETCH(GuitarChordDef, inserted);
    QFETCH(QStringList, notes);

    ListFixture fixture(FiveChords, selectRow);
    fixture.clickAndEdit(u"bNew"_s, steps);
    QCOMPARE(fixture.noteOns(), notes);

    QList<GuitarChordDef> expected = FiveChords;
    if (insertedAt >= 0)
        expected.insert(insertedAt, inserted);
    QCOMPARE(fixture.owner.chordDefs, expected);
    QCOMPARE(fixture.owner.Modificada, insertedAt >= 0);
    auto* lista = control<QListWidget>(fixture.list.get(), u"Lista"_s);
    QCOMPARE(lista->count(), expected.size());
    if (insertedAt >= 0) {
        QCOMPARE(lista->currentRow(), insertedAt);
        QCOMPARE(lista->currentItem()->text(), inserted.name);
    }
    QVERIFY(fixture.messages.texts().isEmpty());
}

void ChordDictionaryTest::editKeepsPlace_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<GuitarChordDef>("edited");

    QTest::addRow("moving the shape up the neck renames nothing")
        << u"H2 bClose"_s << fingering(u"D"_s, {-1, -1, 0, 2, 3, 2}, 2);
    QTest::addRow("Cancel keeps the entry") << u"P1 P2 bCancel"_s << fingering(u"D"_s, {-1, -1, 0, 2, 3, 2});
}

void ChordDictionaryTest::editKeepsPlace()
{
    QFETCH(QString, steps);
    QFETCH(GuitarChordDef, edited);

    ListFixture fixture(FiveChords, 1);
    fixture.clickAndEdit(u"bEdit"_s, steps);
    QList<GuitarChordDef> expected = FiveChords;
    expected[1] = edited;
    QCOMPARE(fixture.owner.chordDefs, expected);
    QCOMPARE(control<QListWidget>(fixture.list.get(), u"Lista"_s)->currentRow(), 1);
}

void ChordDictionaryTest::deleteRemovesSelected_data()
{
    QTest::addColumn<QList<GuitarChordDef>>("defs");
    QTest::addColumn<int>("selectRow");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<int>("selectedAfter");

    QTest::addRow("the button removes the selected entry at once")
        << FiveChords << 1 << false << QStringList{u"C"_s, u"E"_s, u"F"_s, u"G"_s} << 1;
    QTest::addRow("the Delete key does the same") << FiveChords << 1 << true
                                                  << QStringList{u"C"_s, u"E"_s, u"F"_s, u"G"_s} << 1;
    QTest::addRow("after the last entry the selection moves up")
        << FiveChords << 4 << false << QStringList{u"C"_s, u"D"_s, u"E"_s, u"F"_s} << 3;
    QTest::addRow("the only entry leaves an empty list")
        << QList<GuitarChordDef>{FiveChords.at(0)} << 0 << false << QStringList{} << -1;
    QTest::addRow("nothing selected removes nothing")
        << FiveChords << -1 << true << QStringList{u"C"_s, u"D"_s, u"E"_s, u"F"_s, u"G"_s} << -1;
}

void ChordDictionaryTest::deleteRemovesSelected()
{
    QFETCH(QList<GuitarChordDef>, defs);
    QFETCH(int, selectRow);
    QFETCH(bool, byKey);
    QFETCH(QStringList, left);
    QFETCH(int, selectedAfter);

    ListFixture fixture(defs, selectRow);
    const GuitarChordDef activeBefore = fingering(u"Bm"_s, {-1, 2, 4, 4, 3, 2}, 0);
    fixture.desktop->music.activeChordDef = activeBefore;
    if (byKey)
        QTest::keyClick(control<QListWidget>(fixture.list.get(), u"Lista"_s), Qt::Key_Delete);
    else
        fixture.click(u"bDelete"_s);

    QStringList names;
    for (const GuitarChordDef& def : std::as_const(fixture.owner.chordDefs))
        names.append(def.name);
    QCOMPARE(names, left);
    QCOMPARE(listed(fixture.list.get()), left);
    auto* lista = control<QListWidget>(fixture.list.get(), u"Lista"_s);
    QCOMPARE(lista->selectedItems().isEmpty() ? -1 : lista->row(lista->selectedItems().constFirst()), selectedAfter);
    if (left.isEmpty())
        QCOMPARE(fixture.desktop->music.activeChordDef, activeBefore);
    QCOMPARE(control<QPushButton>(fixture.list.get(), u"bDelete"_s)->isEnabled(), selectedAfter >= 0);
}

void ChordDictionaryTest::playsEntry_data()
{
    QTest::addColumn<GuitarChordDef>("entry");
    QTest::addColumn<QString>("instrument");
    QTest::addColumn<QStringList>("notes");
    QTest::addColumn<QStringList>("messages");

    QTest::addRow("the entry's own fingering, lowest string first")
        << FiveChords.at(0) << u"Guitar"_s << QStringList{u"48"_s, u"52"_s, u"55"_s, u"60"_s, u"64"_s} << QStringList{};
    QTest::addRow("a piano player still hears the guitar shape")
        << FiveChords.at(0) << u"Piano"_s << QStringList{u"48"_s, u"52"_s, u"55"_s, u"60"_s, u"64"_s} << QStringList{};
    QTest::addRow("a name that is no chord is refused")
        << fingering(u"N.C."_s, {0, 2, 2, 1, 0, 0}) << u"Guitar"_s << QStringList{} << QStringList{u"Invalid Chord"_s};
    QTest::addRow("every string muted sounds nothing")
        << fingering(u"E"_s, {-1, -1, -1, -1, -1, -1}) << u"Guitar"_s << QStringList{} << QStringList{};
}

void ChordDictionaryTest::playsEntry()
{
    QFETCH(GuitarChordDef, entry);
    QFETCH(QString, instrument);
    QFETCH(QStringList, notes);
    QFETCH(QStringList, messages);

    ListFixture fixture({entry}, 0);
    fixture.desktop->app.instrument = instrument;
    fixture.click(u"bPlay"_s);
    QCOMPARE(fixture.noteOns(), notes);
    QCOMPARE(fixture.messages.texts(), messages);
    QCOMPARE(fixture.desktop->app.instrument, instrument);
    QCOMPARE(fixture.desktop->music.activeChordDef, entry);
}

void ChordDictionaryTest::findChordNamesFingering_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("messages");

    QTest::addRow("an A minor shape") << u"P6 F4,3 F3,3 F2,2 bFind"_s << QStringList{u"Am"_s};
    QTest::addRow("two notes make no chord") << u"P1 P2 P3 P4 bFind"_s << QStringList{u"Chord Not Found"_s};
}

void ChordDictionaryTest::findChordNamesFingering()
{
    QFETCH(QString, steps);
    QFETCH(QStringList, messages);

    SearchFixture fixture(GuitarChordDef{});
    editFingering(fixture.search.get(), steps);
    QCOMPARE(fixture.messages.texts(), messages);
}

void ChordDictionaryTest::searchShowsFretboardAlone()
{
    SearchFixture fixture(GuitarChordDef{});
    QWidget* search = fixture.search.get();
    QVERIFY(control<QWidget>(search, u"Fondo"_s)->isVisible());
    QVERIFY(control<QPushButton>(search, u"bFind"_s)->isVisible());
    QVERIFY(control<QPushButton>(search, u"bPlay"_s)->isVisible());
    QVERIFY(!control<QFrame>(search, u"Line1"_s)->isVisible());
    QVERIFY(!control<QWidget>(search, u"Tone0"_s)->isVisible());
    QVERIFY(!control<QPushButton>(search, u"bClose"_s)->isVisible());
    QCOMPARE(search->windowTitle(), u"Custom Guitar Chord"_s);
    // The reset definition has no name: no message about its tone.
    QVERIFY(fixture.messages.texts().isEmpty());
    QCOMPARE(fixture.desktop->music.dialogResult, 2);
}

void ChordDictionaryTest::everyStringMuted()
{
    SearchFixture fixture(fingering(u"X"_s, {-1, -1, -1, -1, -1, -1}));
    QWidget* search = fixture.search.get();
    for (int string = 1; string <= 6; ++string) {
        QVERIFY(control<QWidget>(search, u"Cruz"_s + QString::number(string))->isVisible());
        QVERIFY(!control<QWidget>(search, u"Punto"_s + QString::number(string))->isVisible());
    }
    QCOMPARE(control<QLineEdit>(search, u"tDefine"_s)->text(), u"Fret:0   String1 .. String6:-1 -1 -1 -1 -1 -1 "_s);
    editFingering(search, u"bFind bPlay"_s);
    QCOMPARE(fixture.messages.texts(), QStringList{u"Chord Not Found"_s});
    QVERIFY(fixture.noteOns().isEmpty());
    // A click on a cross puts the finger back on the open string.
    editFingering(search, u"F3,1"_s);
    QVERIFY(control<QWidget>(search, u"Punto3"_s)->isVisible());
    QVERIFY(!control<QWidget>(search, u"Cruz3"_s)->isVisible());
    QCOMPARE(fixture.search->fingering().frets.at(3), qint16(0));
}

void ChordDictionaryTest::baseFretMovesFretNumbers()
{
    SearchFixture fixture(fingering(u"Bb"_s, {-1, 0, 2, 2, 2, 0}, 25));
    QWidget* search = fixture.search.get();
    // A shape written higher than the bar reaches keeps its position.
    QCOMPARE(control<QScrollBar>(search, u"HS"_s)->value(), 25);
    editFingering(search, u"H3"_s);
    QCOMPARE(control<QLabel>(search, u"lTraste1"_s)->text(), u"4"_s);
    QCOMPARE(control<QLabel>(search, u"lTraste12"_s)->text(), u"15"_s);
    QCOMPARE(control<QLineEdit>(search, u"tDefine"_s)->text(), u"Fret:3   String1 .. String6:0 2 2 2 0 -1 "_s);
}

LIRAVOX_WIDGETS_TEST_MAIN(ChordDictionaryTest)

#include "chorddict_test.moc"
