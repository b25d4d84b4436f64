#include "printmarkup.h"

#include "surface.h"

#include "base/appstate.h"
#include "base/fonts.h"
#include "base/messages.h"
#include "base/text.h"
#include "song/directives.h"
#include "song/shownchords.h"
#include "song/song.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lvx::print {

namespace {

// The font tags of the roles a song's lines use, made once a song.
struct RoleTags
{
    explicit RoleTags(const FontSet& fonts)
        : lyric(FontTags(fonts, QStringLiteral("Lyric"))), chord(FontTags(fonts, QStringLiteral("Chord"))),
          comment(FontTags(fonts, QStringLiteral("Comment"))), tablature(FontTags(fonts, QStringLiteral("Tablature")))
    {
    }

    QString lyric;
    QString chord;
    QString comment;
    QString tablature;
};

// A chord as the list of chords a song uses tells them apart.
struct UsedChordKey
{
    int tone;
    int bass;
    QString mode;

    bool operator==(const UsedChordKey&) const = default;
};

size_t qHash(const UsedChordKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.tone, key.bass, key.mode);
}

// The markup of one lyric line with its chord row above it.
class LyricLine
{
public:
    LyricLine(Surface& measuring, const song::Song& song, const AppState& app, PrintState& state, Messages& messages,
              const RoleTags& tags)
        : m_measuring(measuring), m_app(app), m_state(state), m_messages(messages), m_tags(tags),
          m_lyricFont(song.fonts->find(QStringLiteral("Lyric"))), m_chordFont(song.fonts->find(QStringLiteral("Chord"))),
          m_shown(song.lines, app.soundingChords)
    {
        if (m_state.ChordNamesNotation != m_app.notation) {
            m_state.ChordNames.clear();
            m_state.ChordNamesNotation = m_app.notation;
        }
        m_song = ++m_state.ChordNamesSong;
    }

    // The markup of the song's line at index.
    QString markup(const song::SongLine& line, qsizetype index)
    {
        QString row = chordRow(line, index);
        const QString& lyric = m_tags.lyric;
        const QString& chordTags = m_tags.chord;
        const QString text = markupText(line.text);
        if (!row.isEmpty() && !m_app.LyricsOnly && !m_app.ChordsOnly) {
            return chordTags + u"<LF:0.75>" + lyric + text + chordTags + u"<CR></LF>" + markupText(row) + u"<LF:0.75>"
                + lyric + u"<CR><LF> ";
        }
        if (m_app.LyricsOnly || (row.isEmpty() && !m_app.ChordsOnly))
            return lyric + text + u"<CR><LF> ";
        if (!row.isEmpty())
            return chordTags + markupText(JoinChordNames(row, QStringLiteral(" - "))) + u"<CR><LF> ";
        return {};
    }

private:
    Surface& m_measuring;
    const AppState& m_app;
    PrintState& m_state;
    Messages& m_messages;
    const RoleTags& m_tags;
    const Fonts* m_lyricFont;
    const Fonts* m_chordFont;
    const song::ShownChords m_shown;

    void applyFont(const Fonts* font)
    {
        if (font == nullptr)
            return;
        m_measuring.setFont(font->Name, font->Size, font->Bold, font->Italic);
        m_measuring.setForeColor(font->Color);
    }

    // The chords met so far, by tone, bass and type: a song of thousands of
    // different chords must not compare each new one with all before it.
    QSet<UsedChordKey> m_used;

    void addUsedChord(const music::ChordSymbol& chord)
    {
        const UsedChordKey key{chord.tone, chord.bass, chord.mode};
        if (!m_used.contains(key)) {
            m_used.insert(key);
            m_state.UsedChords.append({chord, false});
        }
    }

    int m_song = 0;

    // How a chord name prints; the print keeps the names it has read, and a
    // song lists the chord the first time it uses the name.
    QString chordText(const QString& name)
    {
        if (const auto met = m_state.ChordNames.find(name); met != m_state.ChordNames.end()) {
            if (met->song != m_song) {
                met->song = m_song;
                addUsedChord(met->chord);
            }
            return met->text;
        }
        const music::ChordSymbol chord = music::ParseChord(name);
        if (music::isTextLabel(name))
            return name.mid(1);
        if (chord.tone < 0 || chord.bass < 0)
            return name;
        addUsedChord(chord);
        const QString text = music::FormatChord(chord, m_app.notation);
        if (text.isEmpty()) {
            m_messages.inform(u"Invalid Chord: " + name);
        } else {
            m_state.ChordNames.insert(name, {chord, text, m_song});
        }
        return text;
    }

    // How far into the lyric each chord stands, in the lyric's font. Chords come in
    // order, so each stretch of the lyric is measured once rather than once for
    // every chord after it (the surfaces add up widths without kerning).
    QList<double> chordOffsets(const song::SongLine& line)
    {
        applyFont(m_lyricFont);
        QList<double> offsets;
        offsets.reserve(line.chords.size());
        qsizetype measuredTo = 0;
        double width = 0;
        for (const song::ChordPlacement& chord : line.chords) {
            const qsizetype position = std::clamp<qsizetype>(chord.position, 0, line.text.size());
            if (position < measuredTo) {
                measuredTo = 0;
                width = 0;
            }
            width += m_measuring.TextWidth(line.text.mid(measuredTo, position - measuredTo));
            measuredTo = position;
            offsets.append(position == 0 ? 0 : width);
        }
        return offsets;
    }

