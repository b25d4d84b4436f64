// Reading one source line of ChordPro text into a line record or a song-wide value.

#include "barline.h"
#include "chorddefinitions.h"
#include "directives.h"
#include "escapes.h"
#include "metadata.h"
#include "song.h"

#include "base/numbers.h"
#include "base/text.h"

#include <algorithm>
#include <array>

namespace lvx::song {

namespace {

struct IntervalName
{
    QStringView name;
    qint16 semitones;
};

constexpr std::array<IntervalName, 54> IntervalNames{{
    {u"1", 0},    {u"1#", 1},   {u"#1", 1},   {u"2b", 1},   {u"b2", 1},   {u"2", 2},    {u"2#", 3},
    {u"#2", 3},   {u"3b", 3},   {u"b3", 3},   {u"3", 4},    {u"4", 5},    {u"4#", 6},   {u"#4", 6},
    {u"5b", 6},   {u"b5", 6},   {u"5", 7},    {u"5#", 8},   {u"#5", 8},   {u"6b", 8},   {u"b6", 8},
    {u"6", 9},    {u"6#", 10},  {u"#6", 10},  {u"7b", 10},  {u"b7", 10},  {u"7", 11},   {u"8", 12},
    {u"8#", 13},  {u"#8", 13},  {u"9b", 13},  {u"b9", 13},  {u"9", 14},   {u"9#", 15},  {u"#9", 15},
    {u"10b", 15}, {u"b10", 15}, {u"10", 16},  {u"11", 17},  {u"11#", 18}, {u"#11", 18}, {u"12b", 18},
    {u"b12", 18}, {u"12", 19},  {u"12#", 20}, {u"#12", 20}, {u"13b", 20}, {u"b13", 20}, {u"13", 21},
    {u"13#", 22}, {u"#13", 22}, {u"14b", 22}, {u"b14", 22}, {u"14", 23},
}};

// The directives of the settings header besides the fonts. The program writes
// them all into every file it saves with that header.
constexpr std::array<QStringView, 13> HeaderNames{
    u"chords_size",   u"chords_position", u"print_chords", u"print_major", u"print_minor",
    u"print_seventh", u"print_bemol",     u"print_bass_not_root", u"left_margin", u"right_margin",
    u"top_margin",    u"botton_margin",   u"print_orientation",
};

// Where the font lines stand among them in the header.
constexpr qsizetype HeaderFontsAt = 8;

// Words separated by runs of blanks.
QStringList blankSeparated(const QString& text)
{
    return text.split(u' ', Qt::SkipEmptyParts);
}

// A line the reader does not understand, carried as it was read.
void keep(SongLine& record, QStringView source)
{
    record = SongLine{KindKept, source.toString(), {}};
}

bool yes(const QString& argument)
{
    return argument == u"yes";
}

qint16 number(const QString& argument)
{
    return toInt16(leadingNumber(argument));
}

// The text between the double quote at the start of rest and the next one;
// rest keeps what follows, trimmed. False when either quote is missing.
bool takeQuoted(QString& rest, QString& quoted)
{
    if (!rest.startsWith(u'"'))
        return false;
    const qsizetype close = rest.indexOf(u'"', 1);
    if (close < 0)
        return false;
    quoted = rest.mid(1, close - 1);
    rest = trimBlanks(QStringView(rest).mid(close + 1));
    return true;
}

} // namespace

qint16 Song::InvParse(const QString& name)
{
    const QString key = lowerChars(trimBlanks(name));
    for (const IntervalName& interval : IntervalNames) {
        if (interval.name == key)
            return interval.semitones;
    }
    return -1;
}

void Song::ExpandTabs(QString& text)
{
    if (!text.contains(u'\t'))
        return;
    // One pass: a line of tabs must not cost a copy of the line per tab.
    QString expanded;
    expanded.reserve(text.size() + 64);
    for (const QChar c : std::as_const(text)) {
        if (c == u'\t')
            expanded += QString(8 - expanded.size() % 8, u' ');
        else
            expanded += c;
    }
    text = expanded;
}

bool Song::parseLine(QStringView source, QList<SongLine>& records)
{
    // Most lines hold no tab: look at them in place rather than copying.
    QString expanded;
    if (source.contains(u'\t')) {
        expanded = source.toString();
        ExpandTabs(expanded);
    }
    const QStringView line = expanded.isNull() ? source : QStringView(expanded);
    records.clear();
    records.emplaceBack();
    qsizetype first = 0;
    while (first < line.size() && line[first] == u' ')
        ++first;
    const bool directive = first < line.size() && line[first] == u'{';
    if (!m_reading.notationEnd.isEmpty()) {
        // Notation for another tool: every line up to its end is carried unread.
        // A block left open ends where another section starts, which is read.
        const bool ends = isDirectiveNamed(line, m_reading.notationEnd);
        if (ends || !directive || !startsSection(directiveRecord(line))) {
            if (ends)
                m_reading.notationEnd.clear();
            keep(records.first(), source);
            return true;
        }
        m_reading.notationEnd.clear();
    }
    if (inTab && directive && (first > 0 || !line.endsWith(u'}'))) {
        // Other tools end a tablature or grid section with blanks around the
        // directive too; the line is written back as it came.
        DirectiveRecord end = directiveRecord(trimBlanks(line));
        if (end.line.kind == KindTabEnd && isGridLine(end.line) == m_reading.inGrid) {
            records.first() = std::move(end.line);
            records.first().source = source.toString();
            records.first().read = records.first().source;
            inTab = false;
            return true;
        }
    }
    if (!directive) {
        if (!inTab && IsBarNotation(line))
            parseLyric(BarLineToChordPro(line.toString()), inTab, records);
        else
            parseLyric(line, inTab, records);
        if (records.size() == 1)
            records.first().read = source.toString();
        return true;
    }
    return readDirective(line, source, records.first());
}

bool Song::readDirective(QStringView line, QStringView source, SongLine& record)
{
    const Directive directive = splitDirective(line);
    if (readDefinition(directive, record)) {
        record.source = source.toString();
        return true;
    }
    if (record.kind == KindKept) {
        keep(record, source);
        return true;
    }
    const std::optional<MetaEntry> fact = readMetadata(directive, source);
    if (const std::optional<HeaderValue> header = headerValue(directive, fact)) {
        // The first title and subtitle are the song's; a further one, or those of a
        // later song in the same file, are carried as written.
        const bool isTitle = header->title;
        bool& seen = isTitle ? m_reading.titleRead : m_reading.subtitleRead;
        if (seen || m_reading.laterSong) {
            keep(record, source);
            return true;
        }
        // A blank one names nothing: it is carried as written, and leaves the
        // place to a later line, which else would be the song's only after a save.
        (isTitle ? title : subtitle) = header->value;
        if (trimBlanks(header->value).isEmpty()) {
            keep(record, source);
            return true;
        }
        seen = true;
        (isTitle ? m_titleLine : m_subtitleLine) = {source.toString(), header->value, placementHere()};
        return false;
    }
    if (applySongValue(directive.name, directive.argument)) {
        noteSettingsLine(directive, source);
        return false;
    }
    if (fact) {
        // A fact keeps its line as read; only the first song of a file has facts.
        keep(record, source);
        record.metadata = !m_reading.laterSong;
        return true;
    }
    DirectiveRecord read = directiveRecord(directive, line);
    if (read.line.kind == 0 || read.line.kind == KindKept) {
        keep(record, source);
    } else {
        record = std::move(read.line);
        if (read.keepsForm)
            record.source = source.toString();
        record.read = source.toString();
    }
    const bool tabLine = record.kind == KindTabStart || record.kind == KindTabEnd;
    if (inTab && tabLine && isGridLine(record) != m_reading.inGrid) {
        // Sections do not nest: a grid inside tablature (or tablature inside a
        // grid), and its end, are carried as written; only the section's own
        // end closes it.
        keep(record, source);
    } else if (tabLine) {
        inTab = record.kind == KindTabStart;
        m_reading.inGrid = isGridLine(record);
    }
    if (!read.notationEnd.isEmpty())
        m_reading.notationEnd = read.notationEnd;
    // A file may open with "{new_song}" (after remarks or lines carried unread):
    // the song it starts is still the first.
    const auto songSoFar = [this] {
        return m_reading.titleRead || m_reading.subtitleRead
               || std::any_of(lines.cbegin(), lines.cend(), [](const SongLine& line) {
                      return line.kind != KindKept && !trimLeadingBlanks(line.text).startsWith(u'#');
                  });
    };
    m_reading.laterSong = m_reading.laterSong || (read.newSong && songSoFar());
    return true;
}

// Definitions and chord type declarations: records the reader hands on. A
// "{chord: Am}" without a fingering (ChordPro's "show this diagram") is kept.
bool Song::readDefinition(const Directive& directive, SongLine& record)
{
    if (directive.name == u"mode") {
        record.kind = KindModeDef;
        record.text = directive.argument;
        return true;
    }
    std::optional<QString> argument = definitionArgument(directive, u"define");
    m_reading.chordLine = !argument;
    if (!argument) {
        argument = definitionArgument(directive, u"chord");
        if (!argument)
            return false;
        if (!trimBlanks(*argument).contains(u' ')) {
            record.kind = KindKept;
            return false;
        }
        newDefine = true;
    }
    record.kind = KindChordDef;
    record.text = *argument;
    return true;
}

bool Song::applySongValue(const QString& name, const QString& argument)
{
    if (name == u"new_define")
        newDefine = true;
    else if (name == u"old_define")
        newDefine = false;
    else if (name == u"font")
    {
        // The facts' font follows the subtitle's unless the song sets it itself.
        const Fonts* facts = fonts->find(QStringLiteral("Metadata"));
        const std::optional<Fonts> before = facts ? std::optional(*facts) : std::nullopt;
        const bool known = FontFromStr(argument);   // a role the program lacks: the line is kept
        m_reading.metadataFontRead = m_reading.metadataFontRead || (facts && *facts != *before);
        return known;
    }
    else if (name == u"chords_size")
        ChordSize = number(argument);
    else if (name == u"chords_position")
        ChordPosition = number(argument);
    else if (name == u"print_chords")
        PrintChordsFlag = yes(argument);
    else if (name == u"print_major")
        PrintMajorFlag = yes(argument);
    else if (name == u"print_minor")
        PrintMinorFlag = yes(argument);
    else if (name == u"print_seventh")
        PrintSeventhFlag = yes(argument);
    else if (name == u"print_bemol")
        PrintBemolFlag = yes(argument);
    else if (name == u"print_bass_not_root")
        PrintBassNotRootFlag = yes(argument);
    else if (name == u"left_margin")
        MargenL = number(argument);
    else if (name == u"right_margin")
        MargenR = number(argument);
    else if (name == u"top_margin")
        MargenT = number(argument);
    else if (name == u"botton_margin")
        MargenB = number(argument);
    else if (name == u"print_orientation")
        PrintOrientation = number(argument);
    else
        return false;   // not ours: ignored, and not written back
    if (const auto* header = std::find(HeaderNames.begin(), HeaderNames.end(), name); header != HeaderNames.end())
        m_reading.headerRead |= 1u << (header - HeaderNames.begin());
    return true;
}

void Song::noteSettingsLine(const Directive& directive, QStringView source)
{
    // The header line that says what the line said: the header lists the
    // directives in their table's order with the fonts after the eighth.
    qsizetype line = -1;
    if (directive.name == u"font") {
        if (const Fonts* font = fonts->find(fontRole(directive.argument)))
            line = HeaderFontsAt + (font - fonts->items().constData());
    } else if (const auto* name = std::find(HeaderNames.begin(), HeaderNames.end(), directive.name);
               name != HeaderNames.end()) {
        const qsizetype index = name - HeaderNames.begin();
        line = index < HeaderFontsAt ? index : index + fonts->size();
    }
    if (line < 0)
        return;   // a syntax switch
    const Placement here = placementHere();
    if (!m_settingsLine)
        m_settingsLine = here;
    const QStringList header = settingsHeader();
    if (line < header.size())
        m_settingsLines.insert(header[line], {source.toString(), header[line], here});
}

bool Song::readProgramHeader() const
{
    return m_reading.modeRead || m_reading.headerRead == (1u << HeaderNames.size()) - 1;
}

void Song::parseLyric(QStringView line, bool inTab, QList<SongLine>& records)
{
    SongLine& record = records.first();
    record.kind = KindLyric;
    ChordRun chords;
    // Escapes are rare: a line without a backslash is copied as it stands.
    const bool escaped = line.contains(u'\\');
    const auto lyric = [&](QStringView piece) {
        if (escaped)
            appendDecoded(record.text, piece);
        else
            record.text += piece;
    };
    if (inTab) {
        lyric(line);
    } else {
        // The lyric runs up to each "[", the chord's name from there to the next
        // "]" (a "[" inside a name belongs to it). A lone "]" is lyric.
        record.text.reserve(line.size());
        qsizetype from = 0;
        while (from < line.size()) {
            const qsizetype open = line.indexOf(u'[', from);
            if (open < 0) {
                lyric(line.mid(from));
                break;
            }
            lyric(line.mid(from, open - from));
            const qsizetype close = line.indexOf(u']', open + 1);
            if (close < 0) {
                // The chord text after an unmatched "[" has no place in the line,
                // but it is the musician's: it is written back after the line.
                record.source = line.mid(open).toString();
                break;
            }
            const QStringView name = line.mid(open + 1, close - open - 1);
            chords.append({escaped ? decodeEscapes(name) : name.toString(), record.text.size()});
            from = close + 1;
        }
    }
    if (record.text.size() > MaxLineLength) {
        splitLongLyric(record.text, chords, records);
        return;
    }
    record.chords.reserve(chords.size());
    for (const auto& [name, position] : chords)
        record.chords.append({name, qint16(position)});
}

// Positions are 16-bit: a lyric longer than that becomes several lines, each
// chord staying over its own character.
void Song::splitLongLyric(QString text, const ChordRun& chords,
                          QList<SongLine>& records)
{
    // Cut points, each as late as 32767 characters allow, but never where the next
    // piece would start (after blanks) with "{" or "|": written out, such a piece
    // would read back as a directive or a bar line. Where a run of blanks before
    // one is longer than a whole piece no cut avoids that, and the piece is cut
    // full: cutting it one blank at a time would make a line per blank.
    // One pass from each end finds every usable cut, so a line of tens of thousands
    // of blanks costs no more than any other (looking again for each cut did not).
    const qsizetype size = text.size();
    QList<bool> misread(size + 1, false);
    for (qsizetype at = size - 1; at >= 0; --at)
        misread[at] = text[at] == u'{' || text[at] == u'|' || (text[at] == u' ' && misread[at + 1]);
    QList<qsizetype> latestCut(size + 1, 0);
    for (qsizetype at = 1; at <= size; ++at)
        latestCut[at] = misread[at] ? latestCut[at - 1] : at;
    QList<qsizetype> starts{0};
    while (size - starts.last() > MaxLineLength) {
        const qsizetype from = starts.last();
        const qsizetype cut = latestCut[from + MaxLineLength];
        starts.append(cut > from ? cut : from + MaxLineLength);
    }
    starts.append(text.size());
    records.clear();
    for (qsizetype piece = 0; piece + 1 < starts.size(); ++piece)
        records.append(SongLine{KindLyric, text.mid(starts[piece], starts[piece + 1] - starts[piece]), {}});
    for (const auto& [name, position] : chords) {
        qsizetype piece = 0;
        while (piece + 2 < starts.size() && position >= starts[piece + 1])
            ++piece;
        records[piece].chords.append({name, qint16(position - starts[piece])});
    }
}

bool Song::lyricReadsAs(const SongLine& line, bool inTab)
{
    if (line.read.isEmpty() || line.kind != KindLyric)
        return false;
    QString expanded = line.read;
    ExpandTabs(expanded);
    if (trimLeadingBlanks(expanded).startsWith(u'{'))
        return false;
    QList<SongLine> records{SongLine{}};
    if (!inTab && IsBarNotation(expanded))
        parseLyric(BarLineToChordPro(expanded), inTab, records);
    else
        parseLyric(expanded, inTab, records);
    return records.size() == 1 && records.first() == line;
}

bool Song::parseModeDef(const QString& argument)
{
    QString rest = trimBlanks(argument);
    QString aliasText;
    QString description;
    const bool quoted = takeQuoted(rest, aliasText) && takeQuoted(rest, description);
    const QStringList aliases = blankSeparated(lowerChars(aliasText));
    const QStringList intervalNames = blankSeparated(rest);
    std::array<qint16, 8> intervals;
    intervals.fill(-1);
    bool valid = quoted && !aliases.isEmpty() && intervalNames.size() <= int(intervals.size());
    for (qsizetype i = 0; valid && i < intervalNames.size(); ++i) {
        intervals[i] = InvParse(intervalNames[i]);
        valid = intervals[i] >= 0;
    }
    if (!valid)
        return false;
    music::ChordTypeTable& table = m_context.music.chordTypes;
    if (table.aliasTaken(aliases.first()))
        return true;   // the first declaration of a name wins
    music::Modos mode;
    mode.Create(aliases.first(), description, intervals[0], intervals[1], intervals[2], intervals[3], intervals[4],
                intervals[5], intervals[6], intervals[7]);
    for (qsizetype i = 1; i < aliases.size(); ++i)
        mode.SinonimosAdd(aliases[i]);
    table.add(mode);
    return true;
}

} // namespace lvx::song
