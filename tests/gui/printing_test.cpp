// A song printed through the printer surface the Print command uses, to a PDF
// file as the print dialog's "Print to File" would: the pages carry the song.

#include "desktopfixture.h"
#include "widgetsmain.h"

#include "print/printersurface.h"
#include "print/printjob.h"

#include <QPrinter>
#include <QProcess>

using namespace Qt::StringLiterals;

class PrintingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void songPrintsToAPdfFile()
    {
        DesktopFixture fixture;
        lvx::editor::frmSong* song =
            fixture.open("{title: Printed Song}\n{c: Verse}\nA[G]mazing [C]grace\n{np}\nSecond [D7]page\n"_ba);
        const QString pdf = QDir(fixture.folder.path()).filePath(u"song.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setFullPage(true);
        {
            lvx::print::PrinterSurface surface(printer);
            QVERIFY(surface.isActive());
            lvx::print::PrintJob job(fixture.desktop->context, &fixture.desktop->dictionary);
            job.PrintSongPages(surface, song->song());
        }
        QProcess text;
        text.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
        QVERIFY(text.waitForFinished(30000));
        const QString pages = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(pages.contains(u"Printed Song"_s), qPrintable(pages));
        QVERIFY(pages.contains(u"Amazing grace"_s));
        QVERIFY(pages.contains(u"Second page"_s));
        // The new-page directive puts the second part on a page of its own.
        QVERIFY(pages.count(u'\f') >= 2);
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(PrintingTest)
#include "printing_test.moc"
