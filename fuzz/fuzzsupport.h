#pragma once

#include "base/fonts.h"
#include "base/messages.h"
#include "song/song.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>

// What every fuzz target shares: a program folder and settings of its own, so
// nothing reaches the user's files; nobody at the keyboard; the song fonts a
// loaded song starts with; and a way to stop with a readable reason.
namespace lvx::fuzz {

// Every message is dropped, every question refused.
class QuietMessages final : public Messages
{
public:
    void inform(const QString&, const QString&) override { ++shown; }
    Answer ask(const QString&, const QString&, Buttons buttons, Icon) override { return negativeAnswer(buttons); }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString openFile(const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&) override { return {}; }

    int shown = 0;
};

// Points the program folder and the settings at a temporary folder, removed at exit.
void initialize();
// That folder.
QString scratchFolder();

// The song fonts the settings give a song that is loaded.
const FontSet& songFonts();

// The input's bytes as a file read gives them: at most the read limit, decoded.
QString fileText(const uint8_t* data, size_t size);

// A song read from text, with the song fonts a load starts from.
std::unique_ptr<song::Song> readSong(song::SongContext& context, const QString& text);

// Stops the run with the reason and, when given, the two texts that differ.
[[noreturn]] void fail(const char* reason, const QString& first = {}, const QString& second = {});

// Where two line lists differ first, for the failure report.
void reportDifference(const QString& first, const QString& second);

} // namespace lvx::fuzz
