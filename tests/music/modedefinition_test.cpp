#include "music/chordtypetable.h"
#include "music/modedefinition.h"
#include "music/modos.h"

#include "testmain.h"
#include "musicfixtures.h"

#include <QTest>

using namespace lvx::music;
using namespace Qt::StringLiterals;

namespace {

Modos describedChordType(const QString& name, std::initializer_list<qint16> intervals = {0, 4, 7})
{
    return lvx::test::chordType(name, intervals, {}, name + u" chord");
}

ChordTypeTable sampleTable()
{
    ChordTypeTable table;
    for (const QString& name : {u"maj"_s, u"m"_s, u"7"_s, u"m7"_s})
        table.add(describedChordType(name));
    return table;
}

QList<int> intervals(const Modos& mode)
{
    QList<int> list;
    for (int slot = 0; slot < mode.GetNumInv(); ++slot)
        list.append(mode.GetInv(slot));
    return list;
}

// Aliases are not keys: "M7" may be an alias of maj7 while m7 is a key, and a
// later entry may use an earlier entry's alias as its own name.
ChordTypeTable aliasTable()
{
    using lvx::test::chordType;
    ChordTypeTable table;
    table.add(chordType(u"m7"_s, {0, 3, 7}, {u"min7"_s, u"-7"_s}));
    table.add(chordType(u"maj7"_s, {0, 4, 7}, {u"M7"_s}));
    table.add(chordType(u"7"_s, {0, 4, 7}, {u"dom7"_s}));
    table.add(chordType(u"min7"_s));
    table.add(chordType(u"sus"_s, {0, 5, 7}, {u"sus4"_s, u"dom7"_s}));
    return table;
}

QStringList keysAndNames(const ChordTypeTable& table)
{
    QStringList list;
    for (qsizetype index = 0; index < table.size(); ++index)
        list.append(table.keyAt(index) + u'=' + table.at(index)->Nombre);
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
    void lookUp_data();
    void lookUp();
    void editing();
};

void ModeDefinitionTest::refusesEntries_data()
{
    QTest::addColumn<QString>("mainAlias");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("activeName");   // the entry edited; none for a new one
    QTest::addColumn<QString>("message");
    const QString invalid = u"Invalid Mode Main Alias, Try Again"_s;
    const QString noDescription = u"Must input Description, Try Again"_s;
    const QString duplicate = u"Main Alias Duplicate, try again"_s;
    QTest::addRow("empty main alias") << QString() << u"x"_s << QString() << invalid;
    QTest::addRow("blank inside the main alias") << u"m 7"_s << u"x"_s << QString() << invalid;
    QTest::addRow("colon in the main alias would end a declaration") << u"m:7"_s << u"x"_s << QString() << invalid;
    QTest::addRow("blank description") << u"add9"_s << u"   "_s << QString() << noDescription;
    QTest::addRow("new alias taken in another case") << u"M7"_s << u"x"_s << QString() << duplicate;
    QTest::addRow("new free alias") << u"add9"_s << u"added ninth"_s << QString() << QString();
    QTest::addRow("an edited entry keeps its own name") << u"m7"_s << u"x"_s << u"m7"_s << QString();
    QTest::addRow("an edited entry may not take another key") << u"maj"_s << u"x"_s << u"m7"_s << duplicate;
    QTest::addRow("an edited entry may take a free name") << u"min7"_s << u"x"_s << u"m7"_s << QString();
}

void ModeDefinitionTest::refusesEntries()
{
    QFETCH(QString, mainAlias);
    QFETCH(QString, description);
    QFETCH(QString, activeName);
    const ModeEdit edit = activeName.isEmpty() ? ModeEdit::New : ModeEdit::Edit;
    QTEST(checkModeDefinition(mainAlias, description, edit, activeName, sampleTable()), "message");
}

void ModeDefinitionTest::storesIntervals_data()
{
    QTest::addColumn<QList<int>>("lit");
    QTest::addColumn<QList<int>>("stored");
    QTest::addRow("lit toggles in rising order") << QList<int>{7, 0, 4} << QList<int>{0, 4, 7};
    QTest::addRow("ten lit keep the eight lowest")
        << QList<int>{0, 2, 4, 5, 7, 9, 11, 12, 14, 23} << QList<int>{0, 2, 4, 5, 7, 9, 11, 12};
    QTest::addRow("nothing lit clears every slot") << QList<int>{} << QList<int>{};
}

void ModeDefinitionTest::storesIntervals()
{
    QFETCH(QList<int>, lit);
    QFETCH(QList<int>, stored);
    // Starts full, so slots left over from before must be emptied.
    Modos mode = describedChordType(u"old"_s, {0, 1, 2, 3, 4, 5, 6, 7});
    mode.SinonimosAdd(u"gone"_s);
    IntervalToggles toggles{};
    for (int semitone : lit)
        toggles.at(size_t(semitone)) = true;
    storeModeDefinition(mode, u"new"_s, u" described "_s, toggles, {u"n"_s, u"nw"_s});

    QCOMPARE(intervals(mode), stored);
    for (int slot = int(stored.size()); slot < Modos::MaxIntervals; ++slot)
        QCOMPARE(mode.GetInv(slot), qint16(-1));
    QCOMPARE((QStringList{mode.Nombre, mode.Descripcion, mode.SinonimosGet(1), mode.SinonimosGet(2)}),
             (QStringList{u"new"_s, u" described "_s, u"n"_s, u"nw"_s}));
    QCOMPARE(mode.SinonimosDim, qint16(2));
    // What the editor shows when it opens the stored entry again.
    IntervalToggles expected{};
    for (int semitone : stored)
        expected.at(size_t(semitone)) = true;
    QCOMPARE(togglesOf(mode), expected);
}

void ModeDefinitionTest::lookUp_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("byAlias");   // the key the alias finds
    QTest::addColumn<bool>("isKey");        // keys ignore case
    QTest::addRow("main alias") << u"7"_s << u"7"_s << true;
    QTest::addRow("further alias") << u"-7"_s << u"m7"_s << false;
    QTest::addRow("alias of two entries resolves to the earlier") << u"dom7"_s << u"7"_s << false;
    QTest::addRow("earlier further alias beats a later main alias") << u"min7"_s << u"m7"_s << true;
    QTest::addRow("aliases match with case, keys without") << u"M7"_s << u"maj7"_s << true;
    QTest::addRow("a key in other case is no alias") << u"MAJ7"_s << QString() << true;
    QTest::addRow("last alias of the last entry") << u"sus4"_s << u"sus"_s << false;
    QTest::addRow("unknown") << u"add9"_s << QString() << false;
}

