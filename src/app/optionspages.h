#pragma once

#include "fonts.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

class QButtonGroup;
class QGroupBox;
class QWidget;

// Pieces the pages of the options dialog share.
namespace lvx::options {

// One option button per caption in the frame, named name + index, the indexes
// counting from firstIndex; the group's ids are those indexes.
QButtonGroup* addChoices(QGroupBox* frame, const QString& name, int firstIndex, const QStringList& captions);
// Checks the option with that index; an index without an option checks none.
void check(QButtonGroup* group, int index);
// The checked option's index, or fallback when none is checked.
int chosen(const QButtonGroup* group, int fallback);

// What a font dialog returns goes into the description: name, size, bold and
// italic. A size the dialog cannot say in points leaves the size alone.
void takeFont(Fonts& font, const QFont& chosen);
// The colour in the description's form, red in the low byte.
qint32 colorValue(const QColor& color);

// "Comic Sans MS, 20, Bold": what the font page says about a description.
QString describeFont(const Fonts& font);

std::optional<QFont> platformFontDialog(const QFont& initial, QWidget* parent);
std::optional<QColor> platformColorDialog(const QColor& initial, QWidget* parent);

} // namespace lvx::options
