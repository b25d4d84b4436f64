#include "escapes.h"

#include "barline.h"

#include <algorithm>
#include <array>

namespace lvx::song {

namespace {

constexpr std::array<char16_t, 6> Escaped{u'[', u'\\', u']', u'{', u'|', u' '};

QString escapeOf(QChar c)
{
    return u"\\u" + QString::number(c.unicode(), 16).rightJustified(4, u'0').toUpper();
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// The character an escape at `at` stands for, or a null character.
QChar escapedAt(QStringView text, qsizetype at)
{
    if (at + 6 > text.size() || text[at] != u'\\' || text[at + 1] != u'u')
        return {};
    char16_t code = 0;
    for (qsizetype i = at + 2; i < at + 6; ++i) {
        const int digit = hexValue(text[i]);
        if (digit < 0)
            return {};
        code = char16_t(code * 16 + digit);
    }
    if (std::find(Escaped.begin(), Escaped.end(), code) == Escaped.end())
        return {};
    return QChar(code);
}

// Appends text, escaping every character `escape` asks for; a backslash that
// would read as the start of an escape is always escaped itself.
template<typename Escape>
void appendEscaped(QString& out, QStringView text, Escape escape)
{
    const auto needsEscape = [&](qsizetype i) {
        const QChar c = text[i];
        return escape(c, i) || (c == u'\\' && !escapedAt(text, i).isNull());
    };
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!needsEscape(i))
            continue;
        out += text.mid(from, i - from);
        out += escapeOf(text[i]);
        from = i + 1;
    }
    out += text.mid(from);
}

qsizetype firstNonBlank(const SongLine& line)
{
    qsizetype first = 0;
    while (first < line.text.size() && line.text[first] == u' ')
        ++first;
    return first;
}

} // namespace

void appendDecoded(QString& out, QStringView piece)
{
    qsizetype from = 0;
    for (qsizetype at = piece.indexOf(u'\\'); at >= 0; at = piece.indexOf(u'\\', at + 1)) {
        const QChar c = escapedAt(piece, at);
        if (c.isNull())
            continue;
        out += piece.mid(from, at - from);
        out += c;
        from = at + 6;
        at += 5;
    }
    out += piece.mid(from);
}

QString decodeEscapes(QStringView text)
{
    if (!text.contains(u'\\'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    appendDecoded(out, text);
    return out;
}

namespace {

// Most lyrics hold nothing that needs an escape: they are written as they stand.
bool needsNoEscape(const SongLine& line, bool inTab)
{
    const qsizetype first = firstNonBlank(line);
    if (first < line.text.size() && (line.text[first] == u'{' || (line.text[first] == u'|' && !inTab)))
        return false;
    if (line.text.contains(u'\\') || (!inTab && line.text.contains(u'[')))
        return false;
    // Chord names are a few characters: a plain loop beats two searches each.
    for (const ChordPlacement& chord : line.chords) {
        for (const QChar c : chord.name) {
            if (c == u']' || c == u'\\')
                return false;
        }
    }
    return true;
}

} // namespace

QString writtenLyric(const SongLine& line, bool inTab)
{
    if (needsNoEscape(line, inTab))
        return lyricWithChords(line);
    const qsizetype first = firstNonBlank(line);
    // Outside a tablature section a "|" before chords and rhythm marks starts a
    // bar line; before words, and inside tablature, the text stays as written.
    const bool barLine = !inTab && first < line.text.size() && line.text[first] == u'|'
                         && IsBarNotation(lyricWithChords(line));
    const auto escapeLyric = [&](QChar c, qsizetype at) {
        if (at == first && (c == u'{' || (c == u'|' && barLine)))
            return true;
        return c == u'[' && !inTab;
    };
    const auto escapeChord = [](QChar c, qsizetype) { return c == u']'; };
    QString out;
    out.reserve(line.text.size() + line.chords.size() * 6);
    qsizetype copied = 0;
    const auto copyTo = [&](qsizetype end) {
        const qsizetype start = copied;
        appendEscaped(out, QStringView(line.text).mid(start, end - start),
                      [&](QChar c, qsizetype at) { return escapeLyric(c, at + start); });
        copied = end;
    };
    for (const ChordPlacement& chord : line.chords) {
        if (chord.position > copied)
            copyTo(qMin<qsizetype>(chord.position, line.text.size()));
        out += u'[';
        appendEscaped(out, chord.name, escapeChord);
        out += u']';
    }
    copyTo(line.text.size());
    return out;
}

QString writtenArgument(const QString& text)
{
    if (!text.startsWith(u' ') && !text.endsWith(u' ') && !text.contains(u'\\'))
        return text;
    QString out;
    out.reserve(text.size() + 12);
    const qsizetype last = text.size() - 1;
    // Only the outermost blanks need it: the inner ones are no longer at the edge.
    appendEscaped(out, text, [last](QChar c, qsizetype at) { return c == u' ' && (at == 0 || at == last); });
    return out;
}

} // namespace lvx::song
