// A song printed by the Print command to a PDF file, as the print dialog's
// "Print to File" would: the file is offered beside the song, the pages carry it.
// Exported as text, it is the chord sheet musicians pass around.

#include "desktopfixture.h"
#include "widgetsmain.h"

#include "print/ui/printdialogs.h"

#include <QAction>
#include <QFile>
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
        QString offered;
        const bool printed = lvx::print::printSongWithDialog(*fixture.desktop, song->song(), song,
                                                             [&](QPrinter& printer, QWidget*) {
                                                                 offered = printer.outputFileName();
                                                                 printer.setOutputFileName(pdf);
                                                                 return true;
                                                             });
        QVERIFY(printed);
        // With no printer the dialog offers a file: beside the song, under its name.
        if (QPrinter().outputFormat() == QPrinter::PdfFormat)
            QCOMPARE(offered, pdf);
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

    void songExportsAsAChordSheet()
    {
        DesktopFixture fixture;
        lvx::editor::frmSong* song = fixture.open("{title: Shared}\n{c: Verse}\nA[G]mazing [C]grace\n"_ba);
        const QString sheet = QDir(fixture.folder.path()).filePath(u"shared.txt"_s);
        fixture.messages.scriptText(sheet);
        song->action(u"mnuFExportText"_s)->trigger();
        QCOMPARE(fixture.messages.entries().last().text, u"Text Files (*.txt)|*.txt|All Files (*.*)|*.*"_s);
        QFile file(sheet);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "Shared\r\n\r\nVerse\r\n G      C\r\nAmazing grace\r\n"_ba);
        QVERIFY(!song->song().Modificada);
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(PrintingTest)
#include "printing_test.moc"
