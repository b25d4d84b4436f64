// Directive lines: the program's own, and the ChordPro directives that other
// tools write, read into the records the program has for them.

#include "directives.h"

#include "escapes.h"

#include "base/text.h"

#include <algorithm>
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

// The program's own directives that become a line of the song.
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

// ChordPro's comment styles; the program has one comment.
constexpr std::array<QStringView, 4> CommentStyles{u"ci", u"comment_italic", u"comment_box", u"highlight"};
// Sections the program's own table names: their other spellings are not guessed at.
constexpr std::array<QStringView, 4> OwnSections{u"chorus", u"bridge", u"tab", u"block"};
// Notation for other tools: carried, never shown as lyrics, printed or transposed.
constexpr std::array<QStringView, 4> NotationSections{u"abc", u"ly", u"svg", u"textblock"};

template<std::size_t N>
bool isOneOf(const std::array<QStringView, N>& names, QStringView name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool isLabelled(qint16 kind)
{
    return kind == KindChorusStart || kind == KindBridgeStart || kind == KindTabStart;
}

// ChordPro also writes the name, a blank and the argument: "{start_of_grid 4x4}".
Directive splitAtFirstWord(const Directive& directive)
{
    const QString& body = directive.body;
    qsizetype end = 0;
    while (end < body.size() && body[end] != u' ' && body[end] != u':')
        ++end;
    if (end == body.size())
        return directive;
    return {body, lowerChars(body.left(end)), trimBlanks(QStringView(body).mid(end + 1)), body.left(end)};
}

// A label given as ChordPro's attribute, label="Chorus 2", or plainly.
QString labelOf(const QString& argument)
{
    if (!lowerChars(QStringView(argument).left(6)).startsWith(u"label=")) {
        return decodeEscapes(argument);
    }
    QString value = trimBlanks(QStringView(argument).mid(6));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return decodeEscapes(value);
}

// "start_of_verse" and "sov" name the section "verse"; start says which end.
QString sectionName(QStringView name, bool& start)
{
    start = name.startsWith(u"start_of_") || name == u"sov" || name == u"sog";
    if (name == u"sov" || name == u"eov")
        return QStringLiteral("verse");
    if (name == u"sog" || name == u"eog")
        return QStringLiteral("grid");
    if (start)
        return name.mid(9).toString();
    if (name.startsWith(u"end_of_"))
        return name.mid(7).toString();
    return {};
}

bool ownLineDirective(const Directive& directive, QStringView line, DirectiveRecord& record)
{
    const QString& name = directive.name;
    const QString& argument = directive.argument;
    // "{cb: text}" is ChordPro's comment box; "{cb}" alone is the program's column break.
    if (name == u"cb" && !argument.isEmpty())
        return false;
    for (const LineDirective& own : LineDirectives) {
        if (name != own.shortName && name != own.longName)
            continue;
        record.line.kind = own.kind;
        record.writtenName = directive.writtenName;
        if (own.text.isEmpty()) {
            record.line.text = decodeEscapes(argument);
        } else {
            record.line.text = own.text.toString();
            // An argument the program's form has no place for stays in the line's own form.
            record.keepsForm = !argument.isEmpty();
            if (record.keepsForm && isLabelled(own.kind))
                record.line.text += u": " + labelOf(argument);
        }
        // Text after the closing brace cost the body its last character.
        record.keepsForm = record.keepsForm || (line.contains(u'}') && !line.endsWith(u'}'));
        return true;
    }
    return false;
}

bool sectionDirective(const Directive& directive, DirectiveRecord& record)
{
    bool start = false;
    const QString section = sectionName(directive.name, start);
    if (section.isEmpty() || section.contains(u' ') || section.contains(u'}') || isOneOf(OwnSections, section))
        return false;
    const QString label = labelOf(directive.argument);
    SongLine& line = record.line;
    if (section == u"grid") {
        // Grid rows read like tablature: kept as written, in the tablature font.
        line.kind = start ? KindTabStart : KindTabEnd;
        line.text = start ? QStringLiteral("Start of Grid") : QStringLiteral("End of Grid");
        if (!label.isEmpty())
            line.text += u": " + label;
    } else if (isOneOf(NotationSections, section)) {
        line.kind = KindKept;
        if (start)
            record.notationEnd = u"end_of_" + section;
    } else if (start) {
        line.kind = KindBlockStart;
        line.text = label.isEmpty() ? section.left(1).toUpper() + section.mid(1) : label;
    } else {
        line.kind = KindBlockEnd;
        line.text = QStringLiteral("End of Block");
    }
    return true;
}

bool chordProDirective(const Directive& directive, DirectiveRecord& record)
{
    const QString& name = directive.name;
    SongLine& line = record.line;
    if ((name == u"cb" && !directive.argument.isEmpty()) || isOneOf(CommentStyles, name)) {
        line.kind = KindComment;
        line.text = decodeEscapes(directive.argument);
    } else if (name == u"chorus") {
        // The chorus recalled: a reminder where it is sung again.
        line.kind = KindComment;
        line.text = directive.argument.isEmpty() ? QStringLiteral("Chorus") : labelOf(directive.argument);
    } else if (name == u"new_song" || name == u"ns") {
        line.kind = KindKept;
        record.newSong = true;
    } else if (!sectionDirective(directive, record)) {
        return false;
    }
    record.keepsForm = true;
    record.writtenName = directive.writtenName;
    return true;
}

} // namespace

