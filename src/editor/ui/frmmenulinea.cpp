#include "editor/ui/frmmenulinea.h"

#include "editor/ui/frmsong.h"

#include "app/desktopcontext.h"
#include "music/chordsymbol.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lvx::editor {

frmMenuLinea::frmMenuLinea(DesktopContext& desktop, frmSong* song)
    : QWidget(song, Qt::Popup), m_desktop(desktop), m_song(song)
{
    setObjectName(u"frmMenuLinea"_s);
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(1);
    for (int i = 1; i <= Capacity; ++i) {
        auto* label = new QToolButton(this);
        label->setObjectName(u"Label"_s + QString::number(i));
        label->setAutoRaise(true);
        label->setToolButtonStyle(Qt::ToolButtonTextOnly);
        label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        label->setStyleSheet(u"QToolButton { text-align: left; padding: 3px 10px; font-weight: bold; color: #1d4f91; }"
                             "QToolButton:hover, QToolButton:focus { background: #dde7f5; border-radius: 3px; }"_s);
        label->hide();
        connect(label, &QToolButton::clicked, this, [this, i] { choose(i); });
        layout->addWidget(label);
        m_labels.append(label);
    }
    cmdInsertChord = new QPushButton(u"Insert Chord ..."_s, this);
    cmdInsertChord->setObjectName(u"cmdInsertChord"_s);
    connect(cmdInsertChord, &QPushButton::clicked, this, &frmMenuLinea::insertChordDialog);
    layout->addSpacing(4);
    layout->addWidget(cmdInsertChord);
}

void frmMenuLinea::LabelReset()
{
    for (QToolButton* label : std::as_const(m_labels))
        label->hide();
    m_count = 0;
}

void frmMenuLinea::LabelAdd(const QString& name)
{
    if (m_count >= Capacity)
        return;
    m_labels[m_count]->setProperty("tag", name);
    ++m_count;
}

void frmMenuLinea::Paint()
{
    for (int i = 0; i < m_count; ++i) {
        QToolButton* label = m_labels[i];
        const QString name = label->property("tag").toString();
        const music::ChordSymbol chord = music::ParseChord(name);
        const QString caption = chord.tone < 0 || chord.bass < 0 ? (music::isTextLabel(name) ? name.mid(1) : name)
                                                                 : music::FormatChord(chord, m_desktop.app.notation);
        // A tool button takes "&" as a mnemonic; a chord name never means one.
        label->setText(QString(caption).replace(u"&"_s, u"&&"_s));
        label->show();
    }
    adjustSize();
}

void frmMenuLinea::popupAt(QPoint globalPosition)
{
    m_desktop.music.dialogResult = music::ResultNone;
    adjustSize();
    QPoint place = globalPosition + QPoint(8, 4);
    if (const QScreen* screen = QGuiApplication::screenAt(globalPosition)) {
        const QRect area = screen->availableGeometry();
        place.setX(std::clamp(place.x(), area.left(), std::max(area.left(), area.right() - width())));
        place.setY(std::clamp(place.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(place);
    show();
    if (m_count > 0)
        m_labels[0]->setFocus();
    else
        cmdInsertChord->setFocus();
}

void frmMenuLinea::choose(int index)
{
    m_desktop.music.dialogResult = music::ResultOk;
    m_desktop.music.ChosenChord = m_labels[index - 1]->property("tag").toString();
    hide();
}

void frmMenuLinea::insertChordDialog()
{
    hide();
    if (QWidget* active = m_desktop.activeChild())
        // After the song window has taken the focus back, so the dialog's answer
        // is not taken for the menu's.
        QMetaObject::invokeMethod(active, "mnuIChord_Click", Qt::QueuedConnection);
}

void frmMenuLinea::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Hidden by a choice or dismissed: the song window acts on the result now.
    QMetaObject::invokeMethod(m_song, [song = m_song] { song->focusCurrentSlot(); }, Qt::QueuedConnection);
}

} // namespace lvx::editor
