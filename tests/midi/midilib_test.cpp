#include "fakemidisystem.h"
#include "testmain.h"

#include "base/appstate.h"
#include "base/messages.h"
#include "midi/instrumentnames.h"
#include "midi/messagelog.h"
#include "midi/midilib.h"
#include "midi/shortmessage.h"

#include <QSet>

using namespace lvx;
using namespace lvx::midi;
using namespace Qt::StringLiterals;

namespace {

// A MidiLib over fake devices, with the messages it shows kept.
struct Rig
{
    AppState app;
    RecordingMessages messages;
    FakeMidiSystem* system = new FakeMidiSystem;
    MidiLib midi{app, messages, std::unique_ptr<MidiSystem>(system)};
};

} // namespace

class MidiLibTest final : public QObject
{
    Q_OBJECT

private slots:
    void messageBytes_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        QTest::addColumn<quint32>("expected");
        QTest::addRow("status goes in the lowest byte") << u"send"_s << 0x90 << 60 << 100 << 0x00643C90u;
        QTest::addRow("note on, channel 0") << u"note on"_s << 0 << 64 << 127 << 0x007F4090u;
        QTest::addRow("note on with velocity 0 ends the note") << u"note on"_s << 0 << 64 << 0 << 0x00004090u;
        QTest::addRow("note on adds the channel to the status") << u"note on"_s << 9 << 36 << 127 << 0x007F2499u;
        QTest::addRow("program change carries the program and a zero") << u"program change"_s << 0 << 24 << 0 << 0x000018C0u;
        QTest::addRow("program change on channel 2") << u"program change"_s << 2 << 0 << 0 << 0x000000C2u;
    }
    void messageBytes()
    {
        QFETCH(QString, operation);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        QFETCH(quint32, expected);
        Rig rig;
        rig.midi.open(qint16(MidiMapper));
        if (operation == u"send")
            rig.midi.send(quint8(a), quint8(b), quint8(c));
        else if (operation == u"note on")
            rig.midi.noteOn(quint8(a), quint8(b), quint8(c));
        else
            rig.midi.programChange(qint16(a), qint16(b));
        const QList<LoggedMessage> sent = rig.system->lastPort->recorder.log().messages();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.first().message, expected);
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
    }
    void messageLength()
    {
        QFETCH(int, status);
        QFETCH(int, length);
        QCOMPARE(lvx::midi::messageLength(quint8(status)), length);
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
        QVERIFY(rig.app.midiHandle != first);

        rig.midi.close();
        QCOMPARE(rig.system->openPorts, 0);
        QVERIFY(!rig.app.midiOpen);
        QCOMPARE(rig.app.midiHandle, 0);
        QVERIFY(rig.messages.entries().isEmpty());
    }

    void theMapperIsMinusOneIn32Bits()
    {
        Rig rig;
        rig.midi.open(qint16(MidiMapper));
        QCOMPARE(rig.system->requested, QList<qint32>{-1});
    }

    void closingAForeignHandleKeepsOurOutput()
    {
        Rig rig;
        rig.midi.open(qint16(MidiMapper));
        rig.app.midiHandle = 4711;   // what an earlier run left in the settings
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
        QTest::addRow("sending after close") << u"send after close"_s << u"No MIDI output device is open."_s;
        QTest::addRow("opening a device that is not there") << u"open 5"_s << u"There is no MIDI output device with this number."_s;
        QTest::addRow("opening a port the system refuses") << u"open refused"_s << u"The MIDI output device could not be opened."_s;
        QTest::addRow("opening the mapper without audio") << u"open mapper"_s << u"The built-in synthesizer found no working audio output."_s;
        QTest::addRow("a message the output refuses") << u"refused message"_s << u"The MIDI output device did not take the message."_s;
    }
    void failuresShowTheirText()
    {
        QFETCH(QString, action);
        QFETCH(QString, text);
        Rig rig;
        rig.system->names = {u"Port A"_s};
        rig.system->mapperWorks = action != u"open mapper";
        rig.system->refuseOpen = action == u"open refused";
        if (action == u"send after close") {
            rig.midi.open(0);
            rig.midi.close();
        }
        if (action.startsWith(u"send"))
            rig.midi.noteOn(0, 60, 127);
        else if (action == u"open 5")
            rig.midi.open(5);
        else if (action == u"open refused")
            rig.midi.open(0);
        else if (action == u"open mapper")
            rig.midi.open(qint16(MidiMapper));
        else {
            rig.midi.open(0);
            rig.system->lastPort->recorder.failWith(MidiError::SendFailed);
            rig.midi.noteOn(0, 60, 127);
        }
        QCOMPARE(rig.messages.texts(), QStringList{text});
        QCOMPARE(rig.messages.entries().first().title, QString());
        if (action.startsWith(u"open") && action != u"open refused" && action != u"open mapper") {
            QVERIFY(!rig.app.midiOpen);
            QCOMPARE(rig.app.midiHandle, 0);
        }
    }

    void openingQuietlyShowsNothing()
    {
        Rig rig;
        rig.system->mapperWorks = false;
        QVERIFY(!rig.midi.openQuietly(qint16(MidiMapper)));
        QVERIFY(!rig.midi.openQuietly(3));
        QVERIFY(rig.messages.entries().isEmpty());
        QVERIFY(!rig.app.midiOpen);
    }

    void deviceNames_data()
    {
        QTest::addColumn<QString>("systemName");
        QTest::addColumn<QString>("shown");
        QTest::addRow("a short name as it is") << u"USB Keyboard"_s << u"USB Keyboard"_s;
        QTest::addRow("a long name cut to 32 characters")
            << u"Midi Through:Midi Through Port-0 14:0"_s << u"Midi Through:Midi Through Port-0"_s;
        QTest::addRow("a name ends at its first NUL") << u"Synth\u0000garbage"_s << u"Synth"_s;
        QTest::addRow("an empty name stays empty") << QString() << QString();
    }
    void deviceNames()
    {
        QFETCH(QString, systemName);
        QFETCH(QString, shown);
        Rig rig;
        rig.system->names = {u"First"_s, systemName};
        QCOMPARE(rig.midi.countDevices(), qint16(2));
        QCOMPARE(rig.midi.listDevices(), (QStringList{u"First"_s, shown}));
        QCOMPARE(rig.midi.devices().size(), 2);
    }

    void instrumentNames_data()
    {
        QTest::addColumn<int>("program");
        QTest::addColumn<QString>("name");
        QTest::addRow("Honkytonk in one word") << 3 << u"Honkytonk Piano"_s;
        QTest::addRow("abbreviated organ") << 17 << u"Percuss. Organ"_s;
        QTest::addRow("nylon guitar, the default guitar patch") << 24 << u"Acoustic Guitar (nylon)"_s;
        QTest::addRow("saw tooth in two words") << 81 << u"Lead 2 (saw tooth)"_s;
        QTest::addRow("atmo - sphere") << 99 << u"FX 4 (atmo - sphere)"_s;
        QTest::addRow("the last program") << 127 << u"Gunshot"_s;
        QTest::addRow("nothing past the last") << 128 << QString();
    }
    void instrumentNames()
    {
        QFETCH(int, program);
        QFETCH(QString, name);
        InstrumentNames names;
        names.fill();
        QCOMPARE(names.name(program), name);
    }

    void instrumentTableCounts()
    {
        InstrumentNames names;
        QCOMPARE(names.count(), 0);
        names.fill();
        names.fill();   // filling again starts over
        QCOMPARE(names.count(), GeneralMidiPrograms);
        const QStringList all = names.names();
        QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), GeneralMidiPrograms);

        names.add(u"Extra"_s);
        QCOMPARE(names.name(128), u"Extra"_s);
        names.add(u"No room"_s);
        QCOMPARE(names.count(), InstrumentNames::Capacity);
    }

    void monitorTimesFromItsStart()
    {
        Rig rig;
        rig.midi.open(qint16(MidiMapper));
        rig.midi.wait(40);
        MessageLog log;
        rig.midi.setMonitor(&log);
        rig.midi.programChange(0, 24);
        rig.midi.wait(100);
        rig.midi.noteOn(0, 48, 127);
        rig.midi.setMonitor(nullptr);
        rig.midi.noteOn(0, 48, 0);
        QCOMPARE(log.lines(), (QStringList{u"0 192 24 0"_s, u"100 144 48 127"_s}));
    }
};

LIRAVOX_TEST_MAIN(MidiLibTest)
#include "midilib_test.moc"
