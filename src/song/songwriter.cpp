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
    void directive(QStringView name, const QString& argument) { line(u'{' + name + u':' + argument + u'}'); }
    void directive(QStringView name, qint16 value) { directive(name, QString::number(value)); }
    void directive(QStringView name, bool flag) { directive(name, yesNo(flag)); }
    QString text() const { return m_out; }

private:
    QString m_out;
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

QString Song::LinesToString() const
{
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
        out.directive(u"chords_size", ChordSize);
        out.directive(u"chords_position", ChordPosition);
        out.directive(u"print_chords", PrintChordsFlag);
        out.directive(u"print_major", PrintMajorFlag);
        out.directive(u"print_minor", PrintMinorFlag);
        out.directive(u"print_seventh", PrintSeventhFlag);
        out.directive(u"print_bemol", PrintBemolFlag);
        out.directive(u"print_bass_not_root", PrintBassNotRootFlag);
        for (const Fonts& font : fonts->items()) {
            if (!followsTheSubtitle(font, *fonts))
                out.directive(u"font", lvx::FontToStr(font));
        }
        out.directive(u"left_margin", MargenL);
        out.directive(u"right_margin", MargenR);
        out.directive(u"top_margin", MargenT);
        out.directive(u"botton_margin", MargenB);
        out.directive(u"print_orientation", PrintOrientation);
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
        // A line the program does not understand belongs to the file, whatever
        // else is written: it goes back exactly as it came.
        if (line.kind == KindKept) {
            out.line(line.text);
        } else if (!app.WriteSongText) {
            continue;
        } else if (line.kind == KindLyric) {
            out.line(writtenLyricLine(line, inTab));
        } else if (const QString text = writtenDirective(line); !text.isEmpty()) {
            out.line(text);
        }
    }
    return out.text();
}

} // namespace lvx::song
