#include "spokennames.h"

#include "song/directives.h"

#include "music/chordsymbol.h"

using namespace Qt::StringLiterals;

namespace lvx::editor {

namespace {

QString quoted(const QString& word)
{
    return u" '"_s + word + u'\'';
}

// What a read-only line stands for; empty for the lines whose text says it.
QString kindName(const song::SongLine& line)
{
    const bool grid = song::isGridLine(line);
    switch (line.kind) {
    case song::KindNewPage: return u"new page"_s;
    case song::KindColumnBreak: return u"column break"_s;
    case song::KindChorusStart: return u"chorus start"_s;
    case song::KindChorusEnd: return u"chorus end"_s;
    case song::KindBridgeStart: return u"bridge start"_s;
    case song::KindBridgeEnd: return u"bridge end"_s;
    case song::KindTabStart: return grid ? u"grid start"_s : u"tablature start"_s;
    case song::KindTabEnd: return grid ? u"grid end"_s : u"tablature end"_s;
    case song::KindBlockEnd: return u"block end"_s;
    case song::KindTwoColumnsOn: return u"two columns on"_s;
    case song::KindTwoColumnsOff: return u"two columns off"_s;
    default: return {};
    }
}

} // namespace

QString wordAt(QStringView text, qsizetype position)
{
    if (position < 0 || position >= text.size() || text.at(position).isSpace())
        return {};
    qsizetype start = position;
    while (start > 0 && !text.at(start - 1).isSpace())
        --start;
    qsizetype end = position + 1;
    while (end < text.size() && !text.at(end).isSpace())
        ++end;
    return text.mid(start, end - start).toString();
}

QString chordLabelName(const song::ChordPlacement& chord, const QString& caption, QStringView lyric)
{
    const QString what = (music::isTextLabel(chord.name) ? u"text "_s : u"chord "_s) + caption;
    if (const QString word = wordAt(lyric, chord.position); !word.isEmpty())
        return what + u" over" + quoted(word);
    // On a blank: the word that follows is the one the chord leads into.
    qsizetype next = chord.position;
    while (next >= 0 && next < lyric.size() && lyric.at(next).isSpace())
        ++next;
    if (const QString word = wordAt(lyric, next); next > chord.position && !word.isEmpty())
        return what + u" before" + quoted(word);
    return what + u" at the end of the line";
}

QString lineBoxName(const song::SongLine& line, int number)
{
    const QString head = u"line "_s + QString::number(number);
    switch (line.kind) {
    case song::KindLyric:
        if (line.text.trimmed().isEmpty())
            return head + u", empty";
        return head + u": " + line.text;
    case song::KindComment:
        return head + u", comment: " + line.text;
    case song::KindBlockStart:
        return head + u", block start: " + line.text;
    case song::KindKept:
        return head + u", kept as written: " + line.text;
    default:
        break;
    }
    const QString kind = kindName(line);
    if (kind.isEmpty())
        return head + u": " + line.text;
    const QString label = song::sectionLabel(line);
    return head + u", " + kind + (label.isEmpty() ? QString() : u": " + label);
}

} // namespace lvx::editor
