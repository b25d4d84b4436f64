#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace lvx {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
enum class Icon { None, Information, Question, Exclamation, Critical };

// Every message box, question, input box and file dialog of the program goes
// through this interface, so the logic never opens a window itself: the desktop
// program shows dialogs, the command line prints, tests record and answer.
class Messages
{
public:
    virtual ~Messages() = default;

    // A message box with an OK button; an empty title means the box has none.
    virtual void inform(const QString& text, const QString& title = {}) = 0;
    // A YesNo question with Icon::Exclamation warns before something that can
    // lose text: a dialog makes No its default.
    virtual Answer ask(const QString& text, const QString& title, Buttons buttons, Icon icon = Icon::None) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QString> input(const QString& prompt, const QString& title, const QString& initial = {}) = 0;
    // Empty text when the user cancels.
    virtual QString openFile(const QString& filter, const QString& start) = 0;
    virtual QString saveFile(const QString& filter, const QString& suggested) = 0;
};

// Writes each message to standard error as one line and answers every question
// in the negative (No, or Cancel where there is one), every dialog with Cancel.
class StderrMessages final : public Messages
{
public:
    void inform(const QString& text, const QString& title = {}) override;
    Answer ask(const QString& text, const QString& title, Buttons buttons, Icon icon = Icon::None) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& initial = {}) override;
    QString openFile(const QString& filter, const QString& start) override;
    QString saveFile(const QString& filter, const QString& suggested) override;
};

// Keeps everything shown, in order, and answers from a script; when the script
// runs out it answers like StderrMessages.
class RecordingMessages final : public Messages
{
public:
    enum class Kind { Inform, Ask, Input, OpenFile, SaveFile };
    struct Entry
    {
        Kind kind;
        QString text;
        QString title;
    };

    void inform(const QString& text, const QString& title = {}) override;
    Answer ask(const QString& text, const QString& title, Buttons buttons, Icon icon = Icon::None) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& initial = {}) override;
    QString openFile(const QString& filter, const QString& start) override;
    QString saveFile(const QString& filter, const QString& suggested) override;

    void scriptAnswer(Answer answer) { m_answers.append(answer); }
    void scriptText(const std::optional<QString>& text) { m_texts.append(text); }

    const QList<Entry>& entries() const { return m_entries; }
    // The texts of everything shown, in order.
    QStringList texts() const;
    void clear();

private:
    QList<Entry> m_entries;
    QList<Answer> m_answers;
    QList<std::optional<QString>> m_texts;
};

// Passes everything on to another Messages. While a note is set, every text
// shown or asked ends with it, so a message can say where it comes from; a text
// of several lines gets it on a line of its own, as it speaks for all of them.
class NotedMessages final : public Messages
{
public:
    explicit NotedMessages(Messages& sink) : m_sink(sink) {}

    void inform(const QString& text, const QString& title = {}) override { m_sink.inform(noted(text), title); }
    Answer ask(const QString& text, const QString& title, Buttons buttons, Icon icon = Icon::None) override
    {
        return m_sink.ask(noted(text), title, buttons, icon);
    }
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& initial = {}) override
    {
        return m_sink.input(noted(prompt), title, initial);
    }
    QString openFile(const QString& filter, const QString& start) override { return m_sink.openFile(filter, start); }
    QString saveFile(const QString& filter, const QString& suggested) override
    {
        return m_sink.saveFile(filter, suggested);
    }

    // The note for as long as the scope lives; the one before comes back after it.
    class Scope final
    {
    public:
        Scope(NotedMessages& messages, const QString& note) : m_messages(messages), m_kept(messages.m_note)
        {
            m_messages.m_note = note;
        }
        ~Scope() { m_messages.m_note = m_kept; }
        Q_DISABLE_COPY_MOVE(Scope)

    private:
        NotedMessages& m_messages;
        QString m_kept;
    };

private:
    Messages& m_sink;
    QString m_note;

    QString noted(const QString& text) const
    {
        if (m_note.isEmpty())
            return text;
        if (text.contains(u'\n'))
            return text + u'\n' + m_note.trimmed();
        return text + m_note;
    }
};

// The message boxes one command raises: the first few are shown one by one,
// the rest are kept and summed up in a single box once the command is done, so
// a file with a thousand bad lines never means a thousand boxes to click away.
class MessageBurst final
{
public:
    static constexpr int ShownInFull = 3;
    static constexpr int ListedInSummary = 10;

    // Whether the text gets a box of its own now; otherwise it is kept.
    bool admit(const QString& text);
    // The box that sums up what was kept (empty when nothing was), and a fresh
    // start for the next command.
    QString finish();

private:
    int m_shown = 0;
    QStringList m_kept;
    qsizetype m_keptCount = 0;
};

// One message for many lines, however many: the first ten, then how many more
// there were ("... and 4990 more"), so a thousand bad lines never make a
// thousand lines to read. Empty for no lines.
QString listedInBrief(const QStringList& lines);

// The answer a program with nobody at the keyboard gives.
Answer negativeAnswer(Buttons buttons);

} // namespace lvx
