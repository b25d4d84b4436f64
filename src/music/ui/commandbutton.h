#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace lvx::music {

// A dialog button that is never the default by accident. Captions carry no
// mnemonic, so the shortcut (Alt and a letter) is set apart and shown in the tip.
QPushButton* commandButton(const QString& text, const QString& name, const QString& shortcut, QWidget* parent);

} // namespace lvx::music
