// Subcommands that print: a song or an album to PDF, and the print markup.

#include "command.h"
#include "commands.h"

#include "base/safefile.h"
#include "print/album.h"
#include "print/pdfwriter/pdfdocumentsurface.h"
#include "print/printjob.h"
#include "print/printmarkup.h"
#include "song/globaldictionary.h"
#include "song/song.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFile>

#include <unistd.h>

namespace lvx::cli {

namespace {

const QString PdfUsage = QStringLiteral(
    "usage: lvx pdf [--instrument Guitar|Piano] [--notation C|Do] [--lyrics-only|--chords-only] [--color]\n"
    "               [--sounding] [--page-size A4|Letter] [--contents|--contents-sorted] [--contents-by-artist]\n"
    "               -o OUT.pdf|- FILE...\n"
    "  --contents            a contents page first, songs in album order\n"
    "  --contents-sorted     a contents page first, songs by title (or sorttitle)\n"
    "  --contents-by-artist  a second contents page, songs under their artists");

// Chords printed as they sound with the song's capo, as the option of the
// desktop program shows them.
void takeSoundingOption(Command& command)
{
    if (command.takeFlag(QStringLiteral("--sounding")))
        command.app.soundingChords = true;
}

// The output options of a print, taken from the command line into the state.
bool takePrintOptions(Command& command, print::Paper& paper)
{
    QString instrument;
    if (command.takeOption(QStringLiteral("--instrument"), instrument)) {
        if (instrument != u"Guitar" && instrument != u"Piano")
            return false;
        command.app.instrument = instrument;
    }
    const bool lyricsOnly = command.takeFlag(QStringLiteral("--lyrics-only"));
    const bool chordsOnly = command.takeFlag(QStringLiteral("--chords-only"));
    if (lyricsOnly && chordsOnly)
        return false;
    if (lyricsOnly || chordsOnly) {
        command.app.LyricsOnly = lyricsOnly;
        command.app.ChordsOnly = chordsOnly;
    }
    if (command.takeFlag(QStringLiteral("--color")))
        command.app.colorPrinting = true;
    takeSoundingOption(command);
    QString size;
    if (command.takeOption(QStringLiteral("--page-size"), size)) {
        if (size == u"A4")
            paper = print::Paper::A4;
        else if (size == u"Letter")
            paper = print::Paper::Letter;
        else
            return false;
    }
    return true;
}

bool isAlbum(const Command& command)
{
    return command.args.size() == 1 && command.args.first().endsWith(u".abm", Qt::CaseInsensitive);
}

// The songs to print: the files named, or the songs of one album file.
QStringList songFiles(Command& command, bool& ok)
{
    ok = true;
    if (isAlbum(command))
        return print::readAlbumFile(command.args.first(), command.messages, &ok);
    return command.args;
}

// Contents pages only when asked for on the command line, so a script's
// output never depends on what was ticked in the album window.
print::BookOptions takeBookOptions(Command& command)
{
    print::BookOptions options;
    options.sortedByTitle = command.takeFlag(QStringLiteral("--contents-sorted"));
    options.byArtist = command.takeFlag(QStringLiteral("--contents-by-artist"));
    options.contents = command.takeFlag(QStringLiteral("--contents")) || options.sortedByTitle || options.byArtist;
    return options;
}

print::Orientation orientationOf(Command& command, const QString& file)
{
    song::Song song(command.context);
    command.app.CurrentFileName = file;
    song.LoadFile();
    return song.PrintOrientation == 2 ? print::Orientation::Landscape : print::Orientation::Portrait;
}

// Writes the book into out; a write that fails on the way is kept by the
// device and found when the caller closes it.
void writePdf(Command& command, QIODevice* out, print::Paper paper, const QStringList& files,
              const print::BookOptions& book, const song::Song& dictionary)
{
    print::PdfDocumentSurface printer(out, paper, orientationOf(command, files.first()));
    print::PrintJob job(command.context, &dictionary);
    job.PrintAlbum(printer, files, book);
    printer.end();
}

} // namespace

int runPdf(Command& command)
{
    print::Paper paper = print::defaultPaper();
    QString output;
    print::BookOptions book = takeBookOptions(command);
    if (!command.takeOption(QStringLiteral("-o"), output) || !takePrintOptions(command, paper)
        || command.hasUnknownOption() || command.args.isEmpty()) {
        return command.usage(PdfUsage);
    }
    if (isAlbum(command))
        book.name = QFileInfo(command.args.first()).completeBaseName();
    for (const QString& file : std::as_const(command.args)) {
        if (!command.readableFile(file))
            return ExitRefused;
    }
    // The same refusal as the desktop program's: the bytes of an image or a
    // program would read as a flood of missing songs.
    if (isAlbum(command) && !print::isAlbumText(command.args.first()))
        return command.refuse(command.args.first() + u" is not an album file.");
    bool read = false;
    const QStringList files = songFiles(command, read);
    if (!read)
        return ExitRefused;
    if (files.isEmpty())
        return command.refuse(QStringLiteral("Nothing to print"));
    if (!command.mayReplace(output, "%PDF-", u"PDF"))
        return ExitRefused;

    song::Song dictionary(command.context);
    song::loadGlobalDictionary(dictionary);

    if (output == u"-") {
        QFile out;
        out.open(STDOUT_FILENO, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
        writePdf(command, &out, paper, files, book, dictionary);
        if (out.error() != QFileDevice::NoError || !out.flush())
            return command.refuse(u"Cannot write to standard output: " + out.errorString());
        return ExitOk;
    }
    SafeFile out(output);
    if (!out.open())
        return command.refuse(u"Cannot save file " + output + u": " + out.errorString());
    writePdf(command, out.device(), paper, files, book, dictionary);
    if (!out.commit())
        return command.refuse(u"Cannot save file " + output + u": " + out.errorString());
    return ExitOk;
}

int runMarkup(Command& command)
{
    takeSoundingOption(command);
    if (command.hasUnknownOption() || command.args.size() != 1)
        return command.usage(QStringLiteral("usage: lvx markup [--sounding] FILE"));
    song::Song song(command.context);
    if (!command.loadSong(song, command.args.first()))
        return ExitRefused;
    QBuffer nowhere;
    nowhere.open(QIODevice::WriteOnly);
    print::PdfDocumentSurface measuring(&nowhere, print::defaultPaper(), print::Orientation::Portrait);
    print::PrintState state;
    print::BuildPrintMarkup(measuring, song, command.app, state, command.messages);
    for (const QString& line : std::as_const(state.MarkupLines))
        command.printLine(line);
    return ExitOk;
}

} // namespace lvx::cli
