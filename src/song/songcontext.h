#pragma once

#include "app/appstate.h"
#include "app/fonts.h"
#include "app/messages.h"
#include "music/musicstate.h"

namespace lvx::song {

// The program-wide state a song reads and writes: settings and writer flags,
// the chord type table and chord hand-over slots, the public font set, and
// where messages go. Tests build a fresh one each.
struct SongContext
{
    explicit SongContext(Messages& messageSink) : messages(messageSink) {}

    AppState app;
    music::MusicState music;
    FontState fonts;
    Messages& messages;
};

} // namespace lvx::song
