#pragma once

#include <QList>
#include <QString>

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

// The answer a program with nobody at the keyboard gives.
Answer negativeAnswer(Buttons buttons);

} // namespace lvx
