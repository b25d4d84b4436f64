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
    const qsizetype length = numberLength(text);
    if (length == 0)
        return 0.0;
    const QStringView number = leadingBlanksTrimmed(text.left(length));
    const bool minus = number.front() == u'-';
    const QStringView magnitude = number.front() == u'+' || minus ? number.sliced(1) : number;
    // A whole number of up to 15 digits, most of what is read (font sizes and
    // colours in print markup), is exact as its digits are added up.
    if (magnitude.size() <= 15 && !magnitude.contains(u'.')) {
        qint64 whole = 0;
        for (const QChar digit : magnitude)
            whole = whole * 10 + (digit.unicode() - u'0');
        return minus ? -double(whole) : double(whole);
    }
    // from_chars ignores the locale (a German desktop must still read "1.5").
    // Overflow gives infinity, which the callers clamp. The number is ASCII
    // (digits, point) after its sign, copied without allocating.
    QVarLengthArray<char, 64> ascii(magnitude.size());
    std::transform(magnitude.begin(), magnitude.end(), ascii.begin(), [](QChar c) { return char(c.unicode()); });
    const char* first = ascii.constData();
    const char* last = first + ascii.size();
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value);
    Q_UNUSED(end);
    if (error == std::errc::result_out_of_range) {
        // Out of range is overflow when the integer part is not zero, else underflow.
        const bool overflow = std::any_of(first, std::find(first, last, '.'), [](char c) { return c != '0'; });
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return minus ? -value : value;
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
