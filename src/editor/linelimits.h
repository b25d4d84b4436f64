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

} // namespace lvx::editor::detail
