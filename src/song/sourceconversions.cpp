#include "sourceconversions.h"

#include "barline.h"
#include "textfile.h"

#include "app/messages.h"
#include "app/text.h"
#include "music/chordsymbol.h"
#include "music/mergechordline.h"
#include "music/solfege.h"

namespace lvx::song {

namespace {

QString convertLineChords(QString line, Messages& messages)
{
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
        line = line.left(open + 1) + converted + line.mid(close);
        open = line.indexOf(u'[', open + converted.size() + 2);
    }
    return line;
}

} // namespace

QString ConvertSolfegeChords(const QString& text, Messages& messages)
{
    QString out;
    for (QString line : SplitLines(text)) {
        if (!trimLeadingBlanks(line).startsWith(u'#') && !line.contains(u'{')) {
            if (line.contains(u'|'))
                line = BarLineToChordPro(line);
            line = convertLineChords(line, messages);
        }
        out += line + u"\r\n";
    }
    return out;
}

QString mergeChordLines(const QString& text)
{
    QString selection = text;
    selection.replace(u'\t', QString(8, u' '));
    const QStringList lines = SplitLines(selection);
    QString out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        while (i < lines.size() - 1 && trimBlanks(lines[i]).isEmpty()) {
            out += u"\r\n";
            ++i;
        }
        if (i == lines.size() - 1) {
            out += lines[i] + u"\r\n";
        } else {
            out += music::MergeChordLine(lines[i], lines[i + 1]) + u"\r\n";
            ++i;
        }
    }
    return out;
}

} // namespace lvx::song
