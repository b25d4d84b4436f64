#pragma once

#include "musicfixtures.h"
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
        context.music.chordTypes.add(lvx::test::chordType(name, intervals));
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
