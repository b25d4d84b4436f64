#pragma once

#include <QByteArray>
#include <QString>

#include <string>

namespace lvx::print::pdf {

// The helpers taking `Bytes` append to a QByteArray or a std::string. Page
// content, thousands of small pieces a page, goes to a std::string, whose
// append costs a fraction of QByteArray's.

// Appends a number the way content streams want it: short, no exponent,
// hundredths at most (a twip is already a twentieth of a point).
template <typename Bytes>
void appendNumber(Bytes& out, double value);
// The same in two steps, for callers that do exact arithmetic on what is written.
qint64 hundredths(double value);
template <typename Bytes>
void appendHundredths(Bytes& out, qint64 hundredths);
template <typename Bytes>
void appendInteger(Bytes& out, qint64 value);
// Appends a dictionary entry naming an object: key (with what goes before it), " 12 0 R".
void appendReference(QByteArray& out, const char* key, int object);

// Appends a colour stored with red in the low byte as three components.
template <typename Bytes>
void appendRgb(Bytes& out, qint32 color);

// Appends a 16-bit value as four hex digits, as glyph ids go in a hex string.
void appendHex4(QByteArray& out, quint32 value);

// Appends glyph ids as a literal string of two-byte codes: half the size of
// hex, with only the bytes a literal string cannot hold as they are escaped.
template <typename Bytes>
void appendGlyphString(Bytes& out, const quint16* glyphs, qsizetype count);

// A text string for the document information: UTF-16 with a byte order
// mark, in hex, so any title survives.
QByteArray textString(const QString& text);

} // namespace lvx::print::pdf
