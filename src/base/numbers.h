#pragma once

#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace lvx {

// The leading number of a text: leading blanks, an optional sign, digits, then
// optionally "." and digits. Anything after that is ignored; a text that does
// not start that way reads as 0. No exponents, no hexadecimal, no inner blanks.
double leadingNumber(QStringView text);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// nearbyint would follow the current rounding mode, which someone may have
// changed, so the arithmetic is explicit. From 2^52 on every double is whole
// (and NaN and the infinities stay as they are); below, the floor is the
// integer part, one less under a negative fraction, which costs less than a
// call to std::floor. Inline: printing rounds millions of coordinates.
inline double roundHalfEven(double value)
{
    if (!(value < 4503599627370496.0 && value > -4503599627370496.0))
        return value;
    const qint64 whole = qint64(value) - (double(qint64(value)) > value ? 1 : 0);
    const double diff = value - double(whole);
    if (diff < 0.5)
        return double(whole);
    if (diff > 0.5)
        return double(whole + 1);
    return whole % 2 == 0 ? double(whole) : double(whole + 1);
}

// Rounded half to even and clamped into the type's range; NaN gives 0.
qint16 toInt16(double value);
qint32 toInt32(double value);

// Rounded half to even only when it fits, for values that are skipped otherwise.
std::optional<qint16> fitInt16(double value);
std::optional<qint32> fitInt32(double value);

// A whole text that is a number (blanks around it allowed, a fraction is
// rounded half to even), clamped to 16 bits; nullopt for anything else.
std::optional<qint16> parseInt16(QStringView text);

} // namespace lvx
