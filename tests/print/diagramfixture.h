#pragma once

#include "recordingsurface.h"

#include "base/messages.h"
#include "midi/playbacknotes.h"
#include "music/modos.h"
#include "print/chorddiagram.h"
#include "song/song.h"

// A song with its own program state, the chord types most tests need, an empty
// global dictionary and a print state at the medium guitar size.
struct DiagramFixture
{
    lvx::RecordingMessages messages;
    lvx::song::SongContext context{messages};
    lvx::song::Song song{context};
    QList<lvx::music::GuitarChordDef> globalDefs;
    lvx::print::PrintState state;
    lvx::midi::PlaybackNotes notes;

    DiagramFixture()
    {
        state.diagram = lvx::print::SetDiagramSize(1, false);
        addType(QStringLiteral("maj"), {0, 4, 7});
        addType(QStringLiteral("m"), {0, 3, 7});
        addType(QStringLiteral("7"), {0, 4, 7, 10});
    }

    void addType(const QString& name, std::initializer_list<qint16> intervals)
    {
        QList<qint16> v(intervals);
        v.resize(lvx::music::Modos::MaxIntervals, -1);
        lvx::music::Modos type;
        type.Create(name, {}, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
        context.music.chordTypes.add(type);
    }

    void usePiano()
    {
        context.app.instrument = QStringLiteral("Piano");
        state.diagram = lvx::print::SetDiagramSize(1, true);
    }

    lvx::print::DiagramSources sources() const
    {
        return {context.app, context.music.chordTypes, song.chordDefs, globalDefs};
    }
};

// A fingering written as the song files write it: strings 6 down to 1.
inline lvx::music::GuitarChordDef guitarShape(const QString& name, qint16 baseFret, std::array<qint16, 6> lowToHigh)
{
    lvx::music::GuitarChordDef def;
    def.name = name;
    def.baseFret = baseFret;
    for (int string = 6; string >= 1; --string)
        def.frets[string] = lowToHigh[6 - string];
    return def;
}
