#include "testmain.h"

#include "base/appstate.h"
#include "base/messages.h"
#include "base/settings.h"
#include "midi/chordplayer.h"
#include "midi/midierror.h"
#include "midi/midilib.h"
#include "midi/midistartup.h"
#include "midi/playbacknotes.h"
#include "midi/renderport.h"
#include "midi/rtmidiport.h"
#include "midi/synthport.h"

#include <algorithm>

using namespace lvx;
using namespace lvx::midi;
using namespace Qt::StringLiterals;

// The machine's own devices, whatever it has: a build server with no sound
// hardware at all must run every step without a crash, silently at start-up.
class SystemMidiTest final : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void audioDriversFollowTheRunningServers_data()
    {
        QTest::addColumn<bool>("pipeWire");
        QTest::addColumn<bool>("pulseAudio");
        QTest::addColumn<QStringList>("order");
        QTest::addRow("PipeWire desktop: its own server first")
            << true << true << QStringList{u"pipewire"_s, u"pulseaudio"_s, u"alsa"_s, u"jack"_s, u"oss"_s};
        QTest::addRow("PulseAudio only") << false << true << QStringList{u"pulseaudio"_s, u"alsa"_s, u"jack"_s, u"oss"_s};
        QTest::addRow("no server running: ALSA first") << false << false << QStringList{u"alsa"_s, u"jack"_s, u"oss"_s};
    }
    void audioDriversFollowTheRunningServers()
    {
        QFETCH(bool, pipeWire);
        QFETCH(bool, pulseAudio);
        // "file" would write a WAV into the current folder, "sdl2" needs SDL started by the program.
        const QStringList offered{u"file"_s, u"sdl2"_s, u"oss"_s, u"jack"_s, u"alsa"_s, u"pulseaudio"_s, u"pipewire"_s};
        QTEST(orderAudioDrivers(offered, {pipeWire, pulseAudio}), "order");
    }

    void passThroughPortsAreNotOffered()
    {
        const QStringList system{u"Midi Through:Midi Through Port-0 14:0"_s,
                                 u"FLUID Synth (4242):Synth input port (4242:0) 128:0"_s,
                                 u"Virtual Raw MIDI 1-0:VirMIDI 1-0 20:0"_s, u"USB Keys:USB Keys MIDI 1 24:0"_s};
        QCOMPARE(soundingPorts(system), (QList<int>{1, 3}));
    }

    void startUpPlayAndExitRunOnAnyMachine()
    {
        SaveSetting(u"Midi"_s, u"MidiDev"_s, u"-1"_s);
        AppState app;
        app.guitarSustain = 20;
        app.guitarDelay = 10;
        RecordingMessages messages;
        MidiLib midi(app, messages);
        midiStartUp(midi);
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(midi.hasOutputDevice(), app.midiOpen || midi.countDevices() > 0);

        PlaybackNotes notes;
        notes.append(0);
        notes.append(4);
        PlayChordNotes(midi, notes);
        // Sounded, or said once why not.
        QVERIFY(messages.texts().isEmpty() || messages.texts() == QStringList{errorText(MidiError::NotOpen)});
        QCOMPARE(app.PlayingCount, qint16(0));

        midiShutDown(midi);
        QVERIFY(!app.midiOpen);
        QCOMPARE(GetSetting(u"Midi"_s, u"LastHandle"_s, QString()), u"0"_s);
    }

    // The built-in synthesizer starts a note on the sample its wait ends at.
    void aMessageTakesEffectOnItsOwnSample()
    {
        AppState app;
        RecordingMessages messages;
        MidiLib midi(app, messages);
        MidiError error = MidiError::None;
        std::unique_ptr<RenderPort> port = RenderPort::create(error);
        QVERIFY(port);
        RenderPort* renderer = port.get();
        midi.openPort(std::move(port));
        midi.programChange(0, 24);
        midi.wait(37);
        midi.noteOn(0, 60, 127);
        midi.wait(20);

        const QList<qint16>& samples = renderer->samples();
        const auto onset = samples.begin() + 37 * RenderPort::SampleRate / 1000 * RenderPort::Channels;
        const auto silent = [](qint16 sample) { return sample == 0; };
        QCOMPARE(samples.size(), 57 * RenderPort::SampleRate / 1000 * RenderPort::Channels);
        QVERIFY(std::all_of(samples.begin(), onset, silent));
        QVERIFY(!std::all_of(onset, onset + 64 * RenderPort::Channels, silent));   // sounds within a millisecond
        QCOMPARE(renderer->elapsed(), 57.0);
    }
};

LIRAVOX_TEST_MAIN(SystemMidiTest)
#include "systemmidi_test.moc"
