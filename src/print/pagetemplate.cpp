// Page headers and footers written as templates with fields.

#include "pagetemplate.h"

#include <QList>

namespace lvx::print {

PageTemplateParts templateParts(const QString& pattern)
{
    const QList<QStringView> parts = QStringView(pattern).split(u'|');
    PageTemplateParts split;
    split.left = parts.value(0).toString();
    split.centre = parts.value(1).toString();
    // A "|" past the third part belongs to the right part's text.
    if (parts.size() > 2)
        split.right = QStringView(pattern).mid(parts[0].size() + parts[1].size() + 2).toString();
    return split;
}

QString expandTemplate(QStringView part, const std::function<QString(QStringView name)>& field)
{
    // Literal runs and filled fields in turn: literals[i] stands before field i.
    QList<QStringView> literals;
    QList<QString> values;
    qsizetype from = 0;
    qsizetype scan = 0;
    while (true) {
        const qsizetype start = part.indexOf(u"%{", scan);
        const qsizetype end = start < 0 ? -1 : part.indexOf(u'}', start + 2);
        if (end < 0)
            break;
        literals.append(part.mid(from, start - from));
        values.append(field(part.mid(start + 2, end - start - 2)));
        from = scan = end + 1;
    }
    literals.append(part.mid(from));
    if (values.isEmpty())
        return part.toString();

    // The text before the first field goes with that field, the text after
    // the last with the last; a text between two fields goes with the field
    // after it, and only once something stands before it.
    QString out;
    bool filledBefore = false;
    for (qsizetype index = 0; index < values.size(); ++index) {
        if (!values[index].isEmpty()) {
            if (index == 0 || filledBefore)
                out += literals[index];
            out += values[index];
            filledBefore = true;
        }
    }
    if (!values.last().isEmpty())
        out += literals.last();
    return out;
}

} // namespace lvx::print
