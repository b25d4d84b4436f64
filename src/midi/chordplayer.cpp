#include "chordplayer.h"

#include "midilib.h"
#include "playbacknotes.h"

#include "base/appstate.h"

#include <algorithm>
#include <utility>

namespace lvx::midi {

namespace {

bool isGuitar(const QString& instrument)
{
    return instrument == u"Guitar";
}

void setVoice(AppState& app, const QString& instrument, const PlaybackVoice& voice)
{
    if (isGuitar(instrument)) {
        app.guitarPatch = voice.patch;
        app.guitarSustain = voice.sustain;
        app.guitarDelay = voice.delay;
    } else {
        app.pianoPatch = voice.patch;
        app.pianoSustain = voice.sustain;
        app.pianoDelay = voice.delay;
    }
}

} // namespace

PlaybackVoice voiceFor(const AppState& app)
{
    // Whatever the settings hold, a chord plays a General MIDI program, every note
    // ends after it starts, and no chord keeps its window from closing for minutes.
    // A negative delay stays: it strums from the last entry down.
    const auto usable = [](qint16 patch, qint16 sustain, qint16 delay) {
        return PlaybackVoice{qBound(qint16(0), patch, qint16(127)), qBound(qint16(0), sustain, LongestSustain),
                             qBound(qint16(-LongestDelay), delay, LongestDelay)};
    };
    if (isGuitar(app.instrument))
        return usable(app.guitarPatch, app.guitarSustain, app.guitarDelay);
    return usable(app.pianoPatch, app.pianoSustain, app.pianoDelay);
}

QList<NoteEvent> chordEvents(const PlaybackNotes& notes, qint16 sustain, qint16 delay)
{
    QList<NoteEvent> events;
    qint32 time = 0;
    for (int entry = 1; entry <= PlaybackNotes::Capacity; ++entry) {
        const qint16 pitch = notes.at(entry);
        if (pitch < 0)
            continue;
        const quint8 note = quint8(pitch + PlaybackBaseNote);
        events.append({time, note, PlaybackVelocity});
        events.append({time + sustain, note, 0});
        time += delay;
    }
    return events;
}

void sortByTime(QList<NoteEvent>& events)
{
    // Swapping only on a strictly later time keeps a note's off before the next
    // note's on when both fall on the same millisecond.
    for (qsizetype pass = events.size() - 1; pass > 0; --pass) {
        for (qsizetype index = 0; index < pass; ++index) {
            if (events[index].time > events[index + 1].time)
                std::swap(events[index], events[index + 1]);
        }
    }
}

void PlayChordNotes(MidiLib& midi, const PlaybackNotes& notes)
{
    AppState& app = midi.app();
    const PlaybackVoice voice = voiceFor(app);
    ++app.PlayingCount;
    if (app.PlayingCount == 0) {
        // -1 is how a caller keeps chords from sounding.
        --app.PlayingCount;
        return;
    }
    const MidiLib::Playback playback(midi);
    midi.programChange(PlaybackChannel, voice.patch);

    QList<NoteEvent> events = chordEvents(notes, voice.sustain, voice.delay);
    sortByTime(events);
    qint32 previousTime = 0;
    double due = midi.elapsed();
    for (const NoteEvent& event : std::as_const(events)) {
        // An output that cannot send has said so once; the rest would only fail too.
        if (midi.playbackFailed())
            break;
        // Each wait ends a little late; waiting only for what is left until the
        // event is due keeps those bits from adding up over the chord.
        due += std::max(0, event.time - previousTime);
        midi.wait(qRound(due - midi.elapsed()));
        midi.noteOn(PlaybackChannel, event.note, event.velocity);
        previousTime = event.time;
    }
    --app.PlayingCount;
}

void playTestChord(MidiLib& midi, const QString& instrument, const PlaybackVoice& voice)
{
    AppState& app = midi.app();
    const QString instrumentBefore = app.instrument;
    app.instrument = instrument;
    const PlaybackVoice voiceBefore = voiceFor(app);
    setVoice(app, instrument, voice);

    PlaybackNotes chord;
    for (int pitch : {0, 4, 7, 12})
        chord.append(pitch);
    PlayChordNotes(midi, chord);

    setVoice(app, instrument, voiceBefore);
    app.instrument = instrumentBefore;
}

} // namespace lvx::midi
