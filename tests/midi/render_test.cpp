#include "goertzel.h"
#include "testmain.h"
#include "wavreader.h"

#include "base/appstate.h"
#include "base/messages.h"
#include "midi/chordplayer.h"
#include "midi/midilib.h"
#include "midi/playbacknotes.h"
#include "midi/renderport.h"

#include <QTemporaryDir>

using namespace lvx;
using namespace lvx::midi;
using namespace Qt::StringLiterals;

namespace {

// Plays the notes through PlayChordNotes into the renderer and reads back the WAV it writes.
WavSound renderChord(const QList<int>& pitches, const QString& path)
{
    AppState app;
    RecordingMessages messages;
    MidiLib midi(app, messages);
    MidiError error = MidiError::None;
    std::unique_ptr<RenderPort> port = RenderPort::create(error);
    if (!port)
        return {};
    RenderPort* renderer = port.get();
    midi.openPort(std::move(port));
    PlaybackNotes notes;
    for (int pitch : pitches)
        notes.append(pitch);
    PlayChordNotes(midi, notes);
    renderer->renderTail();
    QString writeError;
    if (!renderer->writeWav(path, writeError) || !messages.entries().isEmpty())
        return {};
    return readWav(path);
}

} // namespace

class RenderTest final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void aNoteSoundsAtItsPitch()
    {
        // The open high E string, entry 28: E4 stands out from the frequencies a
        // semitone either side while it is held.
        const WavSound sound = renderChord({28}, m_dir.filePath(u"e.wav"_s));
        QCOMPARE(sound.sampleRate, RenderPort::SampleRate);
        QCOMPARE(sound.channels, 2);
        QCOMPARE(sound.bitsPerSample, 16);
        const qsizetype start = sound.sampleRate / 20;
        const qsizetype span = sound.sampleRate / 10;
        const double at = toneAmplitude(sound, noteFrequency(64), start, span);
        QVERIFY(at > 0.01);
        QVERIFY(at > 4 * toneAmplitude(sound, noteFrequency(63), start, span));
        QVERIFY(at > 4 * toneAmplitude(sound, noteFrequency(65), start, span));
    }

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
        const qsizetype onsetFrame = 37 * RenderPort::SampleRate / 1000;
        QCOMPARE(samples.size(), 57 * RenderPort::SampleRate / 1000 * RenderPort::Channels);
        for (qsizetype index = 0; index < onsetFrame * RenderPort::Channels; ++index)
            QCOMPARE(samples[index], qint16(0));
        bool soundsWithinAMillisecond = false;
        for (qsizetype index = onsetFrame * RenderPort::Channels; index < (onsetFrame + 64) * RenderPort::Channels; ++index)
            soundsWithinAMillisecond = soundsWithinAMillisecond || samples[index] != 0;
        QVERIFY(soundsWithinAMillisecond);
        QCOMPARE(renderer->elapsed(), 57.0);
    }
};

LIRAVOX_TEST_MAIN(RenderTest)
#include "render_test.moc"
