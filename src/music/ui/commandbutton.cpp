#include "music/ui/commandbutton.h"

#include <QKeySequence>
#include <QPushButton>

namespace lvx::music {

QPushButton* commandButton(const QString& text, const QString& name, const QString& shortcut, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    if (!shortcut.isEmpty()) {
        button->setShortcut(QKeySequence(shortcut));
        button->setToolTip(text + u" (" + shortcut + u')');
    }
    return button;
}

} // namespace lvx::music
