// One song file's bytes through the whole text path: decoding as a file read
// does, reading, writing, reading the written text again, the chord sheet both
// ways, and the chord and bar-line parsers on every line. Writing must be a fixed point after one round:
// a song saved, opened and saved again must not change.

#include "app/fonts.h"
#include "app/messages.h"
#include "music/chordsymbol.h"
#include "song/barline.h"
#include "song/chordsheet.h"
#include "song/song.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using namespace lvx;

// Nobody is at the keyboard: every message is dropped, every question refused.
class QuietMessages final : public Messages
{
public:
    void inform(const QString&, const QString&) override {}
    Answer ask(const QString&, const QString&, Buttons buttons, Icon) override { return negativeAnswer(buttons); }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString openFile(const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&) override { return {}; }
};

// What every input starts from, set up once: the throw-away program folder and
// the song fonts a song gets when a file is loaded (font directives only change
// roles that exist).
struct Setup
{
    QTemporaryDir home{QDir::tempPath() + u"/liravox-fuzz-XXXXXX"};
    FontSet songFonts;
};

Setup* setup = nullptr;

std::unique_ptr<song::Song> readSong(song::SongContext& context, const QString& text)
{
    auto result = std::make_unique<song::Song>(context);
    result->fonts = std::make_shared<FontSet>(setup->songFonts);
    result->StringToLinesRec(text);
    return result;
}

void reportDifference(const QString& written, const QString& rewritten)
{
    const QStringList before = song::SplitLines(written);
    const QStringList after = song::SplitLines(rewritten);
    qsizetype index = 0;
    while (index < before.size() && index < after.size() && before[index] == after[index])
        ++index;
    std::fprintf(stderr, "Writing is not a fixed point; first difference at written line %lld:\n  first:  %s\n  second: %s\n",
                 static_cast<long long>(index + 1), index < before.size() ? before[index].toUtf8().constData() : "(none)",
                 index < after.size() ? after[index].toUtf8().constData() : "(none)");
}

void parseChords(const song::Song& song)
{
    for (const song::SongLine& line : song.lines) {
        for (const song::ChordPlacement& chord : line.chords) {
            const music::ChordSymbol symbol = music::ParseChord(chord.name);
            if (symbol.tone >= 0 && symbol.bass >= 0)
                (void)music::FormatChord(symbol, QStringLiteral("C"));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setup = new Setup;
    if (!setup->home.isValid())
        std::abort();
    // libFuzzer ends with exit(): take the temporary folder away then.
    std::atexit([] { delete setup; });
    qputenv("LIRAVOX_HOME", QFile::encodeName(setup->home.filePath(QStringLiteral("home"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(setup->home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(setup->home.filePath(QStringLiteral("data"))));
    loadSongFontDefaults(setup->songFonts);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A file read stops at the cap and knows that it did.
    const bool truncated = size > size_t(song::MaxReadBytes);
    const QByteArray bytes(reinterpret_cast<const char*>(data), truncated ? song::MaxReadBytes : qsizetype(size));
    const QString text = song::decodeText(bytes, truncated).text;

    QuietMessages messages;
    song::SongContext context{messages};
    const auto first = readSong(context, text);
    const QString written = first->LinesToString();
    const QString rewritten = readSong(context, written)->LinesToString();
    if (rewritten != written) {
        reportDifference(written, rewritten);
        std::abort();
    }

    parseChords(*first);
    (void)song::chordSheetText(*first);
    (void)song::chordSheetToChordPro(text);
    for (const QString& line : song::SplitLines(text)) {
        (void)music::ParseChord(line);
        (void)song::BarLineToChordPro(line);
    }
    return 0;
}
