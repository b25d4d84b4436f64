#pragma once

#include "app/messages.h"
#include "song/song.h"

#include <memory>

// A song with its own program state and a recorder for every message it shows.
struct SongFixture
{
    lvx::RecordingMessages messages;
    lvx::song::SongContext context{messages};
    lvx::song::Song song{context};

    // The song read from text, the way a file's text is read.
    static std::unique_ptr<SongFixture> read(const QString& text)
    {
        auto fixture = std::make_unique<SongFixture>();
        fixture->song.StringToLinesRec(text);
        return fixture;
    }
};
