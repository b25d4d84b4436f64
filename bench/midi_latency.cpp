// How close chord playback keeps to its schedule: the time from the
// PlayChordNotes call to the first note on reaching the output, and how far
// every later message lands from its scheduled time (measured from that first
// note on). Messages go to a recording port on the wall clock, so what is
// measured is the player and its waits, not a synthesizer's audio buffer.
//
// usage: liravox_midi_bench [ROUNDS]

#include "base/appstate.h"
#include "base/messages.h"
#include "midi/chordplayer.h"
#include "midi/midilib.h"
#include "midi/midisystem.h"
#include "midi/playbacknotes.h"
#include "midi/recordingport.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <utility>

using namespace lvx;
using namespace lvx::midi;

namespace {

class NoDevices final : public MidiSystem
{
public:
    QStringList outputNames() override { return {}; }
    bool mapperAvailable() override { return false; }
    std::unique_ptr<MidiPort> openOutput(qint32, MidiError& error) override
    {
        error = MidiError::BadDevice;
        return nullptr;
    }
};

struct Chord
{
    const char* name;
    QList<int> pitches;
    qint16 sustain;
    qint16 delay;
};

struct Figures
{
    QList<double> latencies;
    QList<double> errors;
};

double percentile(QList<double> values, double fraction)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[qsizetype(std::ceil(fraction * double(values.size() - 1)))];
}

void playRound(const Chord& chord, Figures& figures)
{
    AppState app;
    app.guitarSustain = chord.sustain;
    app.guitarDelay = chord.delay;
    StderrMessages messages;
    MidiLib midi(app, messages, std::make_unique<NoDevices>());
    auto port = std::make_unique<RecordingPort>(RecordingPort::Clock::Wall);
    RecordingPort* recorder = port.get();
    midi.openPort(std::move(port));

    PlaybackNotes notes;
    for (int pitch : chord.pitches)
        notes.append(pitch);
    QList<NoteEvent> schedule = chordEvents(notes, chord.sustain, chord.delay);
    sortByTime(schedule);

    const double called = recorder->elapsed();
    PlayChordNotes(midi, notes);

    // Message 0 is the program change; the note messages follow in schedule order.
    const QList<LoggedMessage>& sent = recorder->log().messages();
    const double firstOn = sent.at(1).time;
    figures.latencies.append(firstOn - called);
    for (qsizetype index = 1; index < schedule.size(); ++index) {
        const double planned = schedule[index].time - schedule[0].time;
        figures.errors.append(std::abs(sent.at(index + 1).time - firstOn - planned));
    }
}

QString spread(const QList<double>& values)
{
    QString text;
    for (const auto& [label, fraction] : {std::pair{"median", 0.5}, {"p90", 0.9}, {"p99", 0.99}, {"max", 1.0}})
        text += QString::fromLatin1(label) + u' ' + QString::number(percentile(values, fraction), 'f', 3) + u" ms  ";
    return text.trimmed();
}

void report(QTextStream& out, const Chord& chord, const Figures& figures)
{
    out << chord.name << ": " << figures.latencies.size() << " chords, " << figures.errors.size() << " later events\n";
    out << QStringLiteral("  latency to first note on    ") << spread(figures.latencies) << u'\n';
    out << QStringLiteral("  timing error, later events  ") << spread(figures.errors) << u'\n';
    out.flush();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 20;
    const QList<Chord> chords{
        {"C major guitar chord, guitar defaults (200 ms sustain, 100 ms delay)", {12, 16, 19, 24, 28}, 200, 100},
        {"ten notes, fast arpeggio (50 ms sustain, 10 ms delay)", {0, 4, 7, 12, 16, 19, 24, 28, 31, 36}, 50, 10},
    };
    QTextStream out(stdout);
    for (const Chord& chord : chords) {
        Figures figures;
        for (int round = 0; round < rounds; ++round)
            playRound(chord, figures);
        report(out, chord, figures);
    }
    return 0;
}
