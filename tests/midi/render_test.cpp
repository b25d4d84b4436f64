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

// Where the note's fundamental grows most within 50 ms of the expected time: the
// millisecond t that most raises its strength in the 40 ms after t over the 40 ms
// before. Neighbouring strings a few hertz apart beat against each other, which
// blurs the answer by some milliseconds.
int onsetNear(const WavSound& sound, int note, int expectedMs)
{
    const double frequency = noteFrequency(note);
    const qsizetype span = sound.sampleRate * 40 / 1000;
    int best = expectedMs;
    double bestRise = -1;
    for (int ms = expectedMs - 50; ms <= expectedMs + 50; ++ms) {
        const qsizetype frame = qsizetype(ms) * sound.sampleRate / 1000;
        const double rise = toneAmplitude(sound, frequency, frame, span) - toneAmplitude(sound, frequency, frame - span, span);
        if (rise > bestRise) {
            bestRise = rise;
            best = ms;
        }
    }
    return best;
}

} // namespace

class RenderTest final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void cMajorGuitarChordSoundsItsNotesInOrder()
    {
        // x32010: strings 5 to 1 at frets 3, 2, 0, 1, 0 above the open strings 9, 14, 19, 23, 28.
        const QList<int> pitches{9 + 3, 14 + 2, 19, 23 + 1, 28};
        const WavSound sound = renderChord(pitches, m_dir.filePath(u"c-major.wav"_s));
        QCOMPARE(sound.sampleRate, RenderPort::SampleRate);
        QCOMPARE(sound.channels, 2);
        QCOMPARE(sound.bitsPerSample, 16);
        // Five notes 100 ms apart, the last sustained 200 ms, then the ring-out.
        QVERIFY(sound.frames() >= sound.sampleRate * 600 / 1000);

        QList<int> onsets;
        for (qsizetype index = 0; index < pitches.size(); ++index) {
            const int note = 36 + pitches[index];
            const int expected = int(index) * 100;
            const int onset = onsetNear(sound, note, expected);
            QVERIFY2(qAbs(onset - expected) <= 15, qPrintable(u"note %1 starts at %2 ms, not %3"_s.arg(note).arg(onset).arg(expected)));
            onsets.append(onset);
        }
        for (qsizetype index = 1; index < onsets.size(); ++index)
            QVERIFY(qAbs(onsets[index] - onsets[index - 1] - 100) <= 15);
    }

    void aNoteSoundsAtItsPitch()
    {
        // The open high E string, entry 28: E4 stands out from the frequencies a
        // semitone either side while it is held.
        const WavSound sound = renderChord({28}, m_dir.filePath(u"e.wav"_s));
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