    // The chord names, each padded with blanks to stand over its syllable. Blanks
    // past the page's width would only push a chord further off it: however small
    // the chord font, the row never reaches beyond the page.
    QString chordRow(const song::SongLine& line, qsizetype lineIndex)
    {
        if (line.chords.isEmpty())
            return {};
        const QList<double> offsets = chordOffsets(line);
        applyFont(m_chordFont);
        const double blank = m_measuring.TextWidth(QStringLiteral(" "));
        const double pageWidth = m_measuring.ScaleWidth();
        QString row;
        double rowWidth = 0;
        for (qsizetype index = 0; index < line.chords.size(); ++index) {
            const QString text = chordText(m_shown.name(lineIndex, line.chords[index].name));
            const double lyricWidth = std::min(offsets[index], pageWidth);
            qsizetype blanks = 0;
            if (offsets[index] != 0)
                blanks = lyricWidth - rowWidth >= 0 && blank > 0 ? qsizetype((lyricWidth - rowWidth) / blank) : 1;
            const QString piece = QString(blanks, u' ') + text + u' ';
            row += piece;
            rowWidth += m_measuring.TextWidth(piece);
        }
        return row;
    }
};

// A chorus or bridge mark, with the label the musician gave the section.
QString sectionMark(QStringView tag, const song::SongLine& line)
{
    const QString label = song::sectionLabel(line);
    if (label.isEmpty())
        return u'<' + tag + u'>';
    return u'<' + tag + u':' + label + u'>';
}

QString directiveMarkup(const RoleTags& tags, const song::SongLine& line, bool& inTab)
{
    const QString& comment = tags.comment;
    switch (line.kind) {
    case song::KindComment:
        return comment + markupText(line.text) + u"<CR><LF>";
    case 7:   // an italic comment, should a reader ever produce one
        return comment + u"<I>" + markupText(line.text) + u"<CR><LF>";
    case song::KindNewPage:
        return comment + u"<NP>";
    case song::KindColumnBreak:
        return comment + u"<CB>";
    case song::KindChorusStart:
        return comment + sectionMark(u"SOC", line) + u"<CR><LF>";
    case song::KindChorusEnd:
        return comment + u"<EOC><CR><LF>";
    case song::KindBridgeStart:
        return comment + sectionMark(u"SOB", line) + u"<CR><LF>";
    case song::KindBridgeEnd:
        return comment + u"<EOB><CR><LF>";
    case song::KindBlockStart:
        return comment + u"<SOBLK:" + line.text + u"><CR><LF>";
    case song::KindBlockEnd:
        return comment + u"<EOBLK><CR><LF>";
    case song::KindTwoColumnsOn:
        return comment + u"<TCOn>";
    case song::KindTwoColumnsOff:
        return comment + u"<TCOff>";
    case song::KindTabStart:
        inTab = true;
        return {};
    case song::KindTabEnd:
        inTab = false;
        return {};
    default:
        return {};
    }
}

} // namespace

QString FontTags(const FontSet& fonts, const QString& role)
{
    const Fonts* font = fonts.find(role);
    const Fonts none;
    const Fonts& f = font != nullptr ? *font : none;
    return u"<FN:" + usableFontName(f.Name) + u"><FC:" + QString::number(f.Color) + u"><FS:" + QString::number(f.Size) + u'>'
        + (f.Bold ? u"<B>" : u"</B>") + (f.Italic ? u"<I>" : u"</I>");
}

QString markupText(const QString& text)
{
    if (!text.contains(u'<'))
        return text;
    return QString(text).replace(u'<', u"<LT>"_s);
}

QString JoinChordNames(QString& row, const QString& separator)
{
    row = trimBlanks(row);
    static const QRegularExpression blanks(QStringLiteral(" +"));
    return QString(row).replace(blanks, separator);
}

void BuildPrintMarkup(Surface& measuring, const song::Song& song, const AppState& app, PrintState& state,
                      Messages& messages)
{
    state.MarkupLines.clear();
    state.UsedChords.clear();
    state.SectionOpen = false;
    state.TwoColumns = false;
    state.TextTop = song.MargenT;
    bool inTab = false;

    const FontSet& fonts = *song.fonts;
    state.PrintTitle = song.title;
    state.MarkupLines.append(FontTags(fonts, QStringLiteral("Title")) + u"<C>" + markupText(state.PrintTitle) + u"<CR><LF>");
    state.PrintSubTitle = song.subtitle;
    state.MarkupLines.append(FontTags(fonts, QStringLiteral("SubTitle")) + u"<C>" + markupText(state.PrintSubTitle)
                             + u"<CR><LF>");
    if (const QString facts = song::headerLine(song.metadata()); !facts.isEmpty())
        state.MarkupLines.append(FontTags(fonts, QStringLiteral("Metadata")) + u"<C>" + markupText(facts) + u"<CR><LF>");

    const RoleTags tags(fonts);
    LyricLine lyrics(measuring, song, app, state, messages, tags);
    for (qsizetype index = 0; index < song.lines.size(); ++index) {
        const song::SongLine& line = song.lines[index];
        // Lines the program carries without understanding them are not printed.
        if (line.kind == song::KindKept || trimLeadingBlanks(line.text).startsWith(u'#'))
            continue;
        if (line.kind == song::KindLyric) {
            state.MarkupLines.append(inTab ? tags.tablature + markupText(line.text) + u"<CR><LF> "
                                           : lyrics.markup(line, index));
            continue;
        }
        const QString markup = directiveMarkup(tags, line, inTab);
        if (line.kind != song::KindTabStart && line.kind != song::KindTabEnd)
            state.MarkupLines.append(markup);
    }
    state.MarkupLines.append(tags.comment + u"<EOBLK>");
}

} // namespace lvx::print
