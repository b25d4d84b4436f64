#include "print/ui/printdialogs.h"

#include "print/ui/printersurface.h"
#include "print/printjob.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "base/safefile.h"
#include "song/song.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace lvx::print {

namespace {

QPageLayout::Orientation orientationOf(const song::Song& song)
{
    return song.PrintOrientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// Prints in twips, colour only when the user wants it. A PDF is offered beside
// the song under its name (a bare name would land in the home folder).
void prepare(QPrinter& printer, const DesktopContext& desktop, const QString& pdfPath)
{
    useChosenPrinter(printer, desktop);
    printer.setFullPage(true);
    printer.setResolution(1440);
    printer.setColorMode(desktop.app.colorPrinting ? QPrinter::Color : QPrinter::GrayScale);
    printer.setDocName(QFileInfo(pdfPath).completeBaseName());
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())
        printer.setOutputFileName(pdfPath);
}

using PrintPages = std::function<void(PrinterSurface&, PrintJob&)>;

// Draws the pages on the device and ends the document; false when it could
// not be started.
bool paint(DesktopContext& desktop, QPagedPaintDevice& device, const PrintPages& print)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PrinterSurface surface(device);
    if (!surface.isActive()) {
        QApplication::restoreOverrideCursor();
        return false;
    }
    PrintJob job(desktop.context, &desktop.dictionary);
    print(surface, job);
    surface.end();
    QApplication::restoreOverrideCursor();
    return true;
}

// A PDF file is saved as every other file is, so a full disk or a folder that
// cannot be written says so and leaves an old PDF of that name as it was.
// Qt's own PDF output writes straight into the file and reports nothing.
bool printToPdfFile(DesktopContext& desktop, const QPrinter& printer, const PrintPages& print)
{
    const QString path = printer.outputFileName();
    SafeFile file(path);
    const auto cannotSave = [&] {
        desktop.messages.inform(u"Cannot save file " + path + u": " + file.errorString());
        return false;
    };
    if (!file.open())
        return cannotSave();
    QPdfWriter writer(file.device());
    writer.setPageLayout(printer.pageLayout());
    writer.setResolution(printer.resolution());
    writer.setTitle(printer.docName());
    writer.setCreator(QCoreApplication::applicationName());
    if (!paint(desktop, writer, print)) {
        desktop.messages.inform(u"Cannot save file " + path + u'.');
        return false;
    }
    return file.commit() || cannotSave();
}

// Runs the print on the printer the user chose; false when there was none.
bool printOn(DesktopContext& desktop, QPrinter& printer, QWidget* parent, const ChoosePrinter& choose,
             const PrintPages& print)
{
    if (!choose(printer, parent))
        return false;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return printToPdfFile(desktop, printer, print);
    if (!paint(desktop, printer, print)) {
        desktop.messages.inform(u"Cannot start the printer " + printer.printerName() + u'.');
        return false;
    }
    return true;
}

} // namespace

QString suggestedPdfPath(const QString& caption)
{
    const QFileInfo song(caption.startsWith(u"Untitled") ? u"Untitled"_s : caption);
    return QDir::cleanPath(song.absoluteDir().filePath(song.completeBaseName() + u".pdf"_s));
}

bool showPrintDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(u"Print"_s);
    return dialog.exec() == QDialog::Accepted;
}

bool showPrinterSetupDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(u"Printer Setup"_s);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    return dialog.exec() == QDialog::Accepted;
}

void useChosenPrinter(QPrinter& printer, const DesktopContext& desktop)
{
    if (!desktop.printer || &printer == desktop.printer.get())
        return;
    const QPrinter& chosen = *desktop.printer;
    if (chosen.outputFormat() == QPrinter::NativeFormat)
        printer.setPrinterName(chosen.printerName());
    printer.setPageSize(chosen.pageLayout().pageSize());
}

bool printSongWithDialog(DesktopContext& desktop, const song::Song& song, QWidget* parent, const ChoosePrinter& choose)
{
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer, desktop, suggestedPdfPath(song.caption));
    printer.setPageOrientation(orientationOf(song));
    return printOn(desktop, printer, parent, choose,
                   [&song](PrinterSurface& surface, PrintJob& job) { job.PrintSongPages(surface, song); });
}

void printerSetup(DesktopContext& desktop, song::Song& song, QWidget* parent, const ChoosePrinter& choose)
{
    // The dialog edits a copy of the choice, so cancelling keeps the old one.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    useChosenPrinter(*printer, desktop);
    printer->setPageOrientation(orientationOf(song));
    if (choose(*printer, parent))
        desktop.printer = std::move(printer);
}

bool printAlbumWithDialog(DesktopContext& desktop, const QStringList& files, const BookOptions& options,
                          QWidget* parent, const ChoosePrinter& choose)
{
    if (files.isEmpty())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer, desktop, suggestedPdfPath(u"Album"_s));
    return printOn(desktop, printer, parent, choose,
                   [&](PrinterSurface& surface, PrintJob& job) { job.PrintAlbum(surface, files, options); });
}

QSizeF printerPageTwips(const DesktopContext& desktop, const song::Song& song)
{
    QPageLayout layout = desktop.printer ? desktop.printer->pageLayout() : QPrinter(QPrinter::HighResolution).pageLayout();
    layout.setOrientation(orientationOf(song));
    return layout.fullRect(QPageLayout::Point).size() * 20.0;
}

} // namespace lvx::print
