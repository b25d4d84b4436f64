#include "textstyle.h"

namespace lvx::song {

LineEnd lineEndOf(QStringView text)
{
    // Only a text of LF alone or of CR alone is told apart: every other mix
    // is written with CRLF. Two searches find that without a loop per character.
    const bool hasCr = text.contains(u'\r');
    const bool hasLf = text.contains(u'\n');
    if (hasLf && !hasCr)
        return LineEnd::Lf;
    if (hasCr && !hasLf)
        return LineEnd::Cr;
    return LineEnd::CrLf;
}

QStringView lineEndText(LineEnd end)
{
    switch (end) {
    case LineEnd::Lf:
        return u"\n";
    case LineEnd::Cr:
        return u"\r";
    case LineEnd::CrLf:
        break;
    }
    return u"\r\n";
}

} // namespace lvx::song
