#pragma once

#include "lineediting.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QMimeData;

namespace lvx::song {
struct SongContext;
}

namespace lvx::editor {

// Lines on the system clipboard: the records with their kinds and chords in a
// format of the program's own, for pasting into a song (of this or another
// running copy of the program), and the same lines as ChordPro text for other
// programs.
inline constexpr char ClipMimeType[] = "application/x-liravox-lines";
// More text than any song holds is not read as one.
inline constexpr qsizetype MaxPastedText = 1 << 20;

QByteArray encodeClip(const Lines& clip);
// Nothing for bytes that are not a clip; the records read are made safe for a
// song (known kinds, lines no longer than a line may be, chords in order).
std::optional<Lines> decodeClip(const QByteArray& bytes);
// The ChordPro text of the records, a line each ("[G]Amazing [C]grace").
QString clipText(const Lines& clip);
// Text from another program read as the song reader reads a song; a text that
// ends with a line end ends with an empty part, so the paste ends a line too.
Lines readClipText(song::SongContext& context, const QString& text);

// Both forms, ready for the system clipboard (which takes it over).
QMimeData* clipMimeData(const Lines& clip);
// The records the clipboard holds: the program's own, else its text read as a
// song; nothing when it holds neither (or too much text).
std::optional<Lines> clipFromMimeData(const QMimeData* data, song::SongContext& context);

} // namespace lvx::editor
