// Reading one source line of ChordPro text into a line record or a song-wide value.

#include "barline.h"
#include "song.h"

#include "app/numbers.h"
#include "app/text.h"

#include <array>

namespace lvx::song {

namespace {

struct LineDirective
{
    QStringView shortName;
    QStringView longName;
    LineKind kind;
    QStringView text;   // empty: the argument is the text
};

// Directives that become a line of the song.
constexpr std::array<LineDirective, 13> LineDirectives{{
    {u"c", u"comment", KindComment, {}},
    {u"np", u"new_page", KindNewPage, u"New Page"},
    {u"cb", u"column_break", KindColumnBreak, u"Column Break"},
    {u"soc", u"start_of_chorus", KindChorusStart, u"Start of Chorus"},
    {u"eoc", u"end_of_chorus", KindChorusEnd, u"End of Chorus"},
    {u"sob", u"start_of_bridge", KindBridgeStart, u"Start of Bridge"},
    {u"eob", u"end_of_bridge", KindBridgeEnd, u"End of Bridge"},
    {u"soblk", u"start_of_block", KindBlockStart, {}},
    {u"eoblk", u"end_of_block", KindBlockEnd, u"End of Block"},
    {u"tcon", u"two_column_on", KindTwoColumnsOn, u"Two Column On"},
    {u"tcoff", u"two_column_off", KindTwoColumnsOff, u"Two Column Off"},
    {u"sot", u"start_of_tab", KindTabStart, u"Start of Tab"},
    {u"eot", u"end_of_tab", KindTabEnd, u"End of Tab"},
}};

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

constexpr int MaxDefineTokens = 10;

// Words separated by runs of blanks.
QStringList blankSeparated(const QString& text)
{
    return text.split(u' ', Qt::SkipEmptyParts);
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
    if (first == line.size() || line[first] != u'{') {
        if (!inTab && first < line.size() && line[first] == u'|')
            parseLyric(BarLineToChordPro(line.toString()), records);
        else
            parseLyric(line, records);
        return true;
    }
    // "{" must be the very first and "}" the very last character: the body is
    // cut from the untrimmed line, so " {soc}" yields the unknown name "{soc".
    const QString body = trimBlanks(line.contains(u'}') ? line.mid(1, line.size() - 2) : line.mid(1));
    const qsizetype colon = body.indexOf(u':');
    const QString name = lowerChars(trimBlanks(colon < 0 ? QStringView(body) : QStringView(body).left(colon)));
    const QString argument = colon < 0 ? QString() : trimBlanks(QStringView(body).mid(colon + 1));
    return applyDirective(name, argument, records.first());
}

bool Song::applyDirective(const QString& name, const QString& argument, SongLine& record)
{
    for (const LineDirective& directive : LineDirectives) {
        if (name != directive.shortName && name != directive.longName)
            continue;
        record.kind = directive.kind;
        record.text = directive.text.isEmpty() ? argument : directive.text.toString();
        if (directive.kind == KindTabStart)
            inTab = true;
        else if (directive.kind == KindTabEnd)
            inTab = false;
        return true;
    }
    if (name == u"chord" || name == u"define" || name == u"mode") {
        if (name == u"chord")
            newDefine = true;
        record.kind = name == u"mode" ? KindModeDef : KindChordDef;
        record.text = argument;
        return true;
    }
    applySongValue(name, argument);
    return false;
}

bool Song::applySongValue(const QString& name, const QString& argument)
{
    if (name == u"t" || name == u"title")
        title = argument;
    else if (name == u"st" || name == u"subtitle")
        subtitle = argument;
    else if (name == u"new_define")
        newDefine = true;
    else if (name == u"old_define")
        newDefine = false;
    else if (name == u"font")
        FontFromStr(argument);
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
    return true;
}

void Song::parseLyric(QStringView line, QList<SongLine>& records) const
{
    SongLine& record = records.first();
    record.kind = KindLyric;
    ChordRun chords;
    if (inTab) {
        record.text = line.toString();
    } else {
        // The lyric runs up to each "[", the chord's name from there to the next
        // "]" (a "[" inside a name belongs to it). A lone "]" is lyric.
        record.text.reserve(line.size());
        qsizetype from = 0;
        while (from < line.size()) {
            const qsizetype open = line.indexOf(u'[', from);
            if (open < 0) {
                record.text += line.mid(from);
                break;
            }
            record.text += line.mid(from, open - from);
            const qsizetype close = line.indexOf(u']', open + 1);
            if (close < 0)
                break;   // the chord text after an unmatched "[" is dropped
            chords.append({line.mid(open + 1, close - open - 1).toString(), record.text.size()});
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

bool Song::parseChordDef(const QString& argument, music::GuitarChordDef& def) const
{
    const QString text = trimBlanks(argument);
    const qsizetype blank = text.indexOf(u' ');
    QList<qint16> values;
    if (blank > 0) {
        for (const QString& word : blankSeparated(text.mid(blank + 1))) {
            const QString token = lowerChars(word);
            if (token.contains(u"fret"))
                continue;
            values.append(token == u"x" ? qint16(-1) : number(token));
            if (values.size() > MaxDefineTokens)
                break;
        }
    }
    if (values.size() != 7) {
        m_context.messages.inform(u"Invalid Define: " + argument);
        return false;
    }
    def.name = text.left(blank);
    // The old syntax leads with the base fret, the new one ends with it.
    const qsizetype firstFret = newDefine ? 0 : 1;
    for (int string = 6; string >= 1; --string)
        def.frets[string] = values[firstFret + 6 - string];
    def.baseFret = toInt16(double(values[newDefine ? 6 : 0]) - 1);
    def.frets[0] = 0;
    return true;
}

void Song::parseModeDef(const QString& argument)
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
    if (!valid) {
        m_context.messages.inform(u"Invalid Mode: " + argument);
        return;
    }
    music::ChordTypeTable& table = m_context.music.chordTypes;
    if (table.aliasTaken(aliases.first()))
        return;   // the first declaration of a name wins
    music::Modos mode;
    mode.Create(aliases.first(), description, intervals[0], intervals[1], intervals[2], intervals[3], intervals[4],
                intervals[5], intervals[6], intervals[7]);
    for (qsizetype i = 1; i < aliases.size(); ++i)
        mode.SinonimosAdd(aliases[i]);
    table.add(mode);
}

} // namespace lvx::song
