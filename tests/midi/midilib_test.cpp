#include "fakemidisystem.h"
#include "testmain.h"

#include "base/appstate.h"
#include "base/messages.h"
#include "base/settings.h"
#include "midi/midilib.h"
#include "midi/midistartup.h"
#include "midi/shortmessage.h"

using namespace lvx;
using namespace lvx::midi;
using namespace Qt::StringLiterals;

namespace {

constexpr int NothingOpened = -2;

// A MidiLib over fake devices ("Port 0", "Port 1"...), with the messages it shows kept.
struct Rig
{
    explicit Rig(int ports = 0, bool mapperWorks = true)
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

class MidiLibTest final : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void messageBytes_data()
    {
        QTest::addColumn<QString>("call");   // what is called, with its numbers
        QTest::addColumn<quint32>("expected");
        QTest::addRow("status goes in the lowest byte") << u"send 144 60 100"_s << 0x00643C90u;
        QTest::addRow("note on, channel 0") << u"note 0 64 127"_s << 0x007F4090u;
        QTest::addRow("note on with velocity 0 ends the note") << u"note 0 64 0"_s << 0x00004090u;
        QTest::addRow("note on adds the channel to the status") << u"note 9 36 127"_s << 0x007F2499u;
        QTest::addRow("program change carries the program and a zero") << u"program 0 24"_s << 0x000018C0u;
        QTest::addRow("program change on channel 2") << u"program 2 0"_s << 0x000000C2u;
    }
    void messageBytes()
    {
        QFETCH(QString, call);
        const QStringList words = call.split(u' ');
        const auto number = [&words](int index) { return quint8(words.value(index).toInt()); };
        Rig rig;
        rig.midi.open(qint16(MidiMapper));
        if (words[0] == u"send")
            rig.midi.send(number(1), number(2), number(3));
        else if (words[0] == u"note")
            rig.midi.noteOn(number(1), number(2), number(3));
        else
            rig.midi.programChange(number(1), number(2));
        const QList<LoggedMessage> sent = rig.system->lastPort->recorder.log().messages();
        QCOMPARE(sent.size(), 1);
        QTEST(sent.first().message, "expected");
        QVERIFY(rig.messages.entries().isEmpty());
    }

    void messageLength_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("length");
        QTest::addRow("note on has two data bytes") << 0x90 << 3;
        QTest::addRow("program change has one") << 0xC0 << 2;
        QTest::addRow("channel pressure has one") << 0xDF << 2;
        QTest::addRow("a data byte is no message") << 0x40 << 0;
        QTest::addRow("a real-time message has none") << 0xF8 << 1;
        QTest::addRow("song position has two data bytes") << 0xF2 << 3;
    }
    void messageLength()
    {
        QFETCH(int, status);
        QTEST(lvx::midi::messageLength(quint8(status)), "length");
    }

    void openingSetsHandleAndFlag()
    {
        Rig rig;
        rig.system->names = {u"Port A"_s};
        rig.midi.open(0);
        QVERIFY(rig.app.midiOpen);
        const qint32 first = rig.app.midiHandle;
        QVERIFY(first != 0);
        rig.midi.open(qint16(MidiMapper));
        QCOMPARE(rig.system->openPorts, 1);   // the second open replaced the first
        QCOMPARE(rig.system->requested, (QList<qint32>{0, -1}));   // the mapper is -1 in 32 bits
        QVERIFY(rig.app.midiHandle != first);
        rig.midi.close();
        QCOMPARE(rig.system->openPorts, 0);
        QVERIFY(!rig.app.midiOpen);
        QCOMPARE(rig.app.midiHandle, 0);
        QVERIFY(rig.messages.entries().isEmpty());
        // Closing a handle an earlier run left in the settings keeps our output.
        rig.midi.open(qint16(MidiMapper));
        rig.app.midiHandle = 4711;
        rig.midi.close();
        QCOMPARE(rig.system->openPorts, 1);
        QVERIFY(!rig.app.midiOpen);
        QCOMPARE(rig.app.midiHandle, 0);
    }

    void failuresShowTheirText_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("text");
        QTest::addRow("sending with nothing open") << u"send"_s << u"No MIDI output device is open."_s;
        QTest::addRow("sending after close") << u"open 0, close, send"_s << u"No MIDI output device is open."_s;
        QTest::addRow("opening a device that is not there") << u"open 5"_s << u"There is no MIDI output device with this number."_s;
        QTest::addRow("opening a port the system refuses") << u"refuse, open 0"_s << u"The MIDI output device could not be opened."_s;
        QTest::addRow("opening the mapper without audio") << u"no audio, open -1"_s << u"The built-in synthesizer found no working audio output."_s;
        QTest::addRow("a message the output refuses") << u"open 0, fail, send"_s << u"The MIDI output device did not take the message."_s;
    }
    void failuresShowTheirText()
    {
        QFETCH(QString, action);
        Rig rig;
        rig.system->names = {u"Port A"_s};
        for (const QString& step : action.split(u", "_s)) {
            if (step.startsWith(u"open "))
                rig.midi.open(qint16(step.mid(5).toInt()));
            else if (step == u"close")
                rig.midi.close();
            else if (step == u"send")
                rig.midi.noteOn(0, 60, 127);
            else if (step == u"fail")
                rig.system->lastPort->recorder.failWith(MidiError::SendFailed);
            rig.system->refuseOpen = rig.system->refuseOpen || step == u"refuse";
            rig.system->mapperWorks = rig.system->mapperWorks && step != u"no audio";
        }
        QTEST(rig.messages.texts().join(u'\n'), "text");
        QCOMPARE(rig.messages.entries().first().title, QString());
        if (!action.contains(u"fail"))
            QVERIFY(!rig.app.midiOpen);
    }

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
        saveMidiSetting(u"LastHandle"_s, u"4711"_s);   // left by a crash
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
        QVERIFY(rig.app.midiHandle != 4711);
        // The device the options show: the first port, or the built-in synthesizer when there is none.
        if (midiDev.isNull())
            QCOMPARE(rig.app.midiDevice, qint16(ports > 0 ? 0 : -1));
        // Exit closes what is open and clears the handle, with nothing open too.
        midiShutDown(rig.midi);
        QCOMPARE(rig.system->openPorts, 0);
        QVERIFY(!rig.app.midiOpen);
        QCOMPARE(midiSetting(u"LastHandle"_s), u"0"_s);
        QCOMPARE(rig.messages.texts(), shown);
    }

    void startUpReadsPatchesAndResetsTheCounter()
    {
        saveMidiSetting(u"GuitarPatch"_s, u"steel"_s);   // not a number: the default
        saveMidiSetting(u"PianoPatch"_s, u"4"_s);
        Rig rig(1);
        rig.app.PlayingCount = 3;
        midiStartUp(rig.midi);
        QCOMPARE((QList<int>{rig.app.guitarPatch, rig.app.pianoPatch, rig.app.PlayingCount}), (QList<int>{24, 4, 0}));
        QCOMPARE(rig.midi.instrumentNames().count(), 128);
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

LIRAVOX_TEST_MAIN(MidiLibTest)
#include "midilib_test.moc"
