#include "printdialogs.h"

#include "printersurface.h"
#include "printjob.h"

#include "app/desktopcontext.h"
#include "song/song.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace lvx::print {

namespace {

// Prints as the song asks: its orientation, colour only when the user wants it.
void prepare(QPrinter& printer, const DesktopContext& desktop, const song::Song& song)
{
    printer.setFullPage(true);
    printer.setResolution(1440);
    printer.setPageOrientation(song.PrintOrientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setColorMode(desktop.app.colorPrinting ? QPrinter::Color : QPrinter::GrayScale);
    printer.setDocName(QFileInfo(song.caption).completeBaseName());
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())
        printer.setOutputFileName(QFileInfo(song.caption).completeBaseName() + u".pdf"_s);
}

} // namespace

bool printSongWithDialog(DesktopContext& desktop, const song::Song& song, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer, desktop, song);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(u"Print"_s);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PrinterSurface surface(printer);
    if (!surface.isActive()) {
        QApplication::restoreOverrideCursor();
        desktop.messages.inform(u"Cannot start the printer " + printer.printerName() + u'.');
        return false;
    }
    PrintJob job(desktop.context, &desktop.dictionary);
    job.PrintSongPages(surface, song);
    surface.end();
    QApplication::restoreOverrideCursor();
    return true;
}

} // namespace lvx::print
