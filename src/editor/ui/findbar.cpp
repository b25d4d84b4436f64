#include "editor/ui/findbar.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace lvx::editor {

FindBar::FindBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"FindBar"_s);
    setAutoFillBackground(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    auto* caption = new QLabel(u"Find:"_s, this);
    row->addWidget(caption);
    tFind = new QLineEdit(this);
    tFind->setObjectName(u"tFind"_s);
    tFind->setClearButtonEnabled(true);
    tFind->installEventFilter(this);
    caption->setBuddy(tFind);
    row->addWidget(tFind, 1);
    connect(addButton(u"bFindNext"_s, u"&Next"_s, u"Find the next match (F3)"_s), &QToolButton::clicked, this,
            &FindBar::next);
    connect(addButton(u"bFindPrevious"_s, u"&Previous"_s, u"Find the match before (Shift+F3)"_s),
            &QToolButton::clicked, this, &FindBar::previous);
    chkChords = new QCheckBox(u"&Chords"_s, this);
    chkChords->setObjectName(u"chkChords"_s);
    chkChords->setToolTip(u"Find chord names: G finds [G], not [G7]"_s);
    chkChords->setFocusPolicy(Qt::NoFocus);
    row->addWidget(chkChords);
    lFindStatus = new QLabel(this);
    lFindStatus->setObjectName(u"lFindStatus"_s);
    row->addWidget(lFindStatus);
    row->addStretch();
    connect(addButton(u"bFindClose"_s, u"\u00d7"_s, u"Close (Esc)"_s), &QToolButton::clicked, this, &FindBar::closing);

    connect(tFind, &QLineEdit::textChanged, this, &FindBar::searchChanged);
    connect(chkChords, &QCheckBox::toggled, this, &FindBar::searchChanged);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &FindBar::closing);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
}

QToolButton* FindBar::addButton(const QString& name, const QString& caption, const QString& tooltip)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(tooltip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    layout()->addWidget(button);
    return button;
}

QString FindBar::text() const
{
    return tFind->text();
}

void FindBar::setText(const QString& text)
{
    tFind->setText(text);
}

bool FindBar::chords() const
{
    return chkChords->isChecked();
}

void FindBar::focusText()
{
    tFind->setFocus(Qt::ShortcutFocusReason);
    tFind->selectAll();
}

bool FindBar::hasKeys() const
{
    const QWidget* focus = QApplication::focusWidget();
    return isVisible() && focus && (focus == this || isAncestorOf(focus));
}

void FindBar::showStatus(const QString& status)
{
    lFindStatus->setStyleSheet(QString());
    lFindStatus->setText(status);
}

void FindBar::showNotFound()
{
    lFindStatus->setStyleSheet(u"color: #c01c28; font-weight: bold;"_s);
    lFindStatus->setText(u"Not found"_s);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tFind && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                Q_EMIT previous();
            else
                Q_EMIT next();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lvx::editor
