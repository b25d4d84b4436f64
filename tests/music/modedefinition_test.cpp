#include "music/chordtypetable.h"
#include "music/diagramgrid.h"
#include "music/modedefinition.h"
#include "music/modos.h"

#include "testmain.h"
#include "musicfixtures.h"

#include <QTest>

using namespace lvx::music;
using namespace Qt::StringLiterals;

namespace {

Modos chordType(const QString& name, std::initializer_list<qint16> intervals = {0, 4, 7})
{
    return lvx::test::chordType(name, intervals, {}, name + u" chord");
}

ChordTypeTable sampleTable()
{
    ChordTypeTable table;
    for (const QString& name : {u"maj"_s, u"m"_s, u"7"_s, u"m7"_s})
        table.add(chordType(name));
    return table;
}

QStringList keys(const ChordTypeTable& table)
{
    QStringList list;
    for (qsizetype index = 0; index < table.size(); ++index)
        list.append(table.keyAt(index));
    return list;
}

QList<int> intervals(const Modos& mode)
{
    QList<int> list;
    for (int slot = 0; slot < mode.GetNumInv(); ++slot)
        list.append(mode.GetInv(slot));
    return list;
}

} // namespace

class ModeDefinitionTest final : public QObject
{
    Q_OBJECT

private slots:
    void refusesEntries_data();
    void refusesEntries();
    void storesIntervals_data();
    void storesIntervals();
    void aliasInput_data();
    void aliasInput();
    void insertsAfterSelection_data();
    void insertsAfterSelection();
    void gridCells_data();
    void gridCells();
};

void ModeDefinitionTest::refusesEntries_data()
{
    QTest::addColumn<QString>("mainAlias");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("isNew");
    QTest::addColumn<QString>("activeName");
    QTest::addColumn<QString>("message");

    const QString invalid = u"Invalid Mode Main Alias, Try Again"_s;
    const QString noDescription = u"Must input Description, Try Again"_s;
    const QString duplicate = u"Main Alias Duplicate, try again"_s;
    QTest::addRow("empty main alias") << QString() << u"x"_s << true << QString() << invalid;
    QTest::addRow("blank inside the main alias") << u"m 7"_s << u"x"_s << true << QString() << invalid;
    QTest::addRow("colon in the main alias would end a declaration") << u"m:7"_s << u"x"_s << true << QString() << invalid;
    QTest::addRow("the alias is checked before the description") << u"m 7"_s << QString() << true << QString() << invalid;
    QTest::addRow("blank description") << u"add9"_s << u"   "_s << true << QString() << noDescription;
    QTest::addRow("new alias taken in another case") << u"M7"_s << u"x"_s << true << QString() << duplicate;
    QTest::addRow("new alias taken exactly") << u"7"_s << u"x"_s << true << QString() << duplicate;
    QTest::addRow("new free alias") << u"add9"_s << u"added ninth"_s << true << QString() << QString();
    QTest::addRow("an edited entry keeps its own name") << u"m7"_s << u"x"_s << false << u"m7"_s << QString();
    QTest::addRow("an edited entry may not take another key") << u"maj"_s << u"x"_s << false << u"m7"_s << duplicate;
    QTest::addRow("renaming to a case variant collides with its own key")
        << u"M7"_s << u"x"_s << false << u"m7"_s << duplicate;
    QTest::addRow("an edited entry may take a free name") << u"min7"_s << u"x"_s << false << u"m7"_s << QString();
}

void ModeDefinitionTest::refusesEntries()
{
    QFETCH(QString, mainAlias);
    QFETCH(QString, description);
    QFETCH(bool, isNew);
    QFETCH(QString, activeName);
    QFETCH(QString, message);

    const ModeEdit edit = isNew ? ModeEdit::New : ModeEdit::Edit;
    QCOMPARE(checkModeDefinition(mainAlias, description, edit, activeName, sampleTable()), message);
}

void ModeDefinitionTest::storesIntervals_data()
{
    QTest::addColumn<QList<int>>("lit");
    QTest::addColumn<QList<int>>("stored");

    QTest::addRow("lit toggles in rising order") << QList<int>{7, 0, 4} << QList<int>{0, 4, 7};
    QTest::addRow("ten lit keep the eight lowest")
        << QList<int>{0, 2, 4, 5, 7, 9, 11, 12, 14, 23} << QList<int>{0, 2, 4, 5, 7, 9, 11, 12};
    QTest::addRow("the second octave is reachable") << QList<int>{0, 10, 16, 21} << QList<int>{0, 10, 16, 21};
    QTest::addRow("nothing lit clears every slot") << QList<int>{} << QList<int>{};
}

