#include "music/modos.h"

#include "testmain.h"

#include <QTest>

using namespace lvx::music;
using namespace Qt::StringLiterals;

using Intervals = QList<int>;

namespace {

Modos created(const QString& name, const Intervals& intervals)
{
    QList<qint16> values(Modos::MaxIntervals, -1);
    for (qsizetype index = 0; index < intervals.size(); ++index)
        values[index] = qint16(intervals[index]);
    Modos mode;
    mode.Create(name, name + u" chord"_s, values[0], values[1], values[2], values[3], values[4], values[5], values[6],
                values[7]);
    return mode;
}

QStringList aliasList(const Modos& mode)
{
    QStringList list;
    for (int index = 1; index <= mode.SinonimosDim; ++index)
        list.append(mode.SinonimosGet(index));
    return list;
}

} // namespace

class ModosTest final : public QObject
{
    Q_OBJECT

private slots:
    void create_data();
    void create();
    void createClearsAliases();
    void aliases_data();
    void aliases();
    void outOfRange_data();
    void outOfRange();
    void handOver();
};

void ModosTest::create_data()
{
    QTest::addColumn<Intervals>("intervals");
    QTest::addColumn<int>("count");

    QTest::addRow("major triad counts three") << Intervals{0, 4, 7} << 3;
    QTest::addRow("eight intervals fill every slot") << Intervals{0, 2, 4, 5, 7, 9, 11, 23} << 8;
    QTest::addRow("empty slots between intervals do not count") << Intervals{0, -1, 7, -1, 10} << 3;
    QTest::addRow("no intervals") << Intervals{} << 0;
}

void ModosTest::create()
{
    QFETCH(Intervals, intervals);
    QFETCH(int, count);

    const Modos mode = created(u"x"_s, intervals);
    QCOMPARE(mode.Nombre, u"x"_s);
    QCOMPARE(mode.Descripcion, u"x chord"_s);
    QCOMPARE(mode.GetNumInv(), count);
    for (int index = 0; index < Modos::MaxIntervals; ++index)
        QCOMPARE(mode.GetInv(index), index < intervals.size() ? intervals[index] : -1);
    QCOMPARE(mode.GetInv(8), -1);
}

void ModosTest::createClearsAliases()
{
    Modos mode = created(u"m7"_s, {0, 3, 7, 10});
    mode.SinonimosAdd(u"min7"_s);
    mode = created(u"m7"_s, {0, 3, 7, 10});
    QCOMPARE(mode.SinonimosDim, 0);
    QCOMPARE(mode.SinonimosGet(1), QString());
}

void ModosTest::aliases_data()
{
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<int>("resized");
    QTest::addColumn<QStringList>("kept");

    QTest::addRow("resizing to the same count keeps all") << QStringList{u"a"_s, u"b"_s} << 2 << QStringList{u"a"_s, u"b"_s};
    QTest::addRow("shrinking keeps the first") << QStringList{u"a"_s, u"b"_s, u"c"_s} << 1 << QStringList{u"a"_s};
    QTest::addRow("growing adds empty aliases") << QStringList{u"a"_s} << 3 << QStringList{u"a"_s, QString(), QString()};
    QTest::addRow("resizing to nothing") << QStringList{u"a"_s} << 0 << QStringList{};
    QTest::addRow("negative size is ignored") << QStringList{u"a"_s} << -1 << QStringList{u"a"_s};
    QTest::addRow("size past 16 bits is ignored") << QStringList{u"a"_s} << 40000 << QStringList{u"a"_s};
}

void ModosTest::aliases()
{
    QFETCH(QStringList, added);
    QFETCH(int, resized);
    QFETCH(QStringList, kept);

    Modos mode;
    for (const QString& alias : added)
        mode.SinonimosAdd(alias);
    QCOMPARE(aliasList(mode), added);
    mode.SinonimosReDim(resized);
    QCOMPARE(aliasList(mode), kept);
    // Adding after a resize continues after the last kept alias.
    mode.SinonimosAdd(u"z"_s);
    QCOMPARE(aliasList(mode), kept + QStringList{u"z"_s});
}

void ModosTest::outOfRange_data()
{
    QTest::addColumn<int>("index");

    QTest::addRow("index 0") << 0;
    QTest::addRow("negative index") << -1;
    QTest::addRow("one past the end") << 3;
    QTest::addRow("beyond 16 bits") << 70000;
}

// Indexes come from list boxes and files; a wrong one must neither crash nor
// change anything.
void ModosTest::outOfRange()
{
    QFETCH(int, index);

    Modos mode = created(u"7"_s, {0, 4, 7, 10});
    mode.SinonimosAdd(u"dom"_s);
    mode.SinonimosAdd(u"dom7"_s);
    const Modos before = mode;

    mode.SinonimosSet(index, u"bad"_s);
    QCOMPARE(mode.SinonimosGet(index), QString());
    if (index < 0 || index >= Modos::IntervalSlots) {
        mode.SetInv(index, 5);
        QCOMPARE(mode.GetInv(index), -1);
    }
    QVERIFY(mode == before);

    // A count raised by hand past the stored aliases reads as empty aliases.
    mode.SinonimosDim = 5;
    QCOMPARE(mode.SinonimosGet(4), QString());
    mode.SinonimosSet(4, u"lost"_s);
    QCOMPARE(mode.SinonimosGet(2), u"dom7"_s);
}

void ModosTest::handOver()
{
    Modos entry = created(u"m7"_s, {0, 3, 7, 10});
    entry.SinonimosAdd(u"min7"_s);
    entry.SinonimosAdd(u"-7"_s);

    // The active entry still holds an earlier, longer chord type.
    Modos active = created(u"13"_s, {0, 4, 7, 10, 14, 17, 21, 23});
    for (const QString& alias : {u"a"_s, u"b"_s, u"c"_s, u"d"_s})
        active.SinonimosAdd(alias);

    entry.SetToActive(active);
    Modos other = created(u"sus4"_s, {0, 5, 7});
    other.GetFromActive(active);

    QCOMPARE(other.Nombre, u"m7"_s);
    QCOMPARE(other.Descripcion, u"m7 chord"_s);
    QCOMPARE(other.GetNumInv(), 4);
    for (int index = 0; index < Modos::MaxIntervals; ++index)
        QCOMPARE(other.GetInv(index), entry.GetInv(index));
    QCOMPARE(aliasList(other), (QStringList{u"min7"_s, u"-7"_s}));
    QVERIFY(other == entry);
}

LIRAVOX_TEST_MAIN(ModosTest)
#include "modos_test.moc"
