#pragma once

#include <QString>

namespace lvx::print::pdf {

// Calls `f` with each character of the text, surrogate pairs joined; a lone
// surrogate comes through as itself (and finds no glyph).
template<typename F>
void forEachCharacter(const QString& text, F&& f)
{
    const qsizetype size = text.size();
    const QChar* chars = text.constData();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t c = chars[i].unicode();
        if (chars[i].isHighSurrogate() && i + 1 < size && chars[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(chars[i], chars[i + 1]);
            ++i;
        }
        f(c);
    }
}

} // namespace lvx::print::pdf
