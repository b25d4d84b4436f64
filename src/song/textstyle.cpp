#include "textstyle.h"

namespace lvx::song {

LineEnd lineEndOf(QStringView text)
{
    qsizetype crLf = 0;
    qsizetype lf = 0;
    qsizetype cr = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            ++lf;
        } else if (text[i] == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                ++crLf;
                ++i;
            } else {
                ++cr;
            }
        }
    }
    if (lf > 0 && crLf == 0 && cr == 0)
        return LineEnd::Lf;
    if (cr > 0 && crLf == 0 && lf == 0)
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
