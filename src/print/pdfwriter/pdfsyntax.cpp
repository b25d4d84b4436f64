#include "pdfsyntax.h"

#include <array>
#include <charconv>
#include <cmath>

namespace lvx::print::pdf {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

struct Component
{
    char text[8];
    qsizetype size;
};

// "0", "0.004" ... "1": each colour component written once, looked up after.
const std::array<Component, 256>& componentTexts()
{
    static const std::array<Component, 256> texts = [] {
        std::array<Component, 256> result;
        for (int i = 0; i < 256; ++i) {
            QByteArray text = QByteArray::number(i / 255.0, 'f', 3);
            while (text.endsWith('0'))
                text.chop(1);
            if (text.endsWith('.'))
                text.chop(1);
            qstrncpy(result[i].text, text.constData(), sizeof result[i].text);
            result[i].size = text.size();
        }
        return result;
    }();
    return texts;
}

} // namespace

template <typename Bytes>
void appendInteger(Bytes& out, qint64 value)
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
    // Halves round up, on either side of zero, so a figure moved by whole
    // twips rounds to the same offsets wherever it stands.
    return qint64(std::floor(value * 100 + 0.5));
}

template <typename Bytes>
void appendHundredths(Bytes& out, qint64 hundredths)
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

template <typename Bytes>
void appendNumber(Bytes& out, double value)
{
    appendHundredths(out, hundredths(value));
}

template <typename Bytes>
void appendRgb(Bytes& out, qint32 color)
{
    const auto& texts = componentTexts();
    for (const int shift : {0, 8, 16}) {
        const Component& component = texts[(color >> shift) & 0xFF];
        if (shift != 0)
            out += ' ';
        out.append(component.text, component.size);
    }
}

void appendHex4(QByteArray& out, quint32 value)
{
    const char digits[4] = {HexDigits[(value >> 12) & 0xF], HexDigits[(value >> 8) & 0xF], HexDigits[(value >> 4) & 0xF],
                            HexDigits[value & 0xF]};
    out.append(digits, 4);
}

template <typename Bytes>
void appendGlyphString(Bytes& out, const quint16* glyphs, qsizetype count)
{
    // Worst case every byte escaped: two out per byte in, four per glyph.
    const qsizetype start = qsizetype(out.size());
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

template void appendNumber(QByteArray&, double);
template void appendNumber(std::string&, double);
template void appendHundredths(QByteArray&, qint64);
template void appendHundredths(std::string&, qint64);
template void appendInteger(QByteArray&, qint64);
template void appendInteger(std::string&, qint64);
template void appendRgb(QByteArray&, qint32);
template void appendRgb(std::string&, qint32);
template void appendGlyphString(QByteArray&, const quint16*, qsizetype);
template void appendGlyphString(std::string&, const quint16*, qsizetype);

QByteArray textString(const QString& text)
{
    QByteArray out("<FEFF");
    for (const QChar c : text)
        appendHex4(out, c.unicode());
    out.append('>');
    return out;
}

} // namespace lvx::print::pdf