Directive splitDirective(QStringView line)
{
    Directive directive;
    // "{" must be the very first and "}" the very last character: the body is
    // cut from the untrimmed line, so " {soc}" yields the unknown name "{soc".
    directive.body = trimBlanks(line.contains(u'}') ? line.mid(1, line.size() - 2) : line.mid(1));
    const QStringView body(directive.body);
    const qsizetype colon = body.indexOf(u':');
    directive.writtenName = trimBlanks(colon < 0 ? body : body.left(colon));
    directive.name = lowerChars(directive.writtenName);
    if (colon >= 0)
        directive.argument = trimBlanks(body.mid(colon + 1));
    return directive;
}

DirectiveRecord directiveRecord(QStringView line)
{
    return directiveRecord(splitDirective(line), line);
}

DirectiveRecord directiveRecord(const Directive& directive, QStringView line)
{
    DirectiveRecord record;
    if (ownLineDirective(directive, line, record) || chordProDirective(directive, record))
        return record;
    const Directive byWord = splitAtFirstWord(directive);
    if (byWord.name != directive.name)
        chordProDirective(byWord, record);
    return record;
}

bool isDirectiveNamed(QStringView line, QStringView name)
{
    return directiveArgument(line, name).has_value();
}

std::optional<QString> directiveArgument(QStringView line, QStringView name)
{
    const QString trimmed = trimBlanks(line);
    if (!trimmed.startsWith(u'{'))
        return std::nullopt;
    const Directive directive = splitDirective(trimmed);
    if (directive.name == name)
        return directive.argument;
    const Directive byWord = splitAtFirstWord(directive);
    if (byWord.name == name)
        return byWord.argument;
    return std::nullopt;
}

bool startsSection(const DirectiveRecord& record)
{
    const qint16 kind = record.line.kind;
    return kind == KindChorusStart || kind == KindBridgeStart || kind == KindTabStart || kind == KindBlockStart
           || !record.notationEnd.isEmpty() || record.newSong;
}

bool isGridLine(const SongLine& line)
{
    return line.text.startsWith(u"Start of Grid") || line.text.startsWith(u"End of Grid");
}

QString valueReplaced(const QString& line, QStringView value, QStringView replacement)
{
    if (value.isEmpty() || !line.endsWith(u'}'))
        return {};
    qsizetype end = line.size() - 1;
    while (end > 0 && line[end - 1] == u' ')
        --end;
    const qsizetype start = end - value.size();
    if (start <= 0 || QStringView(line).mid(start, value.size()) != value)
        return {};
    QString replaced = line;
    replaced.replace(start, value.size(), replacement.toString());
    return replaced;
}

std::optional<QString> definitionArgument(const Directive& directive, QStringView kind)
{
    if (directive.name == kind)
        return directive.argument;
    if (!directive.name.startsWith(kind) || directive.name.size() == kind.size() || directive.name[kind.size()] != u' ')
        return std::nullopt;
    const Directive byWord = splitAtFirstWord(directive);
    if (byWord.name != kind)
        return std::nullopt;
    // "G: base-fret 1 ..." names the chord before the colon.
    QString argument = byWord.argument;
    const qsizetype colon = argument.indexOf(u':');
    const qsizetype blank = argument.indexOf(u' ');
    if (colon >= 0 && (blank < 0 || colon < blank))
        argument = trimBlanks(QString(argument.left(colon) + u' ' + QStringView(argument).mid(colon + 1)));
    return argument;
}

QString sectionLabel(const SongLine& line)
{
    if (!isLabelled(line.kind))
        return {};
    const qsizetype colon = line.text.indexOf(u": ");
    return colon < 0 ? QString() : line.text.mid(colon + 2);
}

} // namespace lvx::song
