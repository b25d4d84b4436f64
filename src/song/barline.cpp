#include "barline.h"

#include "chordsheet.h"

#include "base/text.h"

#include <QRegularExpression>

namespace lvx::song {

namespace {

const QString BarLabel = QStringLiteral("['|]");

QString bracketToken(QStringView token)
{
    if (token.startsWith(u'[') && token.endsWith(u']'))
        return token.toString();
    if (QStringLiteral("ABCDEFG").contains(token.front().toUpper()))
        return u'[' + token + u']';
    return u"['" + token + u']';
}

// Blanks are copied one for one; every run of other characters is one token.
void appendSegment(QString& out, QStringView segment)
{
    qsizetype tokenStart = -1;
    for (qsizetype i = 0; i <= segment.size(); ++i) {
        const bool atEnd = i == segment.size();
        if (!atEnd && segment[i] != u' ') {
            if (tokenStart < 0)
                tokenStart = i;
            continue;
        }
        if (tokenStart >= 0) {
            out += bracketToken(segment.mid(tokenStart, i - tokenStart));
            tokenStart = -1;
        }
        if (!atEnd)
            out += u' ';
    }
}

// Rests, repeat signs and counts, voltas and rhythm marks.
bool isBarMark(QStringView word)
{
    static const QRegularExpression mark(QStringLiteral(
        R"(^(?:[.,/%_~*x\-]+|[xX]?\d{1,2}[xX]?|\([xX]?\d{1,2}[xX]?\)|\d{1,2}\.(?:\d{1,2}\.)*|[xX]|N\.?C\.?|n\.?c\.?)$)"));
    return mark.match(word).hasMatch();
}

// A chord as bar lines carry it: "Am7", "g7" (a lower-case letter with more
// than letters after it), "[C]", or several chords in one beat ("C~Am").
bool isBarChord(QStringView word)
{
    if (word.size() >= 2 && word.startsWith(u'[') && word.endsWith(u']'))
        return true;
    if (isChordWord(word))
        return true;
    if (word.size() >= 2 && QStringView(u"abcdefg").contains(word.front()) && !word[1].isLetter())
        return isChordWord(QString(word.front().toUpper() + word.mid(1)));
    if (!word.contains(u'~'))
        return false;
    for (const QStringView part : word.split(u'~')) {
        if (!part.isEmpty() && !isChordWord(part))
            return false;
    }
    return true;
}

bool isBarWord(QStringView word, ChordWordTest alsoChord)
{
    // Repeat colons stand against the bar, or against the chord beside it ("D:").
    while (word.startsWith(u':'))
        word = word.mid(1);
    while (word.endsWith(u':'))
        word.chop(1);
    return word.isEmpty() || isBarChord(word) || isBarMark(word) || (alsoChord && alsoChord(word));
}

} // namespace

bool IsBarNotation(QStringView line, ChordWordTest alsoChord)
{
    if (!trimLeadingBlanks(line).startsWith(u'|'))
        return false;
    for (const QStringView segment : line.split(u'|')) {
        for (const QStringView word : segment.split(u' ', Qt::SkipEmptyParts)) {
            if (!isBarWord(word, alsoChord))
                return false;
        }
    }
    return true;
}

QString BarLineToChordPro(const QString& line)
{
    qsizetype indent = 0;
    while (indent < line.size() && line[indent] == u' ')
        ++indent;
    const QStringView s = QStringView(line).mid(indent);
    const bool opensWithBar = s.startsWith(u'|');
    const bool closesWithBar = s.endsWith(u'|');

    QString w = s.toString();
    if (!opensWithBar)
        w.prepend(u'|');
    if (!closesWithBar)
        w.append(u'|');

    QString out;
    qsizetype previousBar = 0;
    for (qsizetype i = 1; i < w.size(); ++i) {
        if (w[i] != u'|')
            continue;
        out += BarLabel;
        appendSegment(out, QStringView(w).mid(previousBar + 1, i - previousBar - 1));
        previousBar = i;
    }
    out += BarLabel;

    while (out.contains(u"[[") || out.contains(u"]]")) {
        out.replace(QStringLiteral("[["), QStringLiteral("["));
        out.replace(QStringLiteral("]]"), QStringLiteral("]"));
    }
    if (!opensWithBar && out.startsWith(BarLabel))
        out.remove(0, BarLabel.size());
    if (!closesWithBar && out.endsWith(BarLabel))
        out.chop(BarLabel.size());
    return QString(indent, u' ') + out;
}

} // namespace lvx::song
