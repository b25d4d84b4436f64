#include "fakemidisystem.h"
#include "testmain.h"

#include "base/appstate.h"
#include "base/messages.h"
#include "base/settings.h"
#include "midi/chordplayer.h"
#include "midi/directnotes.h"
#include "midi/midilib.h"
#include "midi/midistartup.h"
#include "midi/playbacknotes.h"
#include "midi/shortmessage.h"
#include "music/notetables.h"

using namespace lvx;
using namespace lvx::midi;
using namespace Qt::StringLiterals;

namespace {

constexpr int NothingOpened = -2;

// A MidiLib over fake devices ("Port 0", "Port 1"...), with the messages it shows kept.
struct MidiRig
{
    explicit MidiRig(int ports = 0, bool mapperWorks = true)
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

// A MidiLib whose output records on a virtual clock, so a chord is played at
// once and logged at its scheduled times.
struct PlayingRig : MidiRig
{
    PlayingRig()
    {
        auto port = std::make_unique<RecordingPort>(RecordingPort::Clock::Virtual);
        recorder = port.get();
        midi.openPort(std::move(port));
    }

    QStringList log() const { return recorder->log().lines(); }

    RecordingPort* recorder = nullptr;
};

// Entries 1..n of the playback note list, -1 for an empty one.
PlaybackNotes noteList(const QList<int>& entries)
{
    PlaybackNotes notes;
    for (int entry = 1; entry <= entries.size(); ++entry)
        notes.set(entry, entries[entry - 1]);
    return notes;
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
        MidiRig rig;
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
        MidiRig rig;
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
        MidiRig rig;
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
        MidiRig rig(ports, mapperWorks);
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
        MidiRig rig(1);
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
        MidiRig rig(2);
        midiStartUp(rig.midi);
        const qint32 handleBefore = rig.app.midiHandle;
        changeMidiDevice(rig.midi, qint16(device));
        QCOMPARE(rig.app.midiHandle != handleBefore, reopened);
        QCOMPARE(rig.system->openPorts, 1);
        QCOMPARE(rig.system->requested.last(), qint32(device));
        QCOMPARE(int(rig.app.midiDevice), device);
        QCOMPARE(midiSetting(u"MidiDev"_s), QString::number(device));
    }

    void playedChord_data()
    {
        QTest::addColumn<QString>("instrument");
        QTest::addColumn<int>("sustain");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("playing");   // the playback counter, before and after
        QTest::addColumn<QList<int>>("entries");
        QTest::addColumn<QStringList>("expected");

        QTest::addRow("C major, string 6 muted: offs interleave with later ons")
            << u"Guitar"_s << 200 << 100 << 0 << QList<int>{12, 16, 19, 24, 28}
            << QStringList{u"0 192 24 0"_s,     u"0 144 48 127"_s,   u"100 144 52 127"_s, u"200 144 48 0"_s,
                           u"200 144 55 127"_s, u"300 144 52 0"_s,   u"300 144 60 127"_s, u"400 144 55 0"_s,
                           u"400 144 64 127"_s, u"500 144 60 0"_s,   u"600 144 64 0"_s};
        QTest::addRow("an empty list sends only the program change")
            << u"Guitar"_s << 200 << 100 << 0 << QList<int>{-1, -1, -1} << QStringList{u"0 192 24 0"_s};
        QTest::addRow("empty entries take no time")
            << u"Guitar"_s << 50 << 100 << 0 << QList<int>{-1, 0, -1, 7}
            << QStringList{u"0 192 24 0"_s, u"0 144 36 127"_s, u"50 144 36 0"_s, u"100 144 43 127"_s, u"150 144 43 0"_s};
        QTest::addRow("the tenth entry sounds too")
            << u"Guitar"_s << 10 << 10 << 0 << QList<int>{-1, -1, -1, -1, -1, -1, -1, -1, -1, 40}
            << QStringList{u"0 192 24 0"_s, u"0 144 76 127"_s, u"10 144 76 0"_s};
        QTest::addRow("piano plays with the piano patch, sustain and delay")
            << u"Piano"_s << 300 << 100 << 0 << QList<int>{0, 4}
            << QStringList{u"0 192 0 0"_s, u"0 144 36 127"_s, u"100 144 40 127"_s, u"300 144 36 0"_s, u"400 144 40 0"_s};
        QTest::addRow("any instrument but exactly Guitar is the piano")
            << u"guitar"_s << 300 << 100 << 0 << QList<int>{0} << QStringList{u"0 192 0 0"_s, u"0 144 36 127"_s, u"300 144 36 0"_s};
        QTest::addRow("no delay: all ons in entry order, then all offs")
            << u"Guitar"_s << 100 << 0 << 0 << QList<int>{7, 0, 4}
            << QStringList{u"0 192 24 0"_s,   u"0 144 43 127"_s,   u"0 144 36 127"_s, u"0 144 40 127"_s,
                           u"100 144 43 0"_s, u"100 144 36 0"_s,   u"100 144 40 0"_s};
        QTest::addRow("no sustain: each note ends as it starts")
            << u"Guitar"_s << 0 << 100 << 0 << QList<int>{0, 4}
            << QStringList{u"0 192 24 0"_s, u"0 144 36 127"_s, u"0 144 36 0"_s, u"100 144 40 127"_s, u"100 144 40 0"_s};
        QTest::addRow("inside another playback: plays and leaves the counter")
            << u"Piano"_s << 300 << 100 << 1 << QList<int>{0} << QStringList{u"0 192 0 0"_s, u"0 144 36 127"_s, u"300 144 36 0"_s};
        QTest::addRow("a counter of -1 keeps the chord silent") << u"Guitar"_s << 300 << 100 << -1 << QList<int>{0} << QStringList{};
        // Times before 0 are not waited for: the walk starts from time 0.
        QTest::addRow("a negative delay starts from the last entry")
            << u"Guitar"_s << 200 << -100 << 0 << QList<int>{0, 4, 7}
            << QStringList{u"0 192 24 0"_s,    u"0 144 43 127"_s,   u"100 144 40 127"_s, u"200 144 36 127"_s,
                           u"200 144 43 0"_s,  u"300 144 40 0"_s,   u"400 144 36 0"_s};
    }
    void playedChord()
    {
        QFETCH(QString, instrument);
        QFETCH(int, sustain);
        QFETCH(int, delay);
        QFETCH(int, playing);
        QFETCH(QList<int>, entries);
        PlayingRig rig;
        rig.app.PlayingCount = qint16(playing);
        rig.app.instrument = instrument;
        rig.app.guitarSustain = rig.app.pianoSustain = qint16(sustain);
        rig.app.guitarDelay = rig.app.pianoDelay = qint16(delay);
        PlayChordNotes(rig.midi, noteList(entries));
        QTEST(rig.log(), "expected");
        QCOMPARE(rig.app.PlayingCount, qint16(playing));
        QVERIFY(rig.messages.entries().isEmpty());
    }

