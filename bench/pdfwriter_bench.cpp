// Printing an album to PDF, once per run, on either PDF surface: the
// QPdfWriter one or the direct writer. Prints the wall time, the page count
// and the peak memory, so the two can be compared song for song.
//
// usage: liravox_pdfwriter_bench qt|direct[:LEVEL] SONGS_FOLDER COUNT OUT.pdf
//   LEVEL: zlib level for the direct writer's page content (0 = plain)

#include "base/messages.h"
#include "print/pdfsurface.h"
#include "print/pdfwriter/pdfdocumentsurface.h"
#include "print/printjob.h"
#include "song/globaldictionary.h"
#include "song/song.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <sys/resource.h>

using namespace lvx;

namespace {

template<typename PdfKind>
int printAlbum(PdfKind& pdf, const QStringList& files)
{
    RecordingMessages messages;
    song::SongContext context{messages};
    song::Song dictionary(context);
    song::loadGlobalDictionary(dictionary);
    print::PrintJob job(context, &dictionary);
    job.PrintAlbum(pdf, files);
    const int pages = pdf.Page();
    pdf.end();
    return pages;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 4 || !(args[0] == u"qt" || args[0].startsWith(u"direct"))) {
        out << "usage: liravox_pdfwriter_bench qt|direct[:LEVEL] SONGS_FOLDER COUNT OUT.pdf\n";
        return 2;
    }
    QStringList files = QDir(args[1]).entryList({QStringLiteral("*.cho")}, QDir::Files, QDir::Name);
    files = files.mid(0, args[2].toInt());
    for (QString& file : files)
        file = QDir(args[1]).filePath(file);

    QFile output(args[3]);
    if (!output.open(QIODevice::WriteOnly)) {
        out << "cannot write " << args[3] << '\n';
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    int pages = 0;
    if (args[0] == u"qt") {
        print::PdfSurface pdf(&output, QPageSize(QPageSize::A4), print::Orientation::Portrait);
        pages = printAlbum(pdf, files);
    } else {
        print::PdfDocumentSurface pdf(&output, print::Paper::A4, print::Orientation::Portrait);
        pdf.setPageCompression(args[0].section(u':', 1).toInt());
        pages = printAlbum(pdf, files);
    }
    output.close();
    const double seconds = timer.nsecsElapsed() / 1e9;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    out << args[0] << ": " << files.size() << " songs, " << pages << " pages in " << seconds << " s, "
        << pages / seconds << " pages/s, " << seconds * 1000 / qMax(1, pages) << " ms/page, "
        << QFileInfo(args[3]).size() / 1024 << " KiB, peak RSS " << usage.ru_maxrss / 1024 << " MiB\n";
    return 0;
}
