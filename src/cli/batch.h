#pragma once

#include "song/textfile.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace lvx::cli {

struct Command;

// Where a song command's results go: standard output for one file, one file
// each in a folder (-o DIR, same names), or over the files read (--in-place,
// saved as the program saves).
struct Batch
{
    enum class Destination { StandardOutput, Folder, InPlace };
    Destination destination = Destination::StandardOutput;
    QString folder;
    QStringList files;
    // False for results that are no song (a dump): they never replace a file read.
    bool resultsAreSongs = true;
};

// What a command made of one file: song text is saved as the program saves a
// song (its encoding kept); anything else is written as UTF-8 with a line end.
struct BatchResult
{
    QString text;
    song::TextEncoding encoding = song::TextEncoding::Utf8;
    bool songText = true;
    // Only the first 60000 bytes were read: the result may not replace the file.
    bool readInPart = false;
    song::FinalLineEnd finalLineEnd = song::FinalLineEnd::Added;
};

// Takes -o DIR and --in-place from the arguments, and the files after the
// first `leading` positional arguments. Empty with the files in batch, or the
// usage problem. `songResults` false: the results are no song, and may not
// replace the files read.
QString takeBatch(Command& command, qsizetype leading, bool songResults, Batch& batch);

// Runs `make` on every file in turn and sends each result where the batch
// says. A file refused (make gives nothing) or not saved is reported and the
// others still run. Returns the exit code.
int runBatch(Command& command, const Batch& batch, const std::function<std::optional<BatchResult>(const QString&)>& make);

} // namespace lvx::cli
