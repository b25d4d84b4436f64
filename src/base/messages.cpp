#include "base/messages.h"

#include <QTextStream>

#include <cstdio>

namespace lvx {

namespace {

void printLine(const QString& text)
{
    QTextStream err(stderr);
    err << text << Qt::endl;
}

} // namespace

Answer negativeAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
        break;
    }
    return Answer::Cancel;
}

bool MessageBurst::admit(const QString& text)
{
    if (m_shown < ShownInFull) {
        ++m_shown;
        return true;
    }
    if (m_kept.size() < ListedInSummary)
        m_kept.append(text);
    ++m_keptCount;
    return false;
}

QString MessageBurst::finish()
{
    QString summary;
    if (m_keptCount > 0) {
        summary = QString::number(m_keptCount)
            + (m_keptCount == 1 ? QStringLiteral(" more message was") : QStringLiteral(" more messages were"))
            + QStringLiteral(" not shown one by one:\n\n") + m_kept.join(u'\n');
        if (m_keptCount > m_kept.size())
            summary += u"\n...";
    }
    *this = MessageBurst();
    return summary;
}

QString listedInBrief(const QStringList& lines)
{
    constexpr qsizetype Shown = 10;
    QString text = lines.mid(0, Shown).join(u'\n');
    if (lines.size() > Shown)
        text += u"\n... and " + QString::number(lines.size() - Shown) + u" more";
    return text;
}

void StderrMessages::inform(const QString& text, const QString&)
{
    printLine(text);
}

Answer StderrMessages::ask(const QString& text, const QString&, Buttons buttons, Icon)
{
    printLine(text);
    return negativeAnswer(buttons);
}

std::optional<QString> StderrMessages::input(const QString& prompt, const QString&, const QString&)
{
    printLine(prompt);
    return std::nullopt;
}

QString StderrMessages::openFile(const QString&, const QString&)
{
    return {};
}

QString StderrMessages::saveFile(const QString&, const QString&)
{
    return {};
}

void RecordingMessages::inform(const QString& text, const QString& title)
{
    m_entries.append({Kind::Inform, text, title});
}

Answer RecordingMessages::ask(const QString& text, const QString& title, Buttons buttons, Icon)
{
    m_entries.append({Kind::Ask, text, title});
    return m_answers.isEmpty() ? negativeAnswer(buttons) : m_answers.takeFirst();
}

std::optional<QString> RecordingMessages::input(const QString& prompt, const QString& title, const QString&)
{
    m_entries.append({Kind::Input, prompt, title});
    return m_texts.isEmpty() ? std::nullopt : m_texts.takeFirst();
}

QString RecordingMessages::openFile(const QString& filter, const QString&)
{
    m_entries.append({Kind::OpenFile, filter, {}});
    return m_texts.isEmpty() ? QString() : m_texts.takeFirst().value_or(QString());
}

QString RecordingMessages::saveFile(const QString& filter, const QString&)
{
    m_entries.append({Kind::SaveFile, filter, {}});
    return m_texts.isEmpty() ? QString() : m_texts.takeFirst().value_or(QString());
}

QStringList RecordingMessages::texts() const
{
    QStringList result;
    for (const Entry& entry : m_entries)
        result.append(entry.text);
    return result;
}

void RecordingMessages::clear()
{
    m_entries.clear();
    m_answers.clear();
    m_texts.clear();
}

} // namespace lvx
