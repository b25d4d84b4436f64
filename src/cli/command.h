#pragma once

#include "base/appstate.h"
#include "base/messages.h"
#include "song/songcontext.h"
#include "song/textfile.h"

#include <QByteArrayView>
#include <QStringList>
#include <QTextStream>

namespace lvx::song {
class Song;
}

namespace lvx::cli {

enum ExitCode : int { ExitOk = 0, ExitRefused = 1, ExitUsage = 2 };

// Messages on stderr, one line each; while a command works through several
// files, each line starts with the file it is about.
class CommandMessages final : public Messages
{
public:
    QString about;

    void inform(const QString& text, const QString& title = {}) override { m_stderr.inform(prefixed(text), title); }
    Answer ask(const QString& text, const QString& title, Buttons buttons, Icon icon = Icon::None) override
    {
        return m_stderr.ask(prefixed(text), title, buttons, icon);
    }
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& initial = {}) override
    {
        return m_stderr.input(prefixed(prompt), title, initial);
    }
    QString openFile(const QString& filter, const QString& start) override { return m_stderr.openFile(filter, start); }
    QString saveFile(const QString& filter, const QString& suggested) override
    {
        return m_stderr.saveFile(filter, suggested);
    }

private:
    StderrMessages m_stderr;

    QString prefixed(const QString& text) const { return about.isEmpty() ? text : about + u": " + text; }
};

// What every subcommand gets: the state start-up filled, messages that go to
// stderr, stdout for results, and its own arguments.
struct Command
{
    CommandMessages messages;
    song::SongContext context{messages};
    AppState& app = context.app;
    QTextStream out{stdout};
    QStringList args;

    // Removes "--name VALUE" from args; false when absent. A missing value is a usage error.
    bool takeOption(const QString& name, QString& value);
    // Removes "--name" from args.
    bool takeFlag(const QString& name);
    // True when args still hold an option nobody took (a usage error).
    bool hasUnknownOption() const;

    void printLine(const QString& line);
    // False, with the reason on stderr, when anything printed on stdout could
    // not be written (a full disk, a closed pipe): a result cut short must not
    // look like a success.
    bool finishOutput();
    // A usage error: the text on stderr, exit code 2.
    int usage(const QString& text);
    // A refused input: the reason on stderr, exit code 1.
    int refuse(const QString& text);
    // Writes text to stdout as it is (UTF-8), without adding a line end.
    void print(const QString& text);

    // lvx never creates a file it was asked to read: false, with the reason on
    // stderr, when the file is not there or cannot be read.
    bool readableFile(const QString& path);
    // Loads a song file as opening it in the program does; "-" is standard input.
    bool loadSong(song::Song& song, const QString& path);
    // The text of a file, or of standard input for "-"; ok false when refused.
    song::TextFile readText(const QString& path);
    // Whether an output may go to path: a file there must be empty or of the
    // output's kind already (its first bytes `signature`), so a song named by
    // mistake where a PDF or a sound goes is never written over. False, with
    // the reason on stderr, when it may not.
    bool mayReplace(const QString& path, QByteArrayView signature, QStringView kind);
};

} // namespace lvx::cli
