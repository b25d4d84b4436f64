#pragma once

#include "base/appstate.h"
#include "base/fonts.h"
#include "base/messages.h"
#include "music/musicstate.h"

#include <optional>

namespace lvx::song {

// What loading a song reads from the settings: the default fonts ("SongFonts")
// and margins ("Margins"), in twips.
struct LoadDefaults
{
    FontSet fonts;
    qint16 left = 800;
    qint16 right = 600;
    qint16 top = 1000;
    qint16 bottom = 1000;
};

LoadDefaults readLoadDefaults();

// The program-wide state a song reads and writes: settings and writer flags,
// the chord type table and chord hand-over slots, the public font set, and
// where messages go (with a note on where they come from, when one is set).
// Tests build a fresh one each.
struct SongContext
{
    explicit SongContext(Messages& messageSink) : messages(messageSink) {}

    AppState app;
    music::MusicState music;
    FontState fonts;
    NotedMessages messages;
    // Set for a job over many songs (an album print, a batch command), which
    // reads the defaults once; empty, every load reads them.
    std::optional<LoadDefaults> jobDefaults;
};

} // namespace lvx::song
