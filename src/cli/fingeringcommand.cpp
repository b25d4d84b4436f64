// lvx fingering: the guitar fingering a chord diagram shows for a chord, and the
// notes a click on it would play.

#include "command.h"
#include "commands.h"
#include "json.h"

#include "midi/playbacknotes.h"
#include "music/chordsymbol.h"
#include "print/chorddiagram.h"
#include "print/nullsurface.h"
#include "song/globaldictionary.h"
#include "song/song.h"

namespace lvx::cli {

namespace {

const QString FingeringUsage = QStringLiteral("usage: lvx fingering NAME [--song FILE]");

QString sourceText(const print::DrawnFingering& fingering)
{
    // A known chord type with no playable position draws nothing: not found either.
    if (!fingering.drawn)
        return QStringLiteral("notfound");
    switch (fingering.origin) {
    case print::FingeringOrigin::Song:
        return QStringLiteral("song");
    case print::FingeringOrigin::Global:
        return QStringLiteral("global");
    case print::FingeringOrigin::Computed:
        return QStringLiteral("computed");
    case print::FingeringOrigin::NotFound:
        break;
    }
    return QStringLiteral("notfound");
}

// The notes as the diagram leaves them, drawn where nobody sees it.
QList<int> drawnNotes(const music::ChordSymbol& chord, const print::DiagramSources& sources)
{
    print::PrintState state;
    state.diagram = print::SetDiagramSize(print::MediumDiagramSize, false);
    print::NullSurface hidden;
    midi::PlaybackNotes notes;
    print::DrawChordDiagram(hidden, chord, sources, state, notes);
    return notes.notes();
}

Json fingeringJson(const print::DrawnFingering& fingering, const QList<int>& notes)
{
    Json strings = Json::array();
    for (int string = 1; string <= 6; ++string)
        strings.append(fingering.strings[string]);
    Json noteList = Json::array();
    for (const int note : notes)
        noteList.append(note);
    Json object = Json::object();
    object.add(QStringLiteral("name"), fingering.name)
        .add(QStringLiteral("baseFret"), fingering.baseFret)
        .add(QStringLiteral("barre"), fingering.barre)
        .add(QStringLiteral("strings"), strings)
        .add(QStringLiteral("source"), sourceText(fingering))
        .add(QStringLiteral("notes"), noteList);
    return object;
}

} // namespace

int runFingering(Command& command)
{
    QString songPath;
    const bool withSong = command.takeOption(QStringLiteral("--song"), songPath);
    if (command.hasUnknownOption() || command.args.size() != 1)
        return command.usage(FingeringUsage);
    const QString name = command.args.first();
    const music::ChordSymbol chord = music::ParseChord(name);
    if (chord.tone < 0 || chord.bass < 0)
        return command.refuse(u"Not a chord: " + name);

    song::Song dictionary(command.context);
    song::loadGlobalDictionary(dictionary);
    song::Song song(command.context);
    if (withSong && !command.loadSong(song, songPath))
        return ExitRefused;

    // The guitar's diagram, whatever instrument the settings choose.
    AppState guitar = command.app;
    guitar.instrument = QStringLiteral("Guitar");
    const print::DiagramSources sources{guitar, command.context.music.chordTypes, song.chordDefs, dictionary.chordDefs};
    command.printLine(fingeringJson(print::guitarFingering(chord, sources), drawnNotes(chord, sources)).toText());
    return ExitOk;
}

} // namespace lvx::cli
