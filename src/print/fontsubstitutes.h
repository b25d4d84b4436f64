#pragma once

#include <QString>

#include <span>

namespace lvx::print {

// Free faces with the metrics of the classic Windows ones the songs name.
struct FontSubstitute
{
    QStringView family;
    QStringView face;
};
std::span<const FontSubstitute> fontSubstitutes();

// The face drawn for a family: its stand-in when it has one (names compared
// without case, as Qt does), else the family itself.
QString substituteFamily(const QString& family);

} // namespace lvx::print
