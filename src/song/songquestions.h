#pragma once

#include <QString>

namespace lvx::song {

class Song;

// The filter of the song open and save dialogs.
QString songFileFilter();

// Asked once after loading a text that does not look like ChordPro: true when
// the user wants the source editor's conversion tools.
bool askConvertToChordPro(Song& song);

enum class CloseDecision { Close, Refuse };

// Whether a song window may close: never while a chord it started is sounding;
// with unsaved changes, the user saves, discards or cancels. A save that fails
// or whose file dialog is cancelled keeps the window open, so nothing typed is lost.
CloseDecision queryUnload(Song& song, const QString& mainCaption);

} // namespace lvx::song
