// Writing a song back as ChordPro text.

#include "chorddefinitions.h"
#include "directives.h"
#include "escapes.h"
#include "song.h"

#include "base/text.h"
#include "music/chordtypetable.h"
#include "music/modos.h"

namespace lvx::song {

namespace {

// Interval names by semitone, three characters a cell.
constexpr QStringView IntervalCells = u"1  1# 2  3b 3  4  5b 5  5# 6  7b 7  8  9b 9  9# 10 11 11#12 13b13 13#14 ";

QString intervalName(int semitones)
{
    if (semitones < 0 || semitones * 3 >= IntervalCells.size())
        return {};
    return trimBlanks(IntervalCells.mid(semitones * 3, 3));
}

QString yesNo(bool flag)
{
    return flag ? QStringLiteral("yes") : QStringLiteral("no");
}

class Writer
{
public:
    explicit Writer(qsizetype expectedSize) { m_out.reserve(expectedSize); }
    void line(const QString& text) { m_out += text + u"\r\n"; }
    QString text() const { return m_out; }

private:
    QString m_out;
};

// The settings header's lines, in the order it has them.
class HeaderLines
{
public:
    void directive(QStringView name, const QString& argument) { m_lines.append(u'{' + name + u':' + argument + u'}'); }
    void directive(QStringView name, qint16 value) { directive(name, QString::number(value)); }
    void directive(QStringView name, bool flag) { directive(name, yesNo(flag)); }
    QStringList lines() const { return m_lines; }

private:
    QStringList m_lines;
};

// The program's own directive for a line.
QString ownDirective(const SongLine& line)
{
    switch (line.kind) {
    case KindComment:
        return u"{comment:" + writtenArgument(line.text) + u'}';
    case KindBlockStart:
        return u"{start_of_block:" + writtenArgument(line.text) + u'}';
    case KindBlockEnd:
        return QStringLiteral("{end_of_block}");
    case KindNewPage:
        return QStringLiteral("{new_page}");
    case KindColumnBreak:
        return QStringLiteral("{column_break}");
    case KindChorusStart:
        return QStringLiteral("{start_of_chorus}");
    case KindChorusEnd:
        return QStringLiteral("{end_of_chorus}");
    case KindBridgeStart:
        return QStringLiteral("{start_of_bridge}");
    case KindBridgeEnd:
        return QStringLiteral("{end_of_bridge}");
    case KindTabStart:
        return QStringLiteral("{start_of_tab}");
    case KindTabEnd:
        return QStringLiteral("{end_of_tab}");
    case KindTwoColumnsOn:
        return QStringLiteral("{two_column_on}");
    case KindTwoColumnsOff:
        return QStringLiteral("{two_column_off}");
    default:
        return {};
    }
}

// The facts' font as it comes from the subtitle's is not written: songs keep
// the font lines they always had.
bool followsTheSubtitle(const Fonts& font, const FontSet& fonts)
{
    const Fonts* subtitle = fonts.find(QStringLiteral("SubTitle"));
    return font.Source == u"Metadata" && subtitle != nullptr && font == metadataFontFor(*subtitle);
}

bool readsAs(const DirectiveRecord& read, const SongLine& line)
{
    return read.line.kind == line.kind && read.line.text == line.text;
}

// A directive line in the form it was read in while it still reads as the line
// (the user may have edited a comment or a block's name since), else under its
// own name with the new text, else in the program's own form.
QString writtenDirective(const SongLine& line)
{
    if (line.source.isEmpty())
        return ownDirective(line);
    QString expanded = line.source;
    Song::ExpandTabs(expanded);
    DirectiveRecord read = directiveRecord(expanded);
    // A section's end may have been read with blanks around it.
    if (!readsAs(read, line) && line.kind == KindTabEnd)
        read = directiveRecord(trimBlanks(expanded));
    if (readsAs(read, line))
        return line.source;
    if (line.kind == KindComment || line.kind == KindBlockStart) {
        const QString named = u'{' + read.writtenName + u':' + writtenArgument(line.text) + u'}';
        if (readsAs(directiveRecord(named), line))
            return named;
    }
    return ownDirective(line);
}

// A lyric as saved: an unclosed chord the reader could not place goes back after it.
QString writtenLyricLine(const SongLine& line, bool inTab)
{
    return line.source.isEmpty() || inTab ? writtenLyric(line, inTab) : writtenLyric(line, inTab) + line.source;
}

bool opensOrStaysInTab(const SongLine& line, bool inTab)
{
    return line.kind == KindTabStart || (inTab && line.kind != KindTabEnd);
}

QString expandedTabs(const QString& text)
{
    QString expanded = text;
    Song::ExpandTabs(expanded);
    return expanded;
}

// A directive line of a song in its own style: as it was read while it still
// reads as the line, an edited comment or block name in that same form where
// it can be, else as writtenDirective writes it.
QString ownFormDirective(const SongLine& line)
{
    if (line.read.isEmpty())
        return writtenDirective(line);
    const bool named = line.kind == KindComment || line.kind == KindBlockStart;
    if (const QString expanded = expandedTabs(line.read); named && !readsAs(directiveRecord(expanded), line)) {
        const QString edited = valueReplaced(line.read, splitDirective(expanded).argument, writtenArgument(line.text));
        if (!edited.isEmpty() && readsAs(directiveRecord(expandedTabs(edited)), line))
            return edited;
    }
    SongLine asRead = line;
    asRead.source = line.read;
    return writtenDirective(asRead);
}

} // namespace

QStringList writtenLines(const QList<SongLine>& lines)
{
    QStringList out;
    out.reserve(lines.size());
    bool inTab = false;
    for (const SongLine& line : lines) {
        inTab = opensOrStaysInTab(line, inTab);
        if (line.kind == KindKept)
            out.append(line.text);
        else if (line.kind == KindLyric)
            out.append(writtenLyricLine(line, inTab));
        else
            out.append(writtenDirective(line));
    }
    return out;
}

QString lyricWithChords(const SongLine& line)
{
    QString out;
    out.reserve(line.text.size() + line.chords.size() * 6);
    qsizetype copied = 0;
    for (const ChordPlacement& chord : line.chords) {
        if (chord.position > copied) {
            out += QStringView(line.text).mid(copied, chord.position - copied);
            copied = chord.position;
        }
        out += u'[' + chord.name + u']';
    }
    if (copied < line.text.size())
        out += QStringView(line.text).mid(copied);
    return out;
}

QString Song::ModeDefToStr(const music::Modos& mode)
{
    QString text = u'"' + mode.Nombre;
    for (int alias = 1; alias <= mode.SinonimosDim; ++alias)
        text += u' ' + mode.SinonimosGet(alias);
    text += u"\" \"" + mode.Descripcion + u'"';
    for (int slot = 0; slot < mode.GetNumInv(); ++slot)
        text += u' ' + intervalName(mode.GetInv(slot));
    return text;
}

QStringList Song::settingsHeader() const
{
    HeaderLines out;
    out.directive(u"chords_size", ChordSize);
    out.directive(u"chords_position", ChordPosition);
    out.directive(u"print_chords", PrintChordsFlag);
    out.directive(u"print_major", PrintMajorFlag);
    out.directive(u"print_minor", PrintMinorFlag);
    out.directive(u"print_seventh", PrintSeventhFlag);
    out.directive(u"print_bemol", PrintBemolFlag);
    out.directive(u"print_bass_not_root", PrintBassNotRootFlag);
    for (const Fonts& font : fonts->items())
        out.directive(u"font", lvx::FontToStr(font));
    out.directive(u"left_margin", MargenL);
    out.directive(u"right_margin", MargenR);
    out.directive(u"top_margin", MargenT);
    out.directive(u"botton_margin", MargenB);
    out.directive(u"print_orientation", PrintOrientation);
    return out.lines();
}

bool Song::writesHeaderLine(const QString& line) const
{
    const Fonts* facts = fonts->find(QStringLiteral("Metadata"));
    return !facts || !followsTheSubtitle(*facts, *fonts) || line != u"{font:" + lvx::FontToStr(*facts) + u'}';
}

bool Song::writesOwnStyle() const
{
    const AppState& app = m_context.app;
    // The dictionary file (chord types, no song text) is the program's own.
    return style.own && !app.WriteEverySetting && app.WriteSongText && !app.WriteModes;
}

std::optional<QString> Song::writtenLine(const SongLine& line, bool inTab, bool ownStyle) const
{
    // A line the program does not understand belongs to the file, whatever
    // else is written: it goes back exactly as it came.
    if (line.kind == KindKept)
        return line.text;
    if (!m_context.app.WriteSongText)
        return std::nullopt;
    if (line.kind == KindLyric) {
        if (ownStyle && lyricReadsAs(line, inTab))
            return line.read;
        return writtenLyricLine(line, inTab);
    }
    QString text = ownStyle ? ownFormDirective(line) : writtenDirective(line);
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

QString Song::LinesToString() const
{
    if (writesOwnStyle())
        return ownStyleText();
    const AppState& app = m_context.app;
    // Roughly the song's own text plus the directives: one allocation for most songs.
    qsizetype expected = 2048 + chordDefs.size() * 40;
    for (const SongLine& line : lines)
        expected += line.text.size() + line.chords.size() * 8 + 4;
    Writer out(expected);
    if (app.WriteSongText) {
        if (!trimBlanks(title).isEmpty())
            out.line(u"{t:" + title + u'}');
        if (!trimBlanks(subtitle).isEmpty())
            out.line(u"{st:" + subtitle + u'}');
    }
    if (app.WriteFormat) {
        for (const QString& line : settingsHeader()) {
            if (writesHeaderLine(line))
                out.line(line);
        }
    }
    if (app.WriteModes) {
        for (const music::Modos& mode : m_context.music.chordTypes)
            out.line(u"{mode: " + ModeDefToStr(mode) + u'}');
    }
    for (const QString& definition : writtenChordDefinitions(chordDefs, chordDefLines))
        out.line(definition);
    bool inTab = false;
    for (const SongLine& line : lines) {
        inTab = opensOrStaysInTab(line, inTab);
        if (const std::optional<QString> text = writtenLine(line, inTab, false))
            out.line(*text);
    }
    return out.text();
}

} // namespace lvx::song