    void withoutAnOutputEachPlaybackSaysSoOnce()
    {
        MidiRig rig;
        rig.app.guitarSustain = 2;
        rig.app.guitarDelay = 1;
        PlayChordNotes(rig.midi, noteList({12, 16, 19, 24, 28}));
        QCOMPARE(rig.messages.texts(), QStringList{u"No MIDI output device is open."_s});
        PlayChordNotes(rig.midi, noteList({12}));
        QCOMPARE(rig.messages.texts(), QStringList(2, u"No MIDI output device is open."_s));
        QCOMPARE(rig.app.PlayingCount, qint16(0));
        QVERIFY(rig.midi.soundOff());
    }

    void aRefusedMessageSilencesThePlaybackUntilAnOutputOpens()
    {
        PlayingRig rig;
        QList<bool> heard;
        rig.midi.setSoundListener([&heard](bool off) { heard.append(off); });
        rig.recorder->failWith(MidiError::SendFailed);
        PlayChordNotes(rig.midi, noteList({0, 4}));
        QCOMPARE(rig.log().size(), 1);
        QCOMPARE(rig.messages.texts(), QStringList{errorText(MidiError::SendFailed)});
        rig.midi.openPort(std::make_unique<RecordingPort>(RecordingPort::Clock::Virtual));
        QCOMPARE(heard, (QList<bool>{false, true, false}));
    }

    void fretboardClick_data()
    {
        QTest::addColumn<QString>("instrument");
        QTest::addColumn<QStringList>("log");
        QTest::addRow("the guitar sounds base fret and row above the string") << u"Guitar"_s << QStringList{u"0 144 46 127"_s};
        QTest::addRow("the piano an octave up") << u"Piano"_s << QStringList{u"0 144 58 127"_s};
        QTest::addRow("only exactly Piano moves up") << u"piano"_s << QStringList{u"0 144 46 127"_s};
    }
    void fretboardClick()
    {
        QFETCH(QString, instrument);
        PlayingRig rig;
        rig.app.instrument = instrument;
        // Base fret 3, the low E string, the fourth row: three frets above the base.
        playFretboardNote(rig.midi, 3, music::OpenStringPitches[6], 4);
        QTEST(rig.log(), "log");
    }

    void pianoSearchKeys()
    {
        PlayingRig rig;
        rig.app.pianoPatch = 5;
        playPianoKey(rig.midi, 35);
        QCOMPARE(rig.log(), (QStringList{u"0 192 5 0"_s, u"0 144 83 127"_s}));

        rig.recorder->clear();
        PianoKeyboard pressed{};
        for (int key : {12, 4, 7})
            pressed[size_t(key)] = true;
        playPianoKeys(rig.midi, pressed);
        QCOMPARE(rig.log(), (QStringList{u"0 192 5 0"_s, u"0 144 52 127"_s, u"100 144 55 127"_s, u"200 144 60 127"_s}));
        QCOMPARE(rig.recorder->elapsed(), 300.0);
    }

    void testChordUsesTheShownVoiceThenRestores()
    {
        PlayingRig rig;
        rig.app.instrument = u"Guitar"_s;
        rig.app.pianoPatch = 1;
        rig.app.pianoSustain = 300;
        rig.app.pianoDelay = 100;
        playTestChord(rig.midi, u"Piano"_s, PlaybackVoice{5, 100, 20});
        QCOMPARE(rig.log(), (QStringList{u"0 192 5 0"_s, u"0 144 36 127"_s, u"20 144 40 127"_s, u"40 144 43 127"_s,
                                         u"60 144 48 127"_s, u"100 144 36 0"_s, u"120 144 40 0"_s, u"140 144 43 0"_s,
                                         u"160 144 48 0"_s}));
        QCOMPARE(rig.app.instrument, u"Guitar"_s);
        QCOMPARE((QList<qint16>{rig.app.pianoPatch, rig.app.pianoSustain, rig.app.pianoDelay}), (QList<qint16>{1, 300, 100}));
    }
};

LIRAVOX_TEST_MAIN(MidiLibTest)
#include "midilib_test.moc"
