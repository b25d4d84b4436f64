#include "fakemidisystem.h"
#include "testmain.h"

#include "base/appstate.h"
#include "base/messages.h"
#include "base/settings.h"
#include "midi/midilib.h"
#include "midi/midistartup.h"

using namespace lvx;
using namespace lvx::midi;
using namespace Qt::StringLiterals;

namespace {

constexpr int NothingOpened = -2;

struct Rig
{
    explicit Rig(int ports, bool mapperWorks = true)
    {
        for (int port = 0; port < ports; ++port)
            system->names.append(u"Port "_s + QString::number(port));
        system->mapperWorks = mapperWorks;
    }

    AppState app;
    RecordingMessages messages;
    FakeMidiSystem* system = new FakeMidiSystem;
    MidiLib midi{app, messages, std::unique_ptr<MidiSystem>(system)};
};

QString midiSetting(const QString& key)
{
    return GetSetting(u"Midi"_s, key, u"absent"_s);
}

void saveMidiSetting(const QString& key, const QString& value)
{
    if (!value.isNull())
        SaveSetting(u"Midi"_s, key, value);
}

} // namespace

class MidiStartupTest final : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void startUpOpensTheSavedDevice_data()
    {
        QTest::addColumn<int>("ports");
        QTest::addColumn<bool>("mapperWorks");
        QTest::addColumn<bool>("portsRefuse");
        QTest::addColumn<QString>("midiDev");   // null: not in the settings
        QTest::addColumn<int>("opened");        // the device that ends up open
        QTest::addColumn<QStringList>("shown");

        QTest::addRow("the first port by default") << 2 << true << false << QString() << 0 << QStringList();
        QTest::addRow("the saved port") << 2 << true << false << u"1"_s << 1 << QStringList();
        QTest::addRow("the saved mapper") << 2 << true << false << u"-1"_s << -1 << QStringList();
        QTest::addRow("no ports: the built-in synthesizer") << 0 << true << false << QString() << -1 << QStringList();
        QTest::addRow("a port that has gone: the built-in synthesizer") << 1 << true << false << u"3"_s << -1 << QStringList();
        QTest::addRow("nothing that sounds: silence, no message") << 0 << false << false << u"-1"_s << NothingOpened << QStringList();
        QTest::addRow("the mapper without audio output: silence, no message")
            << 2 << false << false << u"-1"_s << NothingOpened << QStringList();
        QTest::addRow("a port that will not open is reported")
            << 2 << true << true << u"0"_s << NothingOpened << QStringList{u"The MIDI output device could not be opened."_s};
        QTest::addRow("a device that is not a number reads as 0") << 2 << true << false << u"first"_s << 0 << QStringList();
    }
    void startUpOpensTheSavedDevice()
    {
        QFETCH(int, ports);
        QFETCH(bool, mapperWorks);
        QFETCH(bool, portsRefuse);
        QFETCH(QString, midiDev);
        QFETCH(int, opened);
        QFETCH(QStringList, shown);
        saveMidiSetting(u"MidiDev"_s, midiDev);
        Rig rig(ports, mapperWorks);
        rig.system->refuseOpen = portsRefuse;

        midiStartUp(rig.midi);

        QCOMPARE(rig.messages.texts(), shown);
        QCOMPARE(rig.app.midiOpen, opened != NothingOpened);
        QCOMPARE(rig.system->openPorts, opened != NothingOpened ? 1 : 0);
        if (opened != NothingOpened)
            QCOMPARE(rig.system->requested.last(), qint32(opened));
        QCOMPARE(midiSetting(u"LastHandle"_s), QString::number(rig.app.midiHandle));
        QCOMPARE(rig.app.midiHandle != 0, opened != NothingOpened);
        // The device the options show: the first port, or the built-in synthesizer when there is none.
        if (midiDev.isNull())
            QCOMPARE(rig.app.midiDevice, qint16(ports > 0 ? 0 : -1));
    }

    void aHandleLeftByACrashIsReleased_data()
    {
        QTest::addColumn<int>("ports");
        QTest::addColumn<bool>("mapperWorks");
        QTest::addRow("with devices: replaced by the new handle") << 1 << true;
        QTest::addRow("without any device: cleared") << 0 << false;
    }
    void aHandleLeftByACrashIsReleased()
    {
        QFETCH(int, ports);
        QFETCH(bool, mapperWorks);
        saveMidiSetting(u"LastHandle"_s, u"4711"_s);
        Rig rig(ports, mapperWorks);
        midiStartUp(rig.midi);
        QCOMPARE(rig.app.midiOpen, ports > 0);
        QVERIFY(rig.app.midiHandle != 4711);
        QCOMPARE(midiSetting(u"LastHandle"_s), QString::number(rig.app.midiHandle));
        QVERIFY(rig.messages.entries().isEmpty());
    }

    void startUpReadsPatchesAndResetsTheCounter_data()
    {
        QTest::addColumn<QString>("guitarPatch");
        QTest::addColumn<QString>("pianoPatch");
        QTest::addColumn<int>("guitar");
        QTest::addColumn<int>("piano");
        QTest::addRow("defaults") << QString() << QString() << 24 << 0;
        QTest::addRow("saved patches") << u"25"_s << u"4"_s << 25 << 4;
        QTest::addRow("text that is not a number gives the default") << u"steel"_s << u"4x"_s << 24 << 0;
    }
    void startUpReadsPatchesAndResetsTheCounter()
    {
        QFETCH(QString, guitarPatch);
        QFETCH(QString, pianoPatch);
        QFETCH(int, guitar);
        QFETCH(int, piano);
        saveMidiSetting(u"GuitarPatch"_s, guitarPatch);
        saveMidiSetting(u"PianoPatch"_s, pianoPatch);
        Rig rig(1);
        rig.app.PlayingCount = 3;
        midiStartUp(rig.midi);
        QCOMPARE(int(rig.app.guitarPatch), guitar);
        QCOMPARE(int(rig.app.pianoPatch), piano);
        QCOMPARE(rig.app.PlayingCount, qint16(0));
        QCOMPARE(rig.midi.instrumentNames().count(), 128);
    }

    void exitClosesAndClearsTheHandle_data()
    {
        QTest::addColumn<int>("ports");
        QTest::addColumn<bool>("mapperWorks");
        QTest::addRow("an open output is closed") << 1 << true;
        QTest::addRow("with nothing open only the handle is cleared") << 0 << false;
    }
    void exitClosesAndClearsTheHandle()
    {
        QFETCH(int, ports);
        QFETCH(bool, mapperWorks);
        Rig rig(ports, mapperWorks);
        midiStartUp(rig.midi);
        midiShutDown(rig.midi);
        QCOMPARE(rig.system->openPorts, 0);
        QVERIFY(!rig.app.midiOpen);
        QCOMPARE(midiSetting(u"LastHandle"_s), u"0"_s);
        QVERIFY(rig.messages.entries().isEmpty());
    }

    void changingTheDevice_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<bool>("reopened");
        QTest::addRow("the same device stays open as it is") << 0 << false;
        QTest::addRow("Midi Mapper is stored as -1") << -1 << true;
        QTest::addRow("another port") << 1 << true;
    }
    void changingTheDevice()
    {
        QFETCH(int, device);
        QFETCH(bool, reopened);
        Rig rig(2);
        midiStartUp(rig.midi);
        const qint32 handleBefore = rig.app.midiHandle;
        changeMidiDevice(rig.midi, qint16(device));
        QCOMPARE(rig.app.midiHandle != handleBefore, reopened);
        QCOMPARE(rig.system->openPorts, 1);
        QCOMPARE(rig.system->requested.last(), qint32(device));
        QCOMPARE(int(rig.app.midiDevice), device);
        QCOMPARE(midiSetting(u"MidiDev"_s), QString::number(device));
    }
};

LIRAVOX_TEST_MAIN(MidiStartupTest)
#include "midistartup_test.moc"
