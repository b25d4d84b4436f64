#include "fakemidisystem.h"
#include "testmain.h"

#include "base/appstate.h"
#include "base/messages.h"
#include "midi/chordplayer.h"
#include "midi/directnotes.h"
#include "midi/midilib.h"
#include "midi/playbacknotes.h"
#include "music/notetables.h"

using namespace lvx;
using namespace lvx::midi;
using namespace Qt::StringLiterals;

namespace {

// A MidiLib whose output records on a virtual clock, so a chord is played at
// once and logged at its scheduled times.
struct Rig
{
    Rig()
    {
        auto port = std::make_unique<RecordingPort>(RecordingPort::Clock::Virtual);
        recorder = port.get();
        midi.openPort(std::move(port));
    }

    QStringList log() const { return recorder->log().lines(); }

    AppState app;
    RecordingMessages messages;
    MidiLib midi{app, messages, std::make_unique<FakeMidiSystem>()};
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

class ChordPlayerTest final : public QObject
{
    Q_OBJECT

private slots:
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
        Rig rig;
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
        AppState app;
        RecordingMessages messages;
        MidiLib midi(app, messages, std::make_unique<FakeMidiSystem>());
        app.guitarSustain = 2;
        app.guitarDelay = 1;
        PlayChordNotes(midi, noteList({12, 16, 19, 24, 28}));
        QCOMPARE(messages.texts(), QStringList{u"No MIDI output device is open."_s});
        PlayChordNotes(midi, noteList({12}));
        QCOMPARE(messages.texts(), QStringList(2, u"No MIDI output device is open."_s));
        QCOMPARE(app.PlayingCount, qint16(0));
        QVERIFY(midi.soundOff());
    }

    void aRefusedMessageSilencesThePlaybackUntilAnOutputOpens()
    {
        Rig rig;
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
        QTest::addColumn<int>("baseFret");
        QTest::addColumn<int>("string");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("note");
        QTest::addRow("open low E on the guitar") << u"Guitar"_s << 0 << 6 << 1 << 40;
        QTest::addRow("the piano an octave up") << u"Piano"_s << 0 << 6 << 1 << 52;
        QTest::addRow("only exactly Piano moves up") << u"piano"_s << 0 << 6 << 1 << 40;
    }
    void fretboardClick()
    {
        QFETCH(QString, instrument);
        QFETCH(int, baseFret);
        QFETCH(int, string);
        QFETCH(int, row);
        QFETCH(int, note);
        Rig rig;
        rig.app.instrument = instrument;
        playFretboardNote(rig.midi, baseFret, music::OpenStringPitches[size_t(string)], row);
        QCOMPARE(rig.log(), QStringList{u"0 144 %1 127"_s.arg(note)});
    }

    void pianoSearchKeys()
    {
        Rig rig;
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
        Rig rig;
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

LIRAVOX_TEST_MAIN(ChordPlayerTest)
#include "chordplayer_test.moc"
