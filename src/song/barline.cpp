#include "barline.h"

namespace lvx::song {

namespace {

const QString BarLabel = QStringLiteral("['|]");

QString bracketToken(QStringView token)
{
    if (token.startsWith(u'[') && token.endsWith(u']'))
        return token.toString();
    if (QStringLiteral("ABCDEFG").contains(token.front().toUpper()))
        return u'[' + token + u']';
    return u"['" + token + u']';
}

// Blanks are copied one for one; every run of other characters is one token.
void appendSegment(QString& out, QStringView segment)
{
    qsizetype tokenStart = -1;
    for (qsizetype i = 0; i <= segment.size(); ++i) {
        const bool atEnd = i == segment.size();
        if (!atEnd && segment[i] != u' ') {
            if (tokenStart < 0)
                tokenStart = i;
            continue;
        }
        if (tokenStart >= 0) {
            out += bracketToken(segment.mid(tokenStart, i - tokenStart));
            tokenStart = -1;
        }
        if (!atEnd)
            out += u' ';
    }
}

} // namespace

QString BarLineToChordPro(const QString& line)
{
    qsizetype indent = 0;
    while (indent < line.size() && line[indent] == u' ')
        ++indent;
    const QStringView s = QStringView(line).mid(indent);
    const bool opensWithBar = s.startsWith(u'|');
    const bool closesWithBar = s.endsWith(u'|');

    QString w = s.toString();
    if (!opensWithBar)
        w.prepend(u'|');
    if (!closesWithBar)
        w.append(u'|');

    QString out;
    qsizetype previousBar = 0;
    for (qsizetype i = 1; i < w.size(); ++i) {
        if (w[i] != u'|')
            continue;
        out += BarLabel;
        appendSegment(out, QStringView(w).mid(previousBar + 1, i - previousBar - 1));
        previousBar = i;
    }
    out += BarLabel;

    while (out.contains(u"[[") || out.contains(u"]]")) {
        out.replace(QStringLiteral("[["), QStringLiteral("["));
        out.replace(QStringLiteral("]]"), QStringLiteral("]"));
    }
    if (!opensWithBar && out.startsWith(BarLabel))
        out.remove(0, BarLabel.size());
    if (!closesWithBar && out.endsWith(BarLabel))
        out.chop(BarLabel.size());
    return QString(indent, u' ') + out;
}

} // namespace lvx::song
