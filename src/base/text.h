#pragma once

#include <QString>
#include <QStringView>

namespace lvx {

// The blank (see below), the line ending the program writes, and how many
// blanks a tab in text from elsewhere stands for.
inline constexpr QChar Blank = u' ';
inline const QString CrLf = QStringLiteral("\r\n");
inline constexpr qsizetype TabWidth = 8;

// "Blank" throughout the program is the space character only, as in the classic
// Trim: tabs, form feeds and Unicode spaces are text like any other.
QString trimBlanks(QStringView text);
QString trimLeadingBlanks(QStringView text);
QString trimTrailingBlanks(QStringView text);
// The same without a copy, for text that is only read.
QStringView blanksTrimmed(QStringView text);
QStringView leadingBlanksTrimmed(QStringView text);

// Case conversion one character at a time, so the length never changes
// (QString::toLower would turn U+0130 into two characters).
QString lowerChars(QStringView text);
QString upperChars(QStringView text);

// True exactly for "true", whatever its case and surrounding blanks.
bool isTrueText(QStringView text);

} // namespace lvx
