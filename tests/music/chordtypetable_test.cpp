#include "music/chordtypetable.h"

#include "testmain.h"
#include "musicfixtures.h"

#include <QTest>

using namespace lvx::music;
using namespace Qt::StringLiterals;

namespace {

Modos chordType(const QString& name, const QStringList& aliases = {})
{
    return lvx::test::chordType(name, {0, 4, 7}, aliases);
}

// Aliases are not keys: "M7" may be an alias of maj7 while m7 is a key, and a
// later entry may use an earlier entry's alias as its own name.
ChordTypeTable sampleTable()
{
    ChordTypeTable table;
    table.add(chordType(u"m7"_s, {u"min7"_s, u"-7"_s}));
    table.add(chordType(u"maj7"_s, {u"M7"_s}));
    table.add(chordType(u"7"_s, {u"dom7"_s}));
    table.add(chordType(u"min7"_s));
    table.add(chordType(u"sus"_s, {u"sus4"_s, u"dom7"_s}));
    return table;
}

QStringList keys(const ChordTypeTable& table)
{
    QStringList list;
    for (qsizetype index = 0; index < table.size(); ++index)
        list.append(table.keyAt(index));
    return list;
}

} // namespace

class ChordTypeTableTest final : public QObject
{
    Q_OBJECT

private slots:
    void findByAlias_data();
    void findByAlias();
    void keysIgnoreCase_data();
    void keysIgnoreCase();
    void addRefusesTakenKey();
    void renamedEntryKeepsItsKey();
    void move_data();
    void move();
    void removeAndClear();
};

void ChordTypeTableTest::findByAlias_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("key");

    QTest::addRow("main alias") << u"7"_s << u"7"_s;
    QTest::addRow("further alias") << u"-7"_s << u"m7"_s;
    QTest::addRow("alias of two entries resolves to the earlier") << u"dom7"_s << u"7"_s;
    QTest::addRow("earlier further alias beats a later main alias") << u"min7"_s << u"m7"_s;
    QTest::addRow("aliases match with case") << u"M7"_s << u"maj7"_s;
    QTest::addRow("a key in other case is no alias") << u"MAJ7"_s << QString();
    QTest::addRow("last alias of the last entry") << u"sus4"_s << u"sus"_s;
    QTest::addRow("unknown alias") << u"add9"_s << QString();
    QTest::addRow("empty alias") << QString() << QString();
}

void ChordTypeTableTest::findByAlias()
{
    QFETCH(QString, alias);
    QFETCH(QString, key);

    ChordTypeTable table = sampleTable();
    const Modos* found = table.findByAlias(alias);
    if (key.isEmpty()) {
        QCOMPARE(found, nullptr);
        return;
    }
    QVERIFY(found);
    QCOMPARE(found, table.find(key));
}

void ChordTypeTableTest::keysIgnoreCase_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("taken");

    QTest::addRow("same case") << u"m7"_s << true;
    QTest::addRow("other case") << u"M7"_s << true;
    QTest::addRow("all capitals") << u"MAJ7"_s << true;
    QTest::addRow("further alias is no key") << u"dom7"_s << false;
    QTest::addRow("unknown") << u"m9"_s << false;
}

void ChordTypeTableTest::keysIgnoreCase()
{
    QFETCH(QString, key);
    QFETCH(bool, taken);

    const ChordTypeTable table = sampleTable();
    QCOMPARE(table.aliasTaken(key), taken);
    QCOMPARE(table.find(key) != nullptr, taken);
    QCOMPARE(table.indexOf(key) >= 0, taken);
}

void ChordTypeTableTest::addRefusesTakenKey()
{
    ChordTypeTable table = sampleTable();
    const qsizetype size = table.size();
    QVERIFY(!table.add(chordType(u"M7"_s)));
    QCOMPARE(table.size(), size);
    QCOMPARE(table.find(u"M7"_s)->Nombre, u"m7"_s);
    QVERIFY(table.add(chordType(u"m9"_s)));
    QCOMPARE(table.keyAt(size), u"m9"_s);
}

void ChordTypeTableTest::renamedEntryKeepsItsKey()
{
    ChordTypeTable table = sampleTable();
    table.find(u"7"_s)->Nombre = u"dom"_s;
    QVERIFY(table.aliasTaken(u"7"_s));
    QVERIFY(!table.aliasTaken(u"dom"_s));
    QCOMPARE(table.findByAlias(u"dom"_s), table.find(u"7"_s));
    QCOMPARE(table.findByAlias(u"7"_s), nullptr);
}

void ChordTypeTableTest::move_data()
{
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<QStringList>("order");

    const QStringList unchanged{u"m7"_s, u"maj7"_s, u"7"_s, u"min7"_s, u"sus"_s};
    QTest::addRow("up") << true << 2 << true << QStringList{u"m7"_s, u"7"_s, u"maj7"_s, u"min7"_s, u"sus"_s};
    QTest::addRow("down") << false << 0 << true << QStringList{u"maj7"_s, u"m7"_s, u"7"_s, u"min7"_s, u"sus"_s};
    QTest::addRow("first cannot move up") << true << 0 << false << unchanged;
    QTest::addRow("last cannot move down") << false << 4 << false << unchanged;
    QTest::addRow("index past the end") << true << 5 << false << unchanged;
    QTest::addRow("negative index") << false << -1 << false << unchanged;
}

void ChordTypeTableTest::move()
{
    QFETCH(bool, up);
    QFETCH(int, index);
    QFETCH(bool, moved);
    QFETCH(QStringList, order);

    ChordTypeTable table = sampleTable();
    QCOMPARE(up ? table.moveUp(index) : table.moveDown(index), moved);
    QCOMPARE(keys(table), order);
    // Entries travel with their keys.
    QStringList names;
    for (const Modos& mode : std::as_const(table))
        names.append(mode.Nombre);
    QCOMPARE(names, order);
}

void ChordTypeTableTest::removeAndClear()
{
    ChordTypeTable table = sampleTable();
    QVERIFY(table.remove(u"M7"_s));
    QVERIFY(!table.aliasTaken(u"m7"_s));
    // With m7 gone, its alias min7 is found under the entry of that name.
    QCOMPARE(table.findByAlias(u"min7"_s), table.find(u"min7"_s));
    QVERIFY(!table.remove(u"m7"_s));
    QCOMPARE(table.at(table.size()), nullptr);
    QCOMPARE(table.keyAt(-1), QString());

    table.clear();
    QVERIFY(table.isEmpty());
    QCOMPARE(table.findByAlias(u"7"_s), nullptr);
    QVERIFY(table.add(chordType(u"m7"_s)));
}

LIRAVOX_TEST_MAIN(ChordTypeTableTest)
#include "chordtypetable_test.moc"
