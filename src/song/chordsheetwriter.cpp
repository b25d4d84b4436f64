#include "chordsheet.h"

#include "song.h"

#include "base/text.h"
#include "music/chordsymbol.h"

namespace lvx::song {

namespace {

// Whether a line of plain text on the sheet reads back as plain text: not as
// chords, tablature, bar notation, a directive or a bracketed chord.
bool readsAsText(QStringView text)
{
    const QString trimmed = trimBlanks(text);
    return trimmed.isEmpty()
        || (!isChordLine(text) && !isTablatureLine(text) && !trimmed.startsWith(u'|') && !text.contains(u'[')
            && !(text.startsWith(u'{') && text.endsWith(u'}')));
}

// The name a chord line shows: a text label without its apostrophe, as printed.
QString shownName(const QString& name)
{
    return music::isTextLabel(name) ? name.mid(1) : name;
}

// Whether the sheet reader gives the name back as it is: a chord stays a chord
// only when it looks like one, a label only when it does not.
bool readsBackAs(const QString& name)
{
    const QString shown = shownName(name);
    if (shown.isEmpty() || shown.contains(Blank) || shown.contains(u'[') || shown.contains(u']'))
        return false;
    return isChordWord(shown) != music::isTextLabel(name);
}

class SheetWriter
{
public:
    ChordSheet sheet;

    // Plain text: a comment, a title, a line of lyrics without chords or of
    // tablature. What looks like a staff goes back into a tab section, no harm.
    void text(const QString& line) { write(line, isTablatureLine(line) || readsAsText(line)); }

    void lyric(const SongLine& line)
    {
        if (line.chords.isEmpty()) {
            text(line.text);
            return;
        }
        // Without a lyric there is no syllable to stand over: only the order counts.
        const bool hasLyric = !trimBlanks(line.text).isEmpty();
        bool kept = true;
        QString row;
        for (const ChordPlacement& chord : line.chords) {
            // A chord that would touch the one before moves right, one blank after it.
            const qsizetype nextFree = row.isEmpty() ? 0 : row.size() + 1;
            const qsizetype column = qMax<qsizetype>(chord.position, nextFree);
            kept = kept && (column == chord.position || !hasLyric) && readsBackAs(chord.name);
            row += QString(column - row.size(), Blank) + shownName(chord.name);
        }
        kept = kept && isChordLine(row) && (!hasLyric || readsAsText(line.text));
        write(row, kept);
        if (hasLyric)
            write(line.text, true);
        m_loneChordLine = !hasLyric;
    }

    // Sections stand apart by one blank line.
    void section() { m_separate = true; }

private:
    bool m_separate = false;
    bool m_loneChordLine = false;
    bool m_lastBlank = true;   // nothing written yet counts as blank

    // kept: whether the line reads back as what it was.
    void write(const QString& line, bool kept)
    {
        if (!kept)
            ++sheet.linesNotKept;
        const bool blank = trimBlanks(line).isEmpty();
        // A chord line without lyric would take the next text line for its lyric.
        const bool mustPart = m_loneChordLine && !blank && !isChordLine(line) && !isTablatureLine(line);
        if (!blank && !m_lastBlank && (m_separate || mustPart))
            append(QString());
        m_separate = m_loneChordLine = false;
        append(line);
    }

    void append(const QString& line)
    {
        sheet.text += line + CrLf;
        m_lastBlank = trimBlanks(line).isEmpty();
    }
};

} // namespace

ChordSheet chordSheetText(const Song& song)
{
    SheetWriter writer;
    for (const QString& heading : {song.title, song.subtitle}) {
        if (!heading.isEmpty())
            writer.text(heading);
    }
    writer.section();
    bool inTab = false;
    for (const SongLine& line : song.lines) {
        // What printing leaves out, the sheet leaves out.
        if (trimLeadingBlanks(line.text).startsWith(u'#'))
            continue;
        switch (line.kind) {
        case KindLyric:
            if (inTab)
                writer.text(line.text);
            else
                writer.lyric(line);
            break;
        case KindComment:
            writer.text(line.text);
            break;
        case KindBlockStart:
            writer.section();
            if (!line.text.isEmpty())
                writer.text(line.text);
            break;
        case KindTabStart:
        case KindTabEnd:
            inTab = line.kind == KindTabStart;
            writer.section();
            break;
        case KindChorusStart:
        case KindChorusEnd:
        case KindBridgeStart:
        case KindBridgeEnd:
        case KindBlockEnd:
        case KindNewPage:
        case KindColumnBreak:
            writer.section();
            break;
        default:
            // Kept source lines and layout switches are for other programs and the printer.
            break;
        }
    }
    return writer.sheet;
}

} // namespace lvx::song
