#include "pagemargins.h"

#include "base/numbers.h"

using namespace Qt::StringLiterals;

namespace lvx::print {

namespace {

constexpr double TwipsPerInch = 1440.0;
constexpr qint16 SmallestMargin = 360;
constexpr qint16 LargestMargin = 4000;

} // namespace

double marginInches(QStringView text)
{
    QString decimal = text.toString();
    const qsizetype comma = decimal.indexOf(u',');
    if (comma >= 0)
        decimal[comma] = u'.';
    return leadingNumber(decimal);
}

qint16 marginTwips(QStringView text)
{
    return toInt16(marginInches(text) * TwipsPerInch);
}

bool marginInRange(qint16 twips)
{
    return twips > SmallestMargin && twips < LargestMargin;
}

QString formatMargin(double twips)
{
    return QString::number(twips / TwipsPerInch, 'f', 2) + u" inch."_s;
}

} // namespace lvx::print
