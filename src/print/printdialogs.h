#pragma once

class QWidget;

namespace lvx {
class DesktopContext;
}

namespace lvx::song {
class Song;
}

namespace lvx::print {

// Print: the platform's print dialog (a printer, or a PDF file), then the
// song's pages on what was chosen. False when the user cancelled or the
// printer could not start (the reason is shown).
bool printSongWithDialog(DesktopContext& desktop, const song::Song& song, QWidget* parent);

} // namespace lvx::print
