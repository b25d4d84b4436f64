// The song window's editing rules driven by random keys and mouse actions on
// line records: typing, BackSpace, Delete, Enter, a selection typed over, chords
// inserted, removed and dragged, copy and paste, directive lines inserted and
// deleted, selections over lines copied, deleted, pasted and typed over, and
// sections made of them. After every action each chord must stand inside its line and no line
// may outgrow a 16-bit position; at the end the song written and read back must
// give the same lines.

#include "fuzzsupport.h"

#include "base/text.h"
#include "editor/lineediting.h"
#include "editor/linerange.h"
#include "editor/sections.h"

using namespace lvx;
using namespace lvx::editor;

namespace {

// The input, one byte at a time; zeros once it runs out.
class Bytes
{
public:
    Bytes(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_next >= m_size; }
    int next() { return m_next < m_size ? m_data[m_next++] : 0; }
    int below(int bound) { return bound <= 0 ? 0 : (next() | next() << 8) % bound; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_next = 0;
};

// What a key types: printable characters, blanks and a few that mean something in
// ChordPro text. Brackets are chords, not lyric, and never typed here.
QChar typedCharacter(int byte)
{
    static const QString extra = QStringLiteral("{}|:#'\u00e9\u00f1\u266f ");
    if (byte >= 33 && byte < 127 && byte != '[' && byte != ']')
        return QChar(byte);
    return extra[byte % extra.size()];
}

const QStringList ChordNames{QStringLiteral("C"), QStringLiteral("Am7"), QStringLiteral("F#m7b5/C#"),
                             QStringLiteral("'text"), QStringLiteral("G/B"), QStringLiteral("Do")};

void typeText(SongLine& line, int caret, int selected, const QString& text)
{
    caret = std::clamp(caret, 0, int(line.text.size()));
    selected = std::clamp(selected, 0, int(line.text.size()) - caret);
    if (line.text.size() - selected + text.size() > song::Song::MaxLineLength)
        return;
    shiftForReplace(line, caret, selected, int(text.size()));
    line.text.replace(caret, selected, text);
}

// BackSpace and Delete as the window takes them on a line below kind 10: joins
// at the ends, characters only where the line takes keys.
void backSpace(Lines& lines, int index, int caret)
{
    SongLine& line = lines[index];
    caret = std::clamp(caret, 0, int(line.text.size()));
    if (caret == 0) {
        if (index > 0)
            joinLines(lines, index - 1);
    } else if (takesTyping(line.kind)) {
        shiftForBackspace(line, caret);
        line.text.remove(caret - 1, 1);
    }
}

void deleteKey(Lines& lines, int index, int caret)
{
    if (caret >= lines[index].text.size())
        joinLines(lines, index);
    else if (takesTyping(lines[index].kind))
        deleteCharacter(lines[index], caret);
}

// A selection over lines: copied, deleted, pasted over, typed over, or made a
// section. Grids are left out: the other actions put tablature marks anywhere,
// and a tablature end inside a grid is the grid's text, as the reader reads it.
void actOnRange(Lines& lines, Bytes& in, int which, Lines& clip)
{
    const auto position = [&lines, &in] {
        const int index = in.below(int(lines.size()));
        return LinePosition{index, in.below(int(lines.at(index).text.size()) + 1)};
    };
    const LineRange range{position(), position()};
    switch (which % 5) {
    case 0:
        clip = copyRange(lines, range);
        break;
    case 1:
        deleteRange(lines, range);
        break;
    case 2:
        pasteLines(lines, range.caret, clip);
        break;
    case 3:
        typeOverRange(lines, range, QString(typedCharacter(in.next())));
        break;
    default: {
        const SectionCommand& command = sectionCommands()[in.below(int(sectionCommands().size()))];
        const WholeLines whole = wholeLines(lines, range);
        if (command.noun != u"grid" && wrapRefusal(lines, whole.first, whole.last, command.noun).isEmpty())
            wrapInSection(lines, whole.first, whole.last, sectionMarks(command, QString(typedCharacter(in.next()))));
    }
    }
}

void act(Lines& lines, Bytes& in, SongLine& clip, Lines& clipLines)
{
    const int byte = in.next();
    if (byte >= 240 && !lines.isEmpty()) {
        actOnRange(lines, in, byte - 240, clipLines);
        return;
    }
    const int action = byte % 12;
    if (lines.isEmpty() || action == 11) {
        const auto& commands = insertCommands();
        const InsertCommand& command = commands[in.below(int(commands.size()))];
        insertLine(lines, in.below(int(lines.size()) + 1), SongLine{command.kind, command.text, {}});
        return;
    }
    const int index = in.below(int(lines.size()));
    SongLine& line = lines[index];
    const int caret = in.below(int(line.text.size()) + 1);
    const bool keys = takesTyping(line.kind);
    switch (action) {
    case 0:
    case 1:
        if (keys)
            typeText(line, caret, 0, QString(typedCharacter(in.next())));
        break;
    case 2:
        if (keys)
            typeText(line, caret, in.below(8), QString(in.below(3), typedCharacter(in.next())));
        break;
    case 3:
        if (line.kind < song::KindNewPage)
            backSpace(lines, index, caret);
        break;
    case 4:
        if (line.kind < song::KindNewPage)
            deleteKey(lines, index, caret);
        break;
    case 5:
        splitLine(lines, index, caret);
        break;
    case 6:
        if (line.kind == song::KindLyric)
            insertChord(line, caret, ChordNames[in.below(int(ChordNames.size()))]);
        break;
    case 7:
        if (!line.chords.isEmpty())
            removeChord(line, in.below(int(line.chords.size())));
        break;
    case 8:
        if (!line.chords.isEmpty())
            moveChord(line, in.below(int(line.chords.size())), in.below(int(line.text.size()) + 100));
        break;
    case 9:
        clip = copyPart(line, caret, in.below(12));
        break;
    case 10:
        pasteClip(lines, index, caret, clip);
        break;
    }
}

void checkLines(const Lines& lines)
{
    for (const SongLine& line : lines) {
        if (line.text.size() > song::Song::MaxLineLength)
            fuzz::fail("A line outgrew a 16-bit position", line.text.left(80));
        for (const song::ChordPlacement& chord : line.chords) {
            if (chord.position < 0 || chord.position > line.text.size())
                fuzz::fail("A chord left its line", line.text, chord.name);
        }
    }
}

// A lyric that would read as a directive or a bar line is written after an
// empty text label; that label is the writer's, not the song's.
bool writtenAfterLabel(const SongLine& line)
{
    const QString lyric = trimLeadingBlanks(line.text);
    return line.kind == song::KindLyric && (lyric.startsWith(u'{') || lyric.startsWith(u'|'));
}

QString describe(const Lines& lines)
{
    QString text;
    const QList<bool> inTab = tabSectionLines(lines);
    for (qsizetype index = 0; index < lines.size(); ++index) {
        // Inside tablature a chord is text of the line, as the file holds it.
        SongLine line = lines[index];
        if (inTab[index] && line.kind == song::KindLyric)
            line = SongLine{line.kind, song::lyricWithChords(line), {}};
        // A tablature line that starts like a directive has no way to be written
        // as lyric (there is no escape inside tablature): the reader's to keep.
        if (inTab[index] && trimLeadingBlanks(line.text).startsWith(u'{'))
            continue;
        QList<song::ChordPlacement> chords = line.chords;
        if (writtenAfterLabel(line) && !chords.isEmpty() && chords.first() == song::ChordPlacement{QStringLiteral("'"), 0})
            chords.removeFirst();
        // The reader trims a directive's argument; a lyric's blanks are its own.
        text += QString::number(line.kind) + u' '
            + (line.kind == song::KindLyric ? line.text : trimBlanks(line.text)) + u'\n';
        for (const song::ChordPlacement& chord : std::as_const(chords))
            text += u"  " + chord.name + u'@' + QString::number(chord.position) + u'\n';
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietMessages messages;
    song::SongContext context{messages};
    auto song = fuzz::readSong(context, QStringLiteral("[C]Amazing [G]grace\r\n{soc}\r\n{c:How sweet}\r\nthe [D]sound\r\n{eoc}"));
    Bytes in(data, size);
    SongLine clip;   // an empty lyric: nothing copied yet
    Lines clipLines;
    for (int step = 0; step < 2000 && !in.atEnd(); ++step) {
        act(song->lines, in, clip, clipLines);
        checkLines(song->lines);
    }
    const QString written = song->LinesToString();
    const auto reread = fuzz::readSong(context, written);
    if (describe(reread->lines) != describe(song->lines))
        fuzz::fail("The edited song reads back as other lines", describe(song->lines), describe(reread->lines));
    return 0;
}
