#pragma once

#include "app/appstate.h"
#include "app/fonts.h"
#include "app/messages.h"
#include "music/musicstate.h"

namespace lvx::song {

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
};

} // namespace lvx::song
