#include "fuzzsupport.h"

#include "song/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace lvx::fuzz {

namespace {

struct Setup
{
    QTemporaryDir home{QDir::tempPath() + u"/liravox-fuzz-XXXXXX"};
    FontSet songFonts;
};

Setup* setup = nullptr;

QByteArray printable(const QString& text)
{
    return text.left(400).toUtf8();
}

} // namespace

void initialize()
{
    if (setup != nullptr)
        return;
    setup = new Setup;
    if (!setup->home.isValid())
        std::abort();
    // libFuzzer ends with exit(): take the temporary folder away then.
    std::atexit([] { delete setup; });
    qputenv("LIRAVOX_HOME", QFile::encodeName(setup->home.filePath(QStringLiteral("home"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(setup->home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(setup->home.filePath(QStringLiteral("data"))));
    QDir().mkpath(setup->home.filePath(QStringLiteral("home")));
    loadSongFontDefaults(setup->songFonts);
}

QString scratchFolder()
{
    return setup->home.path();
}

const FontSet& songFonts()
{
    return setup->songFonts;
}

QString fileText(const uint8_t* data, size_t size)
{
    // A file read stops at the cap and knows that it did.
    const bool truncated = size > size_t(song::MaxReadBytes);
    const QByteArray bytes(reinterpret_cast<const char*>(data), truncated ? song::MaxReadBytes : qsizetype(size));
    return song::decodeText(bytes, truncated).text;
}

std::unique_ptr<song::Song> readSong(song::SongContext& context, const QString& text)
{
    auto result = std::make_unique<song::Song>(context);
    result->fonts = std::make_shared<FontSet>(songFonts());
    result->StringToLinesRec(text);
    return result;
}

void reportDifference(const QString& first, const QString& second)
{
    const QStringList before = song::SplitLines(first);
    const QStringList after = song::SplitLines(second);
    qsizetype index = 0;
    while (index < before.size() && index < after.size() && before[index] == after[index])
        ++index;
    std::fprintf(stderr, "first difference at line %lld:\n", static_cast<long long>(index + 1));
    for (qsizetype context = std::max<qsizetype>(index - 3, 0); context < index; ++context)
        std::fprintf(stderr, "  both:   %s\n", printable(before[context]).constData());
    std::fprintf(stderr, "  first:  %s\n  second: %s\n",
                 index < before.size() ? printable(before[index]).constData() : "(none)",
                 index < after.size() ? printable(after[index]).constData() : "(none)");
}

void fail(const char* reason, const QString& first, const QString& second)
{
    std::fprintf(stderr, "%s\n", reason);
    if (!first.isNull() || !second.isNull())
        reportDifference(first, second);
    std::abort();
}

} // namespace lvx::fuzz
