#pragma once

#include "print/album.h"

#include <QSizeF>
#include <QStringList>

#include <functional>

class QPrinter;
class QWidget;

namespace lvx {
class DesktopContext;
}

namespace lvx::song {
class Song;
}

namespace lvx::print {

// Lets the user pick a printer and its options; false when cancelled. The
// desktop shows the platform's dialog; tests set up a PDF file instead.
using ChoosePrinter = std::function<bool(QPrinter& printer, QWidget* parent)>;
bool showPrintDialog(QPrinter& printer, QWidget* parent);
// The same dialog for "Printer Setup": nothing to select, no page range, no file.
bool showPrinterSetupDialog(QPrinter& printer, QWidget* parent);

// Where Print offers to write a PDF: the song's folder and name with ".pdf"; a
// new song, or anything else that is no path, goes to the current folder.
QString suggestedPdfPath(const QString& caption);

// Print: the print dialog (a printer, or a PDF file), then the song's pages on
// what was chosen. False when the user cancelled or the printer could not start
// (the reason is shown).
bool printSongWithDialog(DesktopContext& desktop, const song::Song& song, QWidget* parent,
                         const ChoosePrinter& choose = showPrintDialog);

// Printer Setup: the chosen printer is kept for every later print. Cancelling
// ends it silently.
void printerSetup(DesktopContext& desktop, song::Song& song, QWidget* parent,
                  const ChoosePrinter& choose = showPrinterSetupDialog);

// An album's songs as one print job with running page numbers. An empty album
// prints nothing and shows no dialog. A printer keeps no bookmarks.
bool printAlbumWithDialog(DesktopContext& desktop, const QStringList& files, const BookOptions& options,
                          QWidget* parent, const ChoosePrinter& choose = showPrintDialog);

// The page of the printer the song would print on, in twips: what the print
// preview lays out against.
QSizeF printerPageTwips(const DesktopContext& desktop, const song::Song& song);

// Gives the printer the chosen printer's name and paper, when one was chosen.
void useChosenPrinter(QPrinter& printer, const DesktopContext& desktop);

} // namespace lvx::print
