#pragma once

#include <QString>
#include <QStringView>

#include <functional>

namespace lvx::print {

// A page header or footer: up to three parts, "left|centre|right", each text
// with fields such as %{title}, %{artist} or %{page}.
struct PageTemplateParts
{
    QString left;
    QString centre;
    QString right;
};

PageTemplateParts templateParts(const QString& pattern);

// Fills in the fields of one part. An empty field takes its text with it:
// the text before the first field and after the last go with that field, the
// text between two fields separates filled ones only, so
// "%{title} - %{subtitle}" gives "Title" for a song without a subtitle, never
// a bare " - ", and "%{artist}, %{year}, %{album}" without a year gives
// "Artist, Album". An unknown field is empty; a part without fields is kept.
QString expandTemplate(QStringView part, const std::function<QString(QStringView name)>& field);

} // namespace lvx::print