void ModeDefinitionTest::lookUp()
{
    QFETCH(QString, name);
    QFETCH(QString, byAlias);
    ChordTypeTable table = aliasTable();
    QCOMPARE(table.findByAlias(name), byAlias.isEmpty() ? nullptr : table.find(byAlias));
    QTEST(table.aliasTaken(name), "isKey");
    QTEST(table.find(name) != nullptr, "isKey");
}

// Keys stay with their entries through renames, moves and removals.
void ModeDefinitionTest::editing()
{
    ChordTypeTable table = aliasTable();
    QVERIFY(!table.add(lvx::test::chordType(u"M7"_s)));
    table.find(u"7"_s)->Nombre = u"dom"_s;
    QVERIFY(table.aliasTaken(u"7"_s));
    QVERIFY(!table.aliasTaken(u"dom"_s));
    QCOMPARE(table.findByAlias(u"dom"_s), table.find(u"7"_s));
    QVERIFY(table.moveUp(2));
    QVERIFY(!table.moveUp(0));
    QVERIFY(!table.moveDown(4));
    QVERIFY(table.moveDown(0));
    QCOMPARE(keysAndNames(table), (QStringList{u"7=dom"_s, u"m7=m7"_s, u"maj7=maj7"_s, u"min7=min7"_s, u"sus=sus"_s}));
    QVERIFY(table.remove(u"M7"_s));
    // With m7 gone, its alias min7 is found under the entry of that name.
    QCOMPARE(table.findByAlias(u"min7"_s), table.find(u"min7"_s));
    QVERIFY(!table.remove(u"m7"_s));
    QCOMPARE(table.at(table.size()), nullptr);
    table.clear();
    QCOMPARE(table.findByAlias(u"7"_s), nullptr);
}

LIRAVOX_TEST_MAIN(ModeDefinitionTest)
#include "modedefinition_test.moc"
