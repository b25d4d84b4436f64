#include "base/numbers.h"

#include "base/text.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace lvx {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Length of the number at the start of text (after blanks), 0 when there is none.
qsizetype numberLength(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < text.size() && isAsciiDigit(text[i]))
        ++i;
    if (i == digitsStart)
        return 0;
    if (i + 1 < text.size() && text[i] == u'.' && isAsciiDigit(text[i + 1])) {
        ++i;
        while (i < text.size() && isAsciiDigit(text[i]))
            ++i;
    }
    return i;
}

template<typename T>
std::optional<T> fitInteger(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < double(std::numeric_limits<T>::min()) || rounded > double(std::numeric_limits<T>::max()))
        return std::nullopt;
    return T(rounded);
}

template<typename T>
T clampInteger(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = roundHalfEven(value);
    if (rounded <= double(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (rounded >= double(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return T(rounded);
}

} // namespace

double leadingNumber(QStringView text)
{
    // A whole number of up to 15 digits, most of what is read (font sizes and
    // colours in print markup), is exact as its digits are added up.
    qsizetype at = 0;
    while (at < text.size() && text[at] == u' ')
        ++at;
    const bool minus = at < text.size() && text[at] == u'-';
    if (at < text.size() && (minus || text[at] == u'+'))
        ++at;
    const qsizetype digitsStart = at;
    qint64 whole = 0;
    while (at < text.size() && at - digitsStart < 15 && isAsciiDigit(text[at]))
        whole = whole * 10 + (text[at++].unicode() - u'0');
    const bool moreDigits = at < text.size() && isAsciiDigit(text[at]);
    const bool fraction = at + 1 < text.size() && text[at] == u'.' && isAsciiDigit(text[at + 1]);
    if (at > digitsStart && !moreDigits && !fraction)
        return minus ? -double(whole) : double(whole);

    const qsizetype length = numberLength(text);
    if (length == 0)
        return 0.0;
    // from_chars ignores the locale (a German desktop must still read "1.5").
    // Overflow gives infinity, which the callers clamp. The number is ASCII
    // (sign, digits, point) after its blanks, copied without allocating.
    const QStringView digits = leadingBlanksTrimmed(text.left(length));
    QVarLengthArray<char, 64> number(digits.size());
    std::transform(digits.begin(), digits.end(), number.begin(), [](QChar c) { return char(c.unicode()); });
    const char* first = number.constData();
    const char* last = first + number.size();
    const bool negative = *first == '-';
    if (*first == '+' || negative)
        ++first;
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value);
    Q_UNUSED(end);
    if (error == std::errc::result_out_of_range) {
        // Out of range is overflow when the integer part is not zero, else underflow.
        const bool overflow = std::any_of(first, std::find(first, last, '.'), [](char c) { return c != '0'; });
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

qint16 toInt16(double value)
{
    return clampInteger<qint16>(value);
}

qint32 toInt32(double value)
{
    return clampInteger<qint32>(value);
}

std::optional<qint16> fitInt16(double value)
{
    return fitInteger<qint16>(value);
}

std::optional<qint32> fitInt32(double value)
{
    return fitInteger<qint32>(value);
}

std::optional<qint16> parseInt16(QStringView text)
{
    const QString trimmed = trimBlanks(text);
    if (trimmed.isEmpty() || numberLength(trimmed) != trimmed.size())
        return std::nullopt;
    return toInt16(leadingNumber(trimmed));
}

} // namespace lvx
