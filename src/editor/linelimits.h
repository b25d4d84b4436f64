#pragma once

#include "song/song.h"
#include "song/songline.h"

#include <QtGlobal>

#include <algorithm>

namespace lvx::editor::detail {

// Chord positions are 16-bit; a line never grows past what a position can reach.
inline constexpr qsizetype MaxLineLength = song::Song::MaxLineLength;

inline qint16 toPosition(qsizetype value)
{
    return qint16(std::clamp<qsizetype>(value, 0, MaxLineLength));
}

inline qsizetype clampOffset(qsizetype offset, const QString& text)
{
    return std::clamp<qsizetype>(offset, 0, text.size());
}

inline bool isDirectiveLine(const song::SongLine& line)
{
    return line.kind >= song::KindNewPage;
}

// A line whose text is a name the file writes from its kind ("End of Block",
// "Start of Chorus"): only lyrics, comments and block names are text of their own.
inline bool hasFixedText(const song::SongLine& line)
{
    return line.kind != song::KindLyric && line.kind != song::KindComment && line.kind != song::KindBlockStart;
}

} // namespace lvx::editor::detail
