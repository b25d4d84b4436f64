#include "optionspages.h"

#include "base/numbers.h"

#include "editor/ui/songwidgets.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lvx::options {

QButtonGroup* addChoices(QGroupBox* frame, const QString& name, int firstIndex, const QStringList& captions)
{
    auto* group = new QButtonGroup(frame);
    auto* layout = new QVBoxLayout(frame);
    for (qsizetype position = 0; position < captions.size(); ++position) {
        const int index = firstIndex + int(position);
        auto* button = new QRadioButton(captions[position], frame);
        button->setObjectName(name + QString::number(index));
        group->addButton(button, index);
        layout->addWidget(button);
    }
    layout->addStretch();
    return group;
}

void check(QButtonGroup* group, int index)
{
    if (QAbstractButton* button = group->button(index)) {
        button->setChecked(true);
        return;
    }
    // A value no option stands for (a song file written by hand) shows as no
    // choice, and applying keeps it.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

int chosen(const QButtonGroup* group, int fallback)
{
    const int index = group->checkedId();
    return index == -1 ? fallback : index;
}

QFont faceShown(const Fonts& font)
{
    QFont shown = editor::screenFont(font);
    shown.setFamily(QFontInfo(shown).family());
    return shown;
}

void takeFont(Fonts& font, const QFont& chosen)
{
    if (chosen.family() != faceShown(font).family())
        font.Name = chosen.family();
    if (chosen.pointSizeF() > 0)
        font.Size = toInt16(chosen.pointSizeF());
    font.Bold = chosen.bold();
    font.Italic = chosen.italic();
}

qint32 colorValue(const QColor& color)
{
    return qint32(color.red()) | qint32(color.green()) << 8 | qint32(color.blue()) << 16;
}

QString describeFont(const Fonts& font)
{
    QString text = font.Name + u", "_s + QString::number(font.Size);
    if (font.Bold)
        text += u", Bold"_s;
    if (font.Italic)
        text += u", Italic"_s;
    return text;
}

std::optional<QFont> platformFontDialog(const QFont& initial, QWidget* parent)
{
    bool accepted = false;
    const QFont font = QFontDialog::getFont(&accepted, initial, parent);
    if (!accepted)
        return std::nullopt;
    return font;
}

std::optional<QColor> platformColorDialog(const QColor& initial, QWidget* parent)
{
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

} // namespace lvx::options
