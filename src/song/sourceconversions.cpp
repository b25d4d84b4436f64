#include "sourceconversions.h"

#include "barline.h"
#include "song.h"
#include "textfile.h"

#include "base/messages.h"
#include "base/text.h"
#include "music/chordsymbol.h"
#include "music/mergechordline.h"
#include "music/solfege.h"

#include <algorithm>

namespace lvx::song {

namespace {

constexpr qsizetype LargestIndentStep = 5;

// The selection's lines, tabs already eight blanks wide (not column-aligned:
// the conversions count characters, not screen columns).
QStringList selectionLines(const QString& selection)
{
    QString text = selection;
    text.replace(u'\t', QString(TabWidth, Blank));
    return SplitLines(text);
}

qsizetype leadingBlanks(const QString& line)
{
    qsizetype count = 0;
    while (count < line.size() && line[count] == Blank)
        ++count;
    return count;
}

QString convertLineChords(const QString& line, Messages& messages)
{
    // Built up as it goes: a line of thousands of chords is copied once, not once a chord.
    QString out;
    out.reserve(line.size());
    qsizetype from = 0;
    qsizetype open = line.indexOf(u'[');
    while (open >= 0) {
        const qsizetype close = line.indexOf(u']', open + 1);
        if (close < 0)
            break;
        const QString chord = line.mid(open + 1, close - open - 1);
        QString converted = chord;
        if (!music::isTextLabel(trimBlanks(chord))) {
            converted = music::solfegeChordToLetters(trimBlanks(chord));
            if (converted.isEmpty()) {
                messages.inform(u"Invalid Chord: " + chord);
                converted = chord;
            }
        }
        out += QStringView(line).mid(from, open + 1 - from);
        out += converted;
        from = close;
        open = line.indexOf(u'[', close + 1);
    }
    out += QStringView(line).mid(from);
    return out;
}

bool isSolfegeChord(QStringView word)
{
    return !music::solfegeChordToLetters(word.toString()).isEmpty();
}

// +1 for a line that starts a tablature section, -1 for one that ends it, read
// as the reader reads directives: "{" first, "}" last, the name before any ":".
int tabSection(QStringView line)
{
    if (!line.startsWith(u'{'))
        return 0;
    const QString body = trimBlanks(line.contains(u'}') ? line.mid(1, line.size() - 2) : line.mid(1));
    const qsizetype colon = body.indexOf(u':');
    const QString name = lowerChars(trimBlanks(colon < 0 ? QStringView(body) : QStringView(body).left(colon)));
    if (name == u"sot" || name == u"start_of_tab")
        return 1;
    return name == u"eot" || name == u"end_of_tab" ? -1 : 0;
}

} // namespace

QString ConvertSolfegeChords(const QString& text, Messages& messages)
{
    QString out;
    bool inTab = false;
    for (QString line : SplitLines(text)) {
        // Tablature is left as written, as the reader leaves it.
        if (const int section = tabSection(line); section != 0)
            inTab = section > 0;
        if (!inTab && !trimLeadingBlanks(line).startsWith(u'#') && !line.contains(u'{')) {
            // Only a line that is bar notation, as the reader takes it: a "|" in
            // a lyric is the musician's text, and bracketing it would turn the
            // lyric's words into chord labels.
            if (IsBarNotation(line, isSolfegeChord))
                line = BarLineToChordPro(line);
            line = convertLineChords(line, messages);
        }
        out += line + u"\r\n";
    }
    return out;
}

QString mergeChordLines(const QString& text)
{
    const QStringList lines = selectionLines(text);
    QString out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        while (i < lines.size() - 1 && trimBlanks(lines[i]).isEmpty()) {
            out += CrLf;
            ++i;
        }
        if (i == lines.size() - 1) {
            out += lines[i] + CrLf;
        } else {
            out += music::MergeChordLine(lines[i], lines[i + 1]) + CrLf;
            ++i;
        }
    }
    return out;
}

QString indentLeft(const QString& selection)
{
    const QStringList lines = selectionLines(selection);
    qsizetype step = LargestIndentStep;
    for (const QString& line : lines)
        step = std::min(step, leadingBlanks(line));
    // A block with a line at the margin cannot move as a whole: the first
    // column goes instead, so the command always changes something.
    if (step == 0)
        step = 1;
    QString out;
    for (const QString& line : lines)
        out += line.mid(step) + CrLf;
    return out;
}

QString indentRight(const QString& selection)
{
    const QString indent(LargestIndentStep, Blank);
    QString out;
    for (const QString& line : selectionLines(selection))
        out += indent + line + CrLf;
    return out;
}

QString filterChars(const QString& selection, const QString& chars)
{
    const QString blanks(TabWidth, Blank);
    QString out;
    out.reserve(selection.size());
    for (const QChar c : selection) {
        if (c == u'\t' || chars.contains(c))
            out += blanks;
        else
            out += c;
    }
    return out;
}

QString lfToCrLf(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            out += CrLf;
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            out += CrLf;
        } else {
            out += c;
        }
    }
    return out;
}

QString wrapInDirective(QStringView directive, const QString& selection)
{
    return u'{' + directive.toString() + u':' + trimBlanks(selection) + u'}';
}

QString directiveLine(QStringView directive)
{
    return u'{' + directive.toString() + u'}' + CrLf;
}

QString sourceText(const Song& song)
{
    AppState& app = song.context().app;
    const bool keptFormat = app.WriteFormat;
    app.WriteFormat = false;
    const QString text = song.LinesToString();
    app.WriteFormat = keptFormat;
    return text;
}

} // namespace lvx::song
