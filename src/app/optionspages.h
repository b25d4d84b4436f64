#pragma once

#include "base/fonts.h"

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

// The font a font dialog opens on: the face the song is really drawn in (the
// free face standing in for "Comic Sans MS", say), at the description's size
// and style, so the dialog finds it in its list.
QFont faceShown(const Fonts& font);
// What a font dialog returns goes into the description: name, size, bold and
// italic. A size the dialog cannot say in points leaves the size alone; the face
// standing in for the description's name keeps that name, so the song file still
// names the font it was written with.
void takeFont(Fonts& font, const QFont& chosen);
// The colour in the description's form, red in the low byte.
qint32 colorValue(const QColor& color);

// "Comic Sans MS, 20, Bold": what the font page says about a description.
QString describeFont(const Fonts& font);

std::optional<QFont> platformFontDialog(const QFont& initial, QWidget* parent);
std::optional<QColor> platformColorDialog(const QColor& initial, QWidget* parent);

} // namespace lvx::options
