#include "surface.h"

#include <algorithm>

namespace lvx::print {

namespace {

// Texts longer than this may run off the page and are drawn piece by piece.
constexpr qsizetype LongText = 256;
constexpr qsizetype Piece = 64;

// The end of the piece that starts at from: Piece characters on, never between
// the two halves of a surrogate pair.
qsizetype pieceEnd(const QString& text, qsizetype from)
{
    qsizetype end = std::min(from + Piece, text.size());
    if (end < text.size() && text[end - 1].isHighSurrogate())
        ++end;
    return end;
}

} // namespace

void Surface::Print(const QString& text)
{
    if (text.isEmpty())
        return;
    const double width = ScaleWidth();
    if (text.size() <= LongText || width <= 0) {
        CurrentX += drawMeasuredText(CurrentX, CurrentY, text);
        return;
    }
    // A line of thousands of characters (a title of 60000 letters, a tab line)
    // would cost a drawing of every one of them: the pieces left of the page
    // are only measured, those past its right edge not even that.
    double x = CurrentX;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype end = pieceEnd(text, from);
        const double pieceWidth = TextWidth(text.mid(from, end - from));
        if (x + pieceWidth >= 0)
            break;
        x += pieceWidth;
        from = end;
    }
    qsizetype to = from;
    double visibleWidth = 0;
    while (to < text.size() && x + visibleWidth <= width) {
        const qsizetype end = pieceEnd(text, to);
        visibleWidth += TextWidth(text.mid(to, end - to));
        to = end;
    }
    if (to > from)
        drawText(x, CurrentY, text.mid(from, to - from));
    CurrentX = to == text.size() ? x + visibleWidth : CurrentX + TextWidth(text);
}

} // namespace lvx::print
