#pragma once

#include "base/messages.h"

#include <QPointer>
#include <QWidget>

namespace lvx {

// Messages as the desktop program shows them: message boxes, input boxes and
// the platform's file dialogs, over the given parent window. A file dialog the
// caller gives no folder starts in the current one, which follows the songs.
class GuiMessages final : public Messages
{
public:
    void setParent(QWidget* parent) { m_parent = parent; }

    void inform(const QString& text, const QString& title = {}) override;
    Answer ask(const QString& text, const QString& title, Buttons buttons, Icon icon = Icon::None) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& initial = {}) override;
    QString openFile(const QString& filter, const QString& start) override;
    QString saveFile(const QString& filter, const QString& suggested) override;

private:
    QPointer<QWidget> m_parent;
    MessageBurst m_burst;
    bool m_summaryDue = false;
    int m_openBoxes = 0;

    void showBox(const QString& text, const QString& title);
    // Once the command that raised the boxes is done (no box of ours open and
    // the event loop idle again), what was kept back gets its box.
    void summariseWhenDone();
};

// "ChordPro Files (*.lvx;*.pro)|*.lvx;*.pro|All Files (*.*)|*.*" as a Qt file
// dialog filter: one entry per description, patterns separated by blanks.
QString qtFileFilter(const QString& filter);

} // namespace lvx
