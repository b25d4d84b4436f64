#include "base/text.h"

namespace lvx {

QStringView leadingBlanksTrimmed(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == Blank)
        ++start;
    return text.sliced(start);
}

QStringView blanksTrimmed(QStringView text)
{
    text = leadingBlanksTrimmed(text);
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == Blank)
        --end;
    return text.left(end);
}

QString trimLeadingBlanks(QStringView text)
{
    return leadingBlanksTrimmed(text).toString();
}

QString trimTrailingBlanks(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == Blank)
        --end;
    return text.left(end).toString();
}

QString trimBlanks(QStringView text)
{
    return blanksTrimmed(text).toString();
}

QString lowerChars(QStringView text)
{
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = text[i].toLower();
    return result;
}

QString upperChars(QStringView text)
{
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = text[i].toUpper();
    return result;
}

bool isTrueText(QStringView text)
{
    return lowerChars(trimBlanks(text)) == u"true";
}

} // namespace lvx