void ModeDefinitionTest::storesIntervals()
{
    QFETCH(QList<int>, lit);
    QFETCH(QList<int>, stored);

    // Starts full, so slots left over from before must be emptied.
    Modos mode = chordType(u"old"_s, {0, 1, 2, 3, 4, 5, 6, 7});
    mode.SinonimosAdd(u"gone"_s);
    IntervalToggles toggles{};
    for (int semitone : lit)
        toggles.at(size_t(semitone)) = true;
    storeModeDefinition(mode, u"new"_s, u" described "_s, toggles, {u"n"_s, u"nw"_s});

    QCOMPARE(intervals(mode), stored);
    for (int slot = int(stored.size()); slot < Modos::MaxIntervals; ++slot)
        QCOMPARE(mode.GetInv(slot), qint16(-1));
    QCOMPARE(mode.Nombre, u"new"_s);
    QCOMPARE(mode.Descripcion, u" described "_s);
    QCOMPARE(mode.SinonimosDim, qint16(2));
    QCOMPARE(mode.SinonimosGet(1), u"n"_s);
    QCOMPARE(mode.SinonimosGet(2), u"nw"_s);

    // What the editor shows when it opens the stored entry again.
    IntervalToggles expected{};
    for (int semitone : stored)
        expected.at(size_t(semitone)) = true;
    QCOMPARE(togglesOf(mode), expected);
}

void ModeDefinitionTest::aliasInput_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("alias");   // empty: refused

    QTest::addRow("surrounding blanks are trimmed") << u"  sus "_s << u"sus"_s;
    QTest::addRow("nothing typed") << QString() << QString();
    QTest::addRow("only blanks") << u"   "_s << QString();
    QTest::addRow("a blank inside") << u"add 9"_s << QString();
    QTest::addRow("a tab is not a blank") << u"a\tb"_s << u"a\tb"_s;
}

void ModeDefinitionTest::aliasInput()
{
    QFETCH(QString, typed);
    QFETCH(QString, alias);

    const std::optional<QString> result = aliasFromInput(typed);
    QCOMPARE(result.has_value(), !alias.isEmpty());
    if (result)
        QCOMPARE(*result, alias);
}

void ModeDefinitionTest::insertsAfterSelection_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("order");

    QTest::addRow("after the selected entry") << 1 << u"sus4"_s << 2 << QStringList{u"maj"_s, u"m"_s, u"sus4"_s, u"7"_s, u"m7"_s};
    QTest::addRow("no selection goes after the first") << -1 << u"sus4"_s << 1
                                                       << QStringList{u"maj"_s, u"sus4"_s, u"m"_s, u"7"_s, u"m7"_s};
    QTest::addRow("after the last") << 3 << u"sus4"_s << 4 << QStringList{u"maj"_s, u"m"_s, u"7"_s, u"m7"_s, u"sus4"_s};
    QTest::addRow("a taken key is refused") << 0 << u"M"_s << -1 << QStringList{u"maj"_s, u"m"_s, u"7"_s, u"m7"_s};
}

void ModeDefinitionTest::insertsAfterSelection()
{
    QFETCH(int, selected);
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QStringList, order);

    ChordTypeTable table = sampleTable();
    // A renamed entry keeps its old key wherever the new one lands.
    table.at(2)->Nombre = u"dom7"_s;
    QCOMPARE(insertChordTypeAfter(table, selected, chordType(name)), qsizetype(index));
    QCOMPARE(keys(table), order);
    QCOMPARE(table.find(u"7"_s)->Nombre, u"dom7"_s);

    ChordTypeTable empty;
    QCOMPARE(insertChordTypeAfter(empty, selected, chordType(name)), qsizetype(0));
}

void ModeDefinitionTest::gridCells_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("lastFirstRow");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<int>("entry");

    // Cells of 100 x 80 pixels, twelve diagrams.
    QTest::addRow("all rows fit") << QSize(430, 250) << 4 << 0 << QPoint(150, 90) << 0 << 6;
    QTest::addRow("scrolled one row down") << QSize(430, 170) << 4 << 1 << QPoint(10, 10) << 1 << 5;
    QTest::addRow("a narrow view still has a column") << QSize(50, 80) << 1 << 11 << QPoint(40, 70) << 11 << 12;
    QTest::addRow("a cell past the last diagram is empty") << QSize(500, 400) << 5 << 0 << QPoint(450, 180) << 0 << 0;
    QTest::addRow("the strip right of the last column is empty") << QSize(450, 400) << 4 << 0 << QPoint(420, 10) << 0 << 0;
}

void ModeDefinitionTest::gridCells()
{
    QFETCH(QSize, area);
    QFETCH(int, columns);
    QFETCH(int, lastFirstRow);
    QFETCH(QPoint, point);
    QFETCH(int, firstRow);
    QFETCH(int, entry);

    const DiagramGrid grid(QSize(100, 80), area, 12);
    QCOMPARE(grid.columns(), columns);
    QCOMPARE(grid.lastFirstRow(), lastFirstRow);
    QCOMPARE(grid.entryAtPoint(point, firstRow), entry);
}

LIRAVOX_TEST_MAIN(ModeDefinitionTest)
#include "modedefinition_test.moc"
