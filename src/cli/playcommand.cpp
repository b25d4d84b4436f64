// lvx play: chords sounded as a click on their label sounds them, on the
// configured MIDI device or rendered into a WAV file.

#include "command.h"
#include "commands.h"

#include "midi/chordplayer.h"
#include "midi/messagelog.h"
#include "midi/midierror.h"
#include "midi/midilib.h"
#include "midi/midistartup.h"
#include "midi/playbacknotes.h"
#include "midi/recordingport.h"
#include "midi/renderport.h"
#include "music/chordsymbol.h"
#include "print/chorddiagram.h"
#include "print/nullsurface.h"
#include "song/globaldictionary.h"
#include "song/song.h"

namespace lvx::cli {

namespace {

const QString PlayUsage = QStringLiteral("usage: lvx play NAME... [--instrument Guitar|Piano] [--log] [--wav OUT.wav]");

// Where a click draws the diagram that fills the note list: above the window,
// out of sight.
constexpr double HiddenPenY = -2000;
// Closing the output ends every sound at once; the last note rings this long first.
constexpr qint32 RingOut = 500;

struct PlayOptions
{
    bool log = false;
    QString wavPath;
};

bool takePlayOptions(Command& command, PlayOptions& options)
{
    QString instrument;
    if (command.takeOption(QStringLiteral("--instrument"), instrument)) {
        if (instrument != u"Guitar" && instrument != u"Piano")
            return false;
        command.app.instrument = instrument;
    }
    options.log = command.takeFlag(QStringLiteral("--log"));
    if (command.args.contains(QStringLiteral("--wav")) && !command.takeOption(QStringLiteral("--wav"), options.wavPath))
        return false;
    return !command.hasUnknownOption() && !command.args.isEmpty();
}

// As a click on a chord label: free text sounds nothing, a name that is no chord
// is refused, and a chord is drawn out of sight at diagram size 1, which leaves
// its notes in the list, and played. False when the name was refused.
bool playChordName(Command& command, midi::MidiLib& midi, const print::DiagramSources& sources, const QString& name)
{
    if (music::isTextLabel(name))
        return true;
    const music::ChordSymbol chord = music::ParseChord(name);
    if (chord.tone < 0 || chord.bass < 0) {
        command.messages.inform(QStringLiteral("Inválid Chord"));
        return false;
    }
    print::PrintState state;
    state.diagram = print::SetDiagramSize(print::MediumDiagramSize, command.app.instrument == u"Piano");
    print::NullSurface hidden;
    hidden.CurrentX = 0;
    hidden.CurrentY = HiddenPenY;
    midi::PlaybackNotes notes;
    print::DrawChordDiagram(hidden, chord, sources, state, notes);
    midi::PlayChordNotes(midi, notes);
    return true;
}

// The configured device, as the program would open it. Without one, a silent
// recorder still lets --log show what would have been sent; false then.
bool openDevice(Command& command, midi::MidiLib& midi)
{
    midi::openConfiguredOutput(midi);
    if (midi.isOpen())
        return true;
    command.messages.inform(midi::errorText(midi::MidiError::NotOpen));
    midi.openPort(std::make_unique<midi::RecordingPort>(midi::RecordingPort::Clock::Virtual));
    return false;
}

bool finishWav(Command& command, midi::RenderPort& renderer, const QString& path)
{
    renderer.renderTail();
    QString reason;
    if (renderer.writeWav(path, reason))
        return true;
    command.messages.inform(u"Cannot save file " + path + u": " + reason);
    return false;
}

} // namespace

int runPlay(Command& command)
{
    PlayOptions options;
    if (!takePlayOptions(command, options))
        return command.usage(PlayUsage);
    if (!options.wavPath.isEmpty() && !command.mayReplace(options.wavPath, "RIFF", u"WAV"))
        return ExitRefused;

    song::Song dictionary(command.context);
    song::loadGlobalDictionary(dictionary);
    const QList<music::GuitarChordDef> noSongDefs;
    const print::DiagramSources sources{command.app, command.context.music.chordTypes, noSongDefs, dictionary.chordDefs};

    midi::MidiLib midi(command.app, command.messages);
    midi::RenderPort* renderer = nullptr;
    bool refused = false;
    if (!options.wavPath.isEmpty()) {
        midi::MidiError error = midi::MidiError::None;
        std::unique_ptr<midi::RenderPort> port = midi::RenderPort::create(error);
        if (!port)
            return command.refuse(midi::errorText(error));
        renderer = port.get();
        midi.openPort(std::move(port));
    } else {
        refused = !openDevice(command, midi);
    }

    midi::MessageLog log;
    midi.setMonitor(&log);
    for (const QString& name : std::as_const(command.args)) {
        refused = !playChordName(command, midi, sources, name) || refused;
        if (options.log) {
            for (const QString& line : log.lines())
                command.printLine(line);
        }
        log.clear();
    }
    if (renderer && !finishWav(command, *renderer, options.wavPath))
        refused = true;
    if (!renderer)
        midi.wait(RingOut);
    midi.close();
    return refused ? ExitRefused : ExitOk;
}

} // namespace lvx::cli
