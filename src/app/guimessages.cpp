#include "guimessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include <utility>

using namespace Qt::StringLiterals;

namespace lvx {

namespace {

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Answer answerOf(int button, Buttons buttons)
{
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return negativeAnswer(buttons);
    }
}

// A box without a title shows the program's name, as the platform would.
QString boxTitle(const QString& title)
{
    return title.isEmpty() ? u"Liravox"_s : title;
}

} // namespace

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(u';', u' ');
        QString description = parts.at(i);
        const qsizetype open = description.indexOf(u'(');
        if (open > 0)
            description = description.left(open).trimmed();
        entries.append(description + u" ("_s + patterns + u')');
    }
    return entries.join(u";;"_s);
}

void GuiMessages::inform(const QString& text, const QString& title)
{
    summariseWhenDone();
    if (m_burst.admit(text))
        showBox(text, title);
}

void GuiMessages::showBox(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, boxTitle(title), text, QMessageBox::Ok, m_parent);
    ++m_openBoxes;
    box.exec();
    --m_openBoxes;
}

void GuiMessages::summariseWhenDone()
{
    if (std::exchange(m_summaryDue, true))
        return;
    QTimer::singleShot(50, QCoreApplication::instance(), [this] {
        m_summaryDue = false;
        // The timer also runs inside an open box's own event loop: the command is not done yet.
        if (m_openBoxes > 0) {
            summariseWhenDone();
            return;
        }
        const QString summary = m_burst.finish();
        if (!summary.isEmpty())
            showBox(summary, QString());
    });
}

Answer GuiMessages::ask(const QString& text, const QString& title, Buttons buttons, Icon icon)
{
    QMessageBox box(boxIcon(icon), boxTitle(title), text, boxButtons(buttons), m_parent);
    // A yes-or-no warning comes before something that can lose text: Enter keeps it.
    if (buttons == Buttons::YesNo && icon == Icon::Exclamation)
        box.setDefaultButton(QMessageBox::No);
    return answerOf(box.exec(), buttons);
}

std::optional<QString> GuiMessages::input(const QString& prompt, const QString& title, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, boxTitle(title), prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString GuiMessages::openFile(const QString& filter, const QString& start)
{
    const QString folder = start.isEmpty() ? QDir::currentPath() : start;
    return QFileDialog::getOpenFileName(m_parent, u"Open"_s, folder, qtFileFilter(filter));
}

QString GuiMessages::saveFile(const QString& filter, const QString& suggested)
{
    QString path = suggested;
    if (QFileInfo(suggested).isRelative())
        path = QDir::current().filePath(suggested);
    return QFileDialog::getSaveFileName(m_parent, u"Save As"_s, path, qtFileFilter(filter));
}

} // namespace lvx
