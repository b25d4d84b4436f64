#include "chordsheet.h"

#include "songline.h"
#include "textfile.h"

#include "base/text.h"

#include <QRegularExpression>

namespace lvx::song {

namespace {

// Bar lines, repeat signs and counts that chord lines carry between the chords.
bool isMarkWord(QStringView word)
{
    static const QRegularExpression mark(QStringLiteral(R"(^(?::?\|+:?|%|/+|-+|\.+|x\d\d?|\d\d?x|\(x?\d\d?x?\))$)"));
    return mark.match(word).hasMatch();
}

struct WordCounts
{
    int chords = 0;
    int others = 0;
};

WordCounts countWords(QStringView line)
{
    WordCounts counts;
    for (const QStringView word : line.split(Blank, Qt::SkipEmptyParts)) {
        if (isChordWord(word))
            ++counts.chords;
        else if (!isMarkWord(word))
            ++counts.others;
    }
    return counts;
}

// The words of a chord line as chord placements at their columns; what is no
// chord name becomes a text label.
QList<ChordPlacement> chordsOfLine(QStringView line)
{
    QList<ChordPlacement> chords;
    qsizetype column = 0;
    while (column < line.size()) {
        if (line[column] == Blank) {
            ++column;
            continue;
        }
        qsizetype end = line.indexOf(Blank, column);
        if (end < 0)
            end = line.size();
        const QStringView word = line.mid(column, end - column);
        chords.append({isChordWord(word) ? word.toString() : u'\'' + word.toString(), qint16(qMin<qsizetype>(column, 32767))});
        column = end;
    }
    return chords;
}

QString mergedLine(QStringView chordLine, QStringView lyric)
{
    SongLine line;
    line.chords = chordsOfLine(chordLine);
    line.text = lyric.toString();
    // A chord past the end of the lyric stands over blanks, as it stood on the sheet.
    if (!line.chords.isEmpty() && line.text.size() < line.chords.last().position)
        line.text.resize(line.chords.last().position, Blank);
    return trimTrailingBlanks(lyricWithChords(line));
}

bool isDirectiveLine(QStringView line)
{
    return line.startsWith(u'{') && line.endsWith(u'}');
}

// Whether the line under a chord line is its lyric.
bool isLyricUnder(QStringView line)
{
    return !trimBlanks(line).isEmpty() && !isChordLine(line) && !isTablatureLine(line) && !isDirectiveLine(line);
}

} // namespace

bool isChordWord(QStringView word)
{
    static const QRegularExpression chord(QStringLiteral(
        "^\\(?(?:N\\.?C\\.?|[A-G][#b]?(?:maj|Maj|ma|min|dim|aug|sus|add|alt|omit|no|m|M|[0-9]|[-+#b*()\u00B0\u00F8\u0394^]|/[0-9])*"
        "(?:/[A-G][#b]?)?)\\)?$"));
    return chord.match(word).hasMatch();
}

bool isChordLine(QStringView line)
{
    const WordCounts counts = countWords(line);
    return counts.chords > 0 && counts.others < counts.chords;
}

bool isTablatureLine(QStringView line)
{
    // A staff is a run of dashes, with or without bars.
    if (!line.contains(u"---") && !(line.contains(u'|') && line.contains(u"--")))
        return false;
    int letters = 0;
    for (const QChar c : line) {
        letters = c.isLetter() ? letters + 1 : 0;
        if (letters >= 3)
            return false;
    }
    return true;
}

QString chordSheetToChordPro(const QString& sheet)
{
    QString text = sheet;
    text.replace(u'\t', QString(TabWidth, Blank));
    const QStringList lines = SplitLines(text);
    QString out;
    qsizetype index = 0;
    while (index < lines.size()) {
        const QString& line = lines[index];
        if (isTablatureLine(line)) {
            out += u"{start_of_tab}" + CrLf;
            for (; index < lines.size() && isTablatureLine(lines[index]); ++index)
                out += lines[index] + CrLf;
            out += u"{end_of_tab}" + CrLf;
            continue;
        }
        ++index;
        if (!isChordLine(line)) {
            out += line + CrLf;
        } else if (index < lines.size() && isLyricUnder(lines[index])) {
            out += mergedLine(line, lines[index++]) + CrLf;
        } else {
            out += mergedLine(line, {}) + CrLf;
        }
    }
    return out;
}

} // namespace lvx::song
