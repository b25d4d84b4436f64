#include "pdfsyntax.h"

#include <array>
#include <charconv>
#include <cmath>

namespace lvx::print::pdf {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

// "0", "0.004" ... "1": each colour component written once, looked up after.
const std::array<QByteArray, 256>& componentTexts()
{
    static const std::array<QByteArray, 256> texts = [] {
        std::array<QByteArray, 256> result;
        for (int i = 0; i < 256; ++i) {
            QByteArray text = QByteArray::number(i / 255.0, 'f', 3);
            while (text.endsWith('0'))
                text.chop(1);
            if (text.endsWith('.'))
                text.chop(1);
            result[i] = text;
        }
        return result;
    }();
    return texts;
}

} // namespace

void appendInteger(QByteArray& out, qint64 value)
{
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end - buffer);
}

void appendReference(QByteArray& out, const char* key, int object)
{
    out.append(key).append(' ');
    appendInteger(out, object);
    out.append(" 0 R");
}

qint64 hundredths(double value)
{
    // Past a billion twips nothing is on any page; clamping keeps the
    // arithmetic in range and NaN out of the file.
    if (!(std::abs(value) < 1e9))
        value = std::isnan(value) ? 0 : std::copysign(1e9, value);
    return qint64(value * 100 + (value < 0 ? -0.5 : 0.5));
}

void appendHundredths(QByteArray& out, qint64 hundredths)
{
    // Written whole into a buffer and appended once: pages are mostly numbers.
    char buffer[32];
    char* end = buffer;
    const qint64 magnitude = hundredths < 0 ? -hundredths : hundredths;
    if (hundredths < 0)
        *end++ = '-';
    end = std::to_chars(end, buffer + sizeof buffer, magnitude / 100).ptr;
    if (const int fraction = int(magnitude % 100); fraction != 0) {
        *end++ = '.';
        *end++ = char('0' + fraction / 10);
        if (fraction % 10 != 0)
            *end++ = char('0' + fraction % 10);
    }
    out.append(buffer, end - buffer);
}

void appendNumber(QByteArray& out, double value)
{
    appendHundredths(out, hundredths(value));
}

void appendRgb(QByteArray& out, qint32 color)
{
    const auto& texts = componentTexts();
    out.append(texts[color & 0xFF]).append(' ');
    out.append(texts[(color >> 8) & 0xFF]).append(' ');
    out.append(texts[(color >> 16) & 0xFF]);
}

void appendHex4(QByteArray& out, quint32 value)
{
    const char digits[4] = {HexDigits[(value >> 12) & 0xF], HexDigits[(value >> 8) & 0xF], HexDigits[(value >> 4) & 0xF],
                            HexDigits[value & 0xF]};
    out.append(digits, 4);
}

void appendGlyphString(QByteArray& out, const quint16* glyphs, qsizetype count)
{
    // Worst case every byte escaped: two out per byte in, four per glyph.
    const qsizetype start = out.size();
    out.resize(start + 2 + 4 * count);
    char* to = out.data() + start;
    *to++ = '(';
    for (qsizetype i = 0; i < count; ++i) {
        for (const char byte : {char(glyphs[i] >> 8), char(glyphs[i] & 0xFF)}) {
            // A bare carriage return would be read as a line end and turned into a line feed.
            if (byte == '(' || byte == ')' || byte == '\\' || byte == '\r') {
                *to++ = '\\';
                *to++ = byte == '\r' ? 'r' : byte;
            } else {
                *to++ = byte;
            }
        }
    }
    *to++ = ')';
    out.resize(to - out.data());
}

QByteArray textString(const QString& text)
{
    QByteArray out("<FEFF");
    for (const QChar c : text)
        appendHex4(out, c.unicode());
    out.append('>');
    return out;
}

} // namespace lvx::print::pdf
